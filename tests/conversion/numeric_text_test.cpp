#include "conversion/numeric_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace lagewandler {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct ReaderCase {
    const char* name;
    std::string text;
    double expected;
};

void expectReads(const ReaderCase& c) { EXPECT_EQ(readNumericText(c.text), c.expected) << c.name; }

TEST(NumericTextReader, ReadsDecimalNumbers) {
    const ReaderCase cases[] = {
        {"plain", "50", 50},
        {"comma ends the number", "50,7", 50},
        {"period is the separator", "50.5", 50.5},
        {"empty", "", 0},
        {"leading letter", "x12", 0},
        {"plus sign", "+7", 7},
        {"minus sign", "-3", -3},
        {"double sign", "--5", 0},
        {"sign alone", "-", 0},
        {"point alone", ".", 0},
        {"leading point", ".5", 0.5},
        {"trailing point", "5.", 5},
        {"second point ends", "1.2.3", 1.2},
        {"upper E exponent", "1E3", 1000},
        {"lower d exponent", "1d2", 100},
        {"upper D exponent with minus", "25D-1", 2.5},
        {"signed exponent", "2.5e+1", 25},
        {"exponent without digits", "5e", 5},
        {"exponent sign without digits", "5e+", 5},
        {"exponent letter alone", "e5", 0},
        {"NaN is not a number", "NaN", 0},
        {"inf is not a number", "inf", 0},
        {"Infinity is not a number", "-Infinity", 0},
        {"C hex prefix", "0x1A", 0},
        {"currency sign ends", "50€", 50},
        {"leading euro", "€50", 0},
        {"invalid UTF-8 first", "\xFF" "50", 0},
        {"control character ends", "5\x01" "0", 5},
        {"carriage return ends", "5\r0", 5},
        {"blanks tabs and line feeds vanish", " 5\t0\n ", 50},
        {"line feed between digits vanishes", "5\n0", 50},
        {"blank between sign and digits", "- 12", -12},
        {"blanks inside exponent", "1 e 2", 100},
        {"overflow to infinity", "1e400", kInfinity},
        {"negative overflow", "-1e400", -kInfinity},
        {"underflow to zero", "1e-400", 0},
        {"huge exponent text", "1e99999999999999999999999", kInfinity},
        {"huge negative exponent text", "1e-99999999999999999999999", 0},
        {"largest double", "1.7976931348623157e308", std::numeric_limits<double>::max()},
        {"just above largest double rounds to infinity", "1.8e308", kInfinity},
    };
    for (const ReaderCase& c : cases) expectReads(c);
}

TEST(NumericTextReader, ReadsHexadecimalAndOctal) {
    const ReaderCase cases[] = {
        {"hex", "&H1234", 4660},
        {"hex minus one", "&HFFFF", -1},
        {"hex lowest", "&H8000", -32768},
        {"hex highest", "&H7FFF", 32767},
        {"hex one", "&H0001", 1},
        {"hex lower case", "&hff", 255},
        {"hex lower digits", "&H00ff", 255},
        {"hex stray letter", "&H12G4", 18},
        {"hex no digits", "&HZZZZ", 0},
        {"hex nothing after", "&H", 0},
        {"hex blank inside", "&H12 4", 292},
        {"hex line feed inside", "&H1\n2", 18},
        {"hex blank after ampersand", "& H10", 16},
        {"hex five digits are a plain value", "&H12345", 74565},
        {"hex leading zero makes five digits", "&H0FFFF", 65535},
        {"hex eight digits", "&HFFFFFFFF", 4294967295.0},
        {"hex three digits", "&HFFF", 4095},
        {"octal", "&O17", 15},
        {"octal lower case", "&o777", 511},
        {"octal minus one", "&O177777", -1},
        {"octal lowest", "&O100000", -32768},
        {"octal beyond 16 bits", "&O777777", 262143},
        {"octal digit 8 ends", "&O78", 7},
        {"ampersand alone", "&", 0},
        {"ampersand other letter", "&X12", 0},
        {"minus before hex", "-&H10", 0},
    };
    for (const ReaderCase& c : cases) expectReads(c);
}

TEST(NumericTextReader, ReadsHugeTextsInOnePass) {
    const std::string tenMegabytes(10'000'000, '9');
    const std::string halfwayPlusTail = "9007199254740993." + std::string(2000, '0') + "1";
    const ReaderCase cases[] = {
        {"ten megabytes of nines", tenMegabytes, kInfinity},
        {"ten megabytes of hex digits", "&H" + std::string(10'000'000, 'F'), kInfinity},
        {"ten megabytes of blanks", std::string(10'000'000, ' ') + "42", 42},
        {"ten megabytes of zeros then one", std::string(10'000'000, '0') + "1", 1},
        {"tiny fraction", "0." + std::string(1'000'000, '0') + "5", 0},
        {"many digits scaled down", "1" + std::string(1'000'000, '0') + "e-1000000", 1},
        // 2^53 + 1 lies halfway between two doubles; the far digit decides.
        {"far nonzero digit rounds up", halfwayPlusTail, 9007199254740994.0},
        {"exact halfway rounds to even", "9007199254740993", 9007199254740992.0},
    };
    for (const ReaderCase& c : cases) expectReads(c);
}

