#include "conversion/position_encoder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

#include "conversion/group_decoder.h"
#include "conversion/position_reader.h"
#include "tests/conversion/recording_sink.h"

namespace lagewandler {
namespace {

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
                const auto position = readPosition(text, ",", Axis::Latitude);
                const auto encoded = encodeGroup(reference, position.value_or(INT64_MIN));
                ASSERT_TRUE(encoded) << text;
                ASSERT_EQ(std::string(encoded->begin(), encoded->end()), group) << text;
            }
        }
    }
}

}  // namespace
}  // namespace lagewandler
