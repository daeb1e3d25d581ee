#include "conversion/utf16_text.h"

#include <gtest/gtest.h>

#include <string>

namespace lagewandler {
namespace {

// What cannot be converted is one U+FFFD each way, never nothing.
TEST(Utf16Text, ConvertsBothWaysAndReplacesWhatIsNoCharacter) {
    const struct {
        const char* name;
        std::string utf8;
        std::u16string utf16;
    } both[] = {
        {"ASCII", "Ortsmappe", u"Ortsmappe"},
        {"umlaut", "ungültig", u"ung\u00fcltig"},
        {"Arabic separator", "\xD9\xAB", u"\u066B"},
        {"above U+FFFF", "1\xF0\x9F\x98\x80" "2", u"1\xD83D\xDE00" "2"},
    };
    for (const auto& c : both) {
        EXPECT_EQ(utf16FromUtf8(c.utf8), c.utf16) << c.name;
        EXPECT_EQ(utf8FromUtf16(c.utf16), c.utf8) << c.name;
    }
    EXPECT_EQ(utf16FromUtf8("1\xFF\xC3" "2"), u"1\uFFFD\uFFFD" "2");
    const struct {
        const char* name;
        std::u16string utf16;
        std::string utf8;
    } lone[] = {
        {"high surrogate inside", u"1\xD800" "2", "1\uFFFD" "2"},
        {"high surrogate last", u"1\xD800", "1\uFFFD"},
        {"two high surrogates", u"\xD800\xD83D\xDE00", "\uFFFD\xF0\x9F\x98\x80"},
        {"low surrogate alone", u"\xDC00" "1", "\uFFFD" "1"},
    };
    for (const auto& c : lone) EXPECT_EQ(utf8FromUtf16(c.utf16), c.utf8) << c.name;
}

}  // namespace
}  // namespace lagewandler
