#include "conversion/position_encoder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

#include "conversion/group_decoder.h"
#include "tests/conversion/recording_sink.h"

namespace lagewandler {
namespace {

TEST(ReadPosition, ReadsDecimalDegreesAndDegreesMinutesSecondsExactly) {
    struct Case {
        const char* text;
        std::optional<std::int64_t> tenThousandths;
    };
    const Case cases[] = {
        {"50.466", 504660},
        {"50,4660", 504660},
        {" +12.2136 ", 122136},
        {"-0.0001", -1},
        {"50", 500000},
        {".5", 5000},
        {"50.46605", 504661},           // an exact half rounds up
        {"50.466049999999", 504660},
        {"-0.00005", 0},                // up is toward +infinity
        {"-0.000050001", -1},
        {"50 Grad 27 Min. 57,60 Sek.", 504660},
        {"50 Grad 27 Min. 57.60 Sek.", 504660},
        {"50 Grad 27 Min. 57٫60 Sek.", 504660},  // the regional separator
        {"49 Grad 53 Min. 60,00 Sek.", 499000},
        {"-0 Grad 30 Min. 00,00 Sek.", std::nullopt},  // the sign is the degrees'
        {"-1 Grad 29 Min. 60,00 Sek.", -5000},
        {"-1 Grad 59 Min. 59,64 Sek.", -1},
        {"9 Grad 59 Min. 59,64 Sek.", 99999},
        {"0 Grad 0 Min. 00,18 Sek.", 1},          // 0.5 ten-thousandths: up
        {"", std::nullopt},
        {"-", std::nullopt},
        {"5O.1", std::nullopt},
        {"50.4.6", std::nullopt},
        {"1e3", std::nullopt},
        {"NaN", std::nullopt},
        {"12345678901", std::nullopt},
        {"50 Grad 60 Min. 00,00 Sek.", std::nullopt},
        {"50 Grad 27 Min. 60,01 Sek.", std::nullopt},
        {"50 Grad 27 Min. 57,60", std::nullopt},
        {"50 Grad 27 Min. 57,6000001 Sek.", std::nullopt},
        {"50Grad 27 Min. 57,60 Sek.", std::nullopt},
        {"50 Grad 27 Min. 57,60 Sek. x", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(readPosition(c.text, "٫"), c.tenThousandths) << c.text;
}

TEST(EncodeGroup, WritesTheOffsetAsFourUpperCaseHexDigitsWithinItsRange) {
    struct Case {
        std::int16_t reference;
        std::int64_t position;
        const char* group;  // nullptr: out of range
    };
    const Case cases[] = {
        {50, 504660, "1234"}, {10, 99999, "FFFF"}, {50, 532767, "7FFF"}, {50, 467232, "8000"},
        {50, 532768, nullptr}, {50, 467231, nullptr}, {-32768, -327680000, "0000"},
        {32767, 327677500, "1D4C"}, {32767, 327680000, nullptr}, {-32768, -327680002, nullptr},
    };
    for (const Case& c : cases) {
        const auto group = encodeGroup(c.reference, c.position);
        EXPECT_EQ(group ? std::string(group->begin(), group->end()) : "none", c.group ? c.group : "none")
            << c.reference << " " << c.position;
    }
    EXPECT_EQ(decimalDegreesText(504660), "50.4660");
    EXPECT_EQ(decimalDegreesText(-1), "-0.0001");
    EXPECT_EQ(decimalDegreesText(-327712768), "-32771.2768");
}

// Every group, decoded to either text and read back, is the same group, at
// references in the middle and near both ends of the range; a group the
// decoder refuses (only at the ends) has a position the encoder refuses.
TEST(EncodeGroup, GivesBackEveryGroupFromItsTwoTexts) {
    for (const std::int16_t reference : {50, 10, 0, -1, -50, 32764, -32764, 32767, -32768}) {
        for (int pattern = 0; pattern <= 0xFFFF; ++pattern) {
            char group[5];
            std::snprintf(group, sizeof group, "%04X", static_cast<unsigned>(pattern));
            RecordingSink sink;
            std::string compact;
            const std::string dms = DecodeGroup(reference, group, compact, {sink, ","});
            if (dms.empty()) {
                const std::int64_t position = reference * 10000LL + (pattern < 0x8000 ? pattern : pattern - 0x10000);
                ASSERT_FALSE(encodeGroup(reference, position)) << reference << " " << group;
                continue;
            }
            const std::string decimal = decimalDegreesText(*groupPosition(reference, group));
            for (const std::string& text : {dms, decimal}) {
                const auto encoded = encodeGroup(reference, readPosition(text, ",").value_or(INT64_MIN));
                ASSERT_TRUE(encoded) << text;
                ASSERT_EQ(std::string(encoded->begin(), encoded->end()), group) << text;
            }
        }
    }
}

}  // namespace
}  // namespace lagewandler
