#include "text/utf8_text.h"

#include <gtest/gtest.h>

#include <string>

namespace lagewandler {
namespace {

TEST(Utf8Text, CountsCharactersAndInvalidBytesAsOneEach) {
    struct Case {
        const char* name;
        std::string text;
        std::size_t expected;
    };
    const Case cases[] = {
        {"empty", "", 0},
        {"ascii eight", "12345678", 8},
        {"umlauts are one each", "ÄÖÜ12345", 8},
        {"four byte emoji", "\xF0\x9F\x98\x80" "1234567", 8},
        {"lone lead byte", "\xC3" "1234567", 8},
        {"stray continuation bytes", "\x80\x80\x80" "12345", 8},
        {"overlong slash", "\xC0\xAF" "123456", 8},
        {"encoded surrogate", "\xED\xA0\x80" "12345", 8},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80" "1234", 8},
        {"cut off three byte sequence", "\xE2\x82", 2},
        {"multibyte last character", "1234567\xC3\x84", 8},
        {"two byte character led by DF", "\xDF\x80" "1234567", 8},
        {"overlong three byte form", "\xE0\x80\x80" "12345", 8},
        {"overlong four byte form", "\xF0\x80\x80\x80" "1234", 8},
        {"count stops past limit", std::string(100000, 'A'), 9},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utf8CharacterCountUpTo(c.text, 8), c.expected) << c.name;
    }
}

TEST(Utf8Text, SlicesByCharacters) {
    struct Case {
        const char* name;
        std::string text;
        std::size_t first;
        std::size_t count;
        std::string expected;
    };
    const Case cases[] = {
        {"first half ascii", "12345678", 0, 4, "1234"},
        {"second half ascii", "12345678", 4, 4, "5678"},
        {"second half after umlauts", "ÄÖÜ12345", 4, 4, "2345"},
        {"first half with umlauts", "ÄÖÜ12345", 0, 4, "ÄÖÜ1"},
        {"invalid bytes kept whole", "\xFF\xFE" "12" "\xC3" "xyz", 4, 4, "\xC3" "xyz"},
        {"multibyte last character", "1234567\xC3\x84", 4, 4, "567\xC3\x84"},
        {"two byte character led by DF", "\xDF\x80" "1234567", 0, 4, "\xDF\x80" "123"},
        {"past the end", "AB", 5, 1, ""},
        {"shorter than asked", "ABC", 2, 4, "C"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utf8Characters(c.text, c.first, c.count), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace lagewandler