// Plain digits take a shortcut; a leading blank, which the reader passes
// over, takes the full reading. The two must agree.
TEST(NumericTextReader, ReadsPlainDigitsAsTheFullReadingDoes) {
    for (const std::string digits : {"0", "7", "50", "007", "32767", "65536", "999999999", "000000001"}) {
        EXPECT_EQ(readNumericText(digits), readNumericText(" " + digits)) << digits;
        EXPECT_EQ(readNumericTextWithDigit(digits), readNumericTextWithDigit(" " + digits)) << digits;
    }
}

TEST(RoundToInt16, RoundsHalvesToEvenAndRejectsOverflow) {
    struct Case {
        const char* name;
        double value;
        std::optional<std::int16_t> expected;
    };
    const Case cases[] = {
        {"half down to even", 50.5, 50},
        {"half up to even", 51.5, 52},
        {"negative half to zero", -0.5, 0},
        {"negative one and a half", -1.5, -2},
        {"below half", 50.49, 50},
        {"above half", 50.51, 51},
        {"largest", 32767.4, 32767},
        {"largest half overflows", 32767.5, std::nullopt},
        {"lowest half stays", -32768.5, -32768},
        {"below lowest", -32768.6, std::nullopt},
        {"far above", 99999, std::nullopt},
        {"far below", -40000, std::nullopt},
        {"infinity", std::numeric_limits<double>::infinity(), std::nullopt},
        {"negative infinity", -std::numeric_limits<double>::infinity(), std::nullopt},
        {"not a number", std::numeric_limits<double>::quiet_NaN(), std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(roundToInt16(c.value), c.expected) << c.name;
}

TEST(TruncateTowardZero, DropsTheFraction) {
    struct Case {
        double value;
        double expected;
    };
    const Case cases[] = {{27.96, 27}, {-16.608, -16}, {-0.006, 0}, {3.0, 3}, {-3.2768, -3}};
    for (const Case& c : cases) EXPECT_EQ(truncateTowardZero(c.value), c.expected) << c.value;
}

TEST(WholeNumberText, WritesPlainDigits) {
    struct Case {
        std::int16_t value;
        const char* expected;
    };
    const Case cases[] = {{9, "9"}, {50, "50"}, {-3, "-3"}, {0, "0"}, {32767, "32767"}, {-32768, "-32768"}};
    for (const Case& c : cases) EXPECT_EQ(wholeNumberText(c.value), c.expected) << c.value;
}

TEST(PatternTwoDigits, RoundsAndPadsToTwoDigits) {
    struct Case {
        const char* name;
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {"zero", 0, "00"},
        {"single digit", 5, "05"},
        {"two digits", 50, "50"},
        {"three digits", 123, "123"},
        {"negative", -5, "-05"},
        {"negative large", -32768, "-32768"},
        {"rounds up", 57.6, "58"},
        {"rounds seconds to sixty", 59.64, "60"},
        {"rounds down", 48.96 - 0.5, "48"},
        {"tiny negative has no sign", -0.2, "00"},
        {"tie pads on the exact path", 2.5, "02"},
        {"large", 1e20, "100000000000000000000"},
        {"infinity", std::numeric_limits<double>::infinity(), "inf"},
        {"not a number", std::numeric_limits<double>::quiet_NaN(), "nan"},
    };
    for (const Case& c : cases) EXPECT_EQ(patternTwoDigits(c.value), c.expected) << c.name;
}

TEST(PatternTwoDigitsTwoDecimals, RoundsToTwoDecimalsWithTheGivenSeparator) {
    struct Case {
        const char* name;
        double value;
        const char* separator;
        const char* expected;
    };
    const Case cases[] = {
        {"german", 57.6, ",", "57,60"},
        {"german padded", 2.4, ",", "02,40"},
        {"german zero", 0, ",", "00,00"},
        {"german just below sixty", 59.88, ",", "59,88"},
        {"german sixty", 60, ",", "60,00"},
        {"english", 57.6, ".", "57.60"},
        {"arabic two byte separator", 2.4, "\xD9\xAB", "02\xD9\xAB" "40"},
        {"no grouping", 1234.5, ",", "1234,50"},
        {"rounds up into next unit", 9.999, ",", "10,00"},
        {"inexact product", 0.12 * 3, ",", "00,36"},
        {"negative", -2.4, ",", "-02,40"},
        {"negative rounding to zero", -0.004, ",", "00,00"},
        {"tie pads on the exact path", 2.125, ",", "02,12"},
        {"large uses exact path", 12345678.125, ",", "12345678,12"},
        {"two to the sixtieth", 1152921504606846976.0, ",", "1152921504606846976,00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(patternTwoDigitsTwoDecimals(c.value, c.separator), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace lagewandler
