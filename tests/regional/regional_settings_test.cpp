#include "regional/regional_settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

namespace lagewandler {
namespace {

// CTest runs this under several locales; each has its own separator.
TEST(RegionalSeparator, FollowsTheLocaleOfTheProcess) {
    const std::map<std::string, std::string> separatorByLocale{
        {"de_DE.UTF-8", ","},
        {"C", "."},
        {"de_CH.UTF-8", "."},
        {"ar_EG.UTF-8", "\u066B"},
    };
    const char* locale = std::getenv("LC_ALL");
    ASSERT_NE(locale, nullptr);
    ASSERT_EQ(separatorByLocale.count(locale), 1U) << locale;
    EXPECT_EQ(regionalDecimalSeparator(), separatorByLocale.at(locale));
}

}  // namespace
}  // namespace lagewandler
