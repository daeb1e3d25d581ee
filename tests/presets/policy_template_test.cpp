#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>

#include "presets/reference_presets.h"

namespace lagewandler {
namespace {

std::string readFile(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Every first group of pattern in text.
std::set<std::string> matches(const std::string& text, const std::string& pattern) {
    std::set<std::string> found;
    const std::regex expression(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), expression); it != std::sregex_iterator(); ++it) {
        found.insert((*it)[1]);
    }
    return found;
}

// Group policy writes what the template names: it must be where the
// programs read, and every text it refers to must be in each language.
TEST(PolicyTemplate, WritesTheValuesTheProgramsReadAndHasEveryTextInEachLanguage) {
    const std::string admx = readFile(LAGEWANDLER_ADMX);
    EXPECT_EQ(matches(admx, "\\bkey=\"([^\"]*)\""), std::set<std::string>{std::string(kPolicyKeyPath)});
    const std::set<std::string> values{std::string(kNorthPresetName), std::string(kEastPresetName)};
    EXPECT_EQ(matches(admx, "valueName=\"([^\"]*)\""), values);
    EXPECT_EQ(matches(admx, "<text id=\"([^\"]*)\""), values);
    for (const char* path : {LAGEWANDLER_ADML_DE, LAGEWANDLER_ADML_EN}) {
        const std::string adml = readFile(path);
        EXPECT_EQ(matches(adml, "<string id=\"([^\"]*)\""), matches(admx, "\\$\\(string\\.([^)]*)\\)")) << path;
        EXPECT_EQ(matches(adml, "<presentation id=\"([^\"]*)\""), matches(admx, "\\$\\(presentation\\.([^)]*)\\)"))
            << path;
        EXPECT_EQ(matches(adml, "refId=\"([^\"]*)\""), values) << path;
    }
}

}  // namespace
}  // namespace lagewandler
