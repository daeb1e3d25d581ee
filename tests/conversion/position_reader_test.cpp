#include "conversion/position_reader.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace lagewandler {
namespace {

TEST(ReadPosition, ReadsDecimalDegreesAndDegreesMinutesSecondsExactly) {
    struct Case {
        const char* text;
        std::optional<std::int64_t> tenThousandths;
        Axis axis = Axis::Latitude;
    };
    constexpr Axis kLongitude = Axis::Longitude;
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
        {"N 50 Grad 27 Min. 57,60 Sek.", std::nullopt},
        // Hemisphere letters, marks and colons; a sign is the whole position's.
        {"N 50.466", 504660},
        {"50.466n", 504660},
        {"12.2136 O", 122136, kLongitude},
        {"o 12.2136", 122136, kLongitude},
        {"12°O", 120000, kLongitude},
        {"12.2136e", 122136, kLongitude},
        {"0.5 W", -5000, kLongitude},
        {"S 37", -370000},
        {"50°27'57.6\"N", 504660},
        {"50° 27′ 57,6″ N", 504660},
        {"50º27’57.6”", 504660},
        {"50°27'57.6''", 504660},
        {"N 50° 27.960'", 504660},
        {"50°27,96'", 504660},
        {"50.466°", 504660},
        {"50:27:57.6", 504660},
        {"-0:30", -5000},
        {"-1° 30'", -15000},
        {"-0° 30′", -5000},
        {"0°0'0.18\"", 1},              // half a ten-thousandth: up
        {"-0°0'0.18\"", 0},
        {"-0°0'0.180001\"", -1},
        {"0:0.003", 1},
        {"-50 N", std::nullopt},         // a sign and a letter
        {"S -33.9", std::nullopt},
        {"+50 N", std::nullopt},
        {"N 50", std::nullopt, kLongitude},
        {"12 E", std::nullopt},
        {"N 50 N", std::nullopt},
        {"1O", std::nullopt, kLongitude},  // a zero typed as a letter
        {"O12", std::nullopt, kLongitude},
        {"12.O", std::nullopt, kLongitude},
        {"50°60'", std::nullopt},
        {"50°27'60\"", std::nullopt},
        {"50:60", std::nullopt},
        {"27' 50°", std::nullopt},
        {"50°27\"", std::nullopt},
        {"50.5°27'", std::nullopt},
        {"50:27.5:10", std::nullopt},
        {"50 °27'", std::nullopt},
        {"inf", std::nullopt},
        {"&H32", std::nullopt},
        {"1E3", std::nullopt, kLongitude},
    };
    for (const Case& c : cases) EXPECT_EQ(readPosition(c.text, "٫", c.axis), c.tenThousandths) << c.text;
}

TEST(ReadWholePosition, ReadsBothHalvesFromOneTextInExactlyOneWay) {
    struct Case {
        const char* text;
        std::optional<std::pair<std::int64_t, std::int64_t>> position;
    };
    const std::pair<std::int64_t, std::int64_t> k1234{504660, 122136};
    const Case cases[] = {
        {"50.466, 12.2136", k1234},
        {" \t50.466, 12.2136 ", k1234},
        {"50.466 12.2136", k1234},
        {"50.466,12.2136", k1234},
        {"50,466 12,2136", k1234},
        {"50,466, 12,2136", k1234},
        {"50,466;12,2136", k1234},
        {"50°27'57.6\"N 12°12'48.96\"E", k1234},
        {"12.2136E 50.466N", k1234},
        {"50 Grad 27 Min. 57,60 Sek. 12 Grad 12 Min. 48,96 Sek.", k1234},
        {"50,10", std::nullopt},               // 50.10 alone, or 50 and 10
        {"50,466,12", std::nullopt},           // 50 and 466.12, or 50.466 and 12
        {"50.466 N 12.2136", std::nullopt},    // whose is the N?
        {"50.466N 12.2136S", std::nullopt},
        {"50.466", std::nullopt},
        {"50.466,, 12.2136", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto position = readWholePosition(c.text, ",");
        EXPECT_EQ(position ? std::optional(std::pair(position->latitude, position->longitude)) : std::nullopt,
                  c.position)
            << c.text;
    }
}

}  // namespace
}  // namespace lagewandler
