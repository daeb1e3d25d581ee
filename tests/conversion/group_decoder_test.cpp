#include "conversion/group_decoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/conversion/recording_sink.h"

namespace lagewandler {
namespace {

struct DecodeCase {
    const char* name;
    std::int16_t reference;
    const char* group;
    const char* dmsGerman;
    const char* dmsEnglish;
    const char* compact;
};

TEST(DecodeGroup, DecodesWorkedValuesUnderBothSeparators) {
    const DecodeCase cases[] = {
        {"1234", 50, "1234", "50 Grad 27 Min. 57,60 Sek.", "50 Grad 27 Min. 57.60 Sek.", "502758"},
        {"5678", 10, "5678", "12 Grad 12 Min. 48,96 Sek.", "12 Grad 12 Min. 48.96 Sek.", "121249"},
        {"zero", 50, "0000", "50 Grad 0 Min. 00,00 Sek.", "50 Grad 0 Min. 00.00 Sek.", "500000"},
        {"largest", 50, "7FFF", "53 Grad 16 Min. 36,12 Sek.", "53 Grad 16 Min. 36.12 Sek.", "531636"},
        {"lowest", 50, "8000", "46 Grad 43 Min. 23,52 Sek.", "46 Grad 43 Min. 23.52 Sek.", "464324"},
        {"minus one keeps 59.64 but compacts to 60", 10, "FFFF", "9 Grad 59 Min. 59,64 Sek.",
         "9 Grad 59 Min. 59.64 Sek.", "095960"},
        {"minus one degree does not borrow", 50, "D8F0", "49 Grad 0 Min. 00,00 Sek.", "49 Grad 0 Min. 00.00 Sek.",
         "490000"},
        {"minus two degrees does not borrow", 50, "B1E0", "48 Grad 0 Min. 00,00 Sek.", "48 Grad 0 Min. 00.00 Sek.",
         "480000"},
        {"whole negative minutes borrow to 60 seconds", 50, "FC18", "49 Grad 53 Min. 60,00 Sek.",
         "49 Grad 53 Min. 60.00 Sek.", "495360"},
        {"negative degree", -1, "0000", "-1 Grad 0 Min. 00,00 Sek.", "-1 Grad 0 Min. 00.00 Sek.", "-010000"},
        {"lower case hex", 50, "00ff", "50 Grad 1 Min. 31,80 Sek.", "50 Grad 1 Min. 31.80 Sek.", "500132"},
        {"highest reference without failure", 32764, "7FFF", "32767 Grad 16 Min. 36,12 Sek.",
         "32767 Grad 16 Min. 36.12 Sek.", "327671636"},
        {"lowest reference without failure", -32764, "8000", "-32768 Grad 43 Min. 23,52 Sek.",
         "-32768 Grad 43 Min. 23.52 Sek.", "-32768432"
                                            "4"},
    };
    for (const DecodeCase& c : cases) {
        for (const bool german : {true, false}) {
            RecordingSink sink;
            std::string compact = "prior";
            const ConversionEnvironment environment{sink, german ? "," : "."};
            EXPECT_EQ(DecodeGroup(c.reference, c.group, compact, environment), german ? c.dmsGerman : c.dmsEnglish)
                << c.name;
            EXPECT_EQ(compact, std::string("prior") + c.compact) << c.name;
            EXPECT_EQ(sink.messages, std::vector<std::string>{}) << c.name;
        }
    }
}

TEST(DecodeGroup, RefusesNonHexGroupsAndDegreesOutside16BitsOnceAndLeavesCompactTextAlone) {
    struct Case {
        const char* name;
        std::int16_t reference;
        const char* group;
    };
    const Case cases[] = {
        {"largest reference, one whole degree", 32767, "2710"},
        {"reference 32765 plus three degrees", 32765, "7FFF"},
        {"reference -32765 minus three degrees", -32765, "8000"},
        {"lowest reference borrows below range", -32768, "FFFF"},
        {"lowest reference, minus one degree", -32768, "D8F0"},
        {"no hex digit", 50, "ZZZZ"},
        {"blank inside", 50, "12 4"},
        {"umlaut of two bytes", 50, "1Ä23"},
        {"three characters", 50, "123"},
        {"five characters", 50, "12345"},
    };
    for (const Case& c : cases) {
        RecordingSink sink;
        std::string compact = "500000";
        EXPECT_EQ(DecodeGroup(c.reference, c.group, compact, {sink, ","}), "") << c.name;
        EXPECT_EQ(compact, "500000") << c.name;
        EXPECT_EQ(sink.messages, std::vector<std::string>{"ungültiger Zahlenwert"}) << c.name;
    }
}

// The decoding written out step by step in doubles, formatted with snprintf:
// an independent account of the rules to hold the decoder against.
struct LiteralResult {
    std::string dms;
    std::string compact;
};

std::string twoDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%s%02d", value < 0 ? "-" : "", value < 0 ? -value : value);
    return buffer;
}

LiteralResult decodeLiterally(int reference, int value) {
    const double whole = std::trunc(value / 10000.0);
    const double degreeSum = reference + whole;
    if (degreeSum < -32768 || degreeSum > 32767) return {};
    int degrees = static_cast<int>(degreeSum);
    const double minutesFraction = ((value - whole * 10000) * 60) / 10000;
    int minutes = static_cast<int>(std::trunc(minutesFraction));
    double seconds = (minutesFraction - minutes) * 60;
    if (minutesFraction < 0) {
        if (degrees == -32768) return {};
        degrees -= 1;
        minutes += 59;
        seconds += 60;
    }
    char dms[64];
    std::snprintf(dms, sizeof dms, "%d Grad %d Min. %05.2f Sek.", degrees, minutes, seconds);
    char secondsDigits[16];
    std::snprintf(secondsDigits, sizeof secondsDigits, "%02.0f", seconds);
    return {dms, twoDigits(degrees) + twoDigits(minutes) + secondsDigits};
}

TEST(DecodeGroup, AgreesWithTheLiteralArithmeticForEveryGroup) {
    const std::int16_t references[] = {50, 10, 0, -1, 90, -90, 32764, -32764, 32767, -32768};
    RecordingSink sink;
    const ConversionEnvironment environment{sink, "."};
    int mismatches = 0;
    for (const std::int16_t reference : references) {
        for (int pattern = 0; pattern <= 0xFFFF; ++pattern) {
            char group[8];
            std::snprintf(group, sizeof group, "%04X", pattern);
            const LiteralResult expected = decodeLiterally(reference, pattern >= 0x8000 ? pattern - 0x10000 : pattern);
            std::string compact;
            const std::string dms = DecodeGroup(reference, group, compact, environment);
            if ((dms != expected.dms || compact != expected.compact) && ++mismatches <= 5) {
                ADD_FAILURE() << reference << ' ' << group << ": " << dms << " / " << compact << " instead of "
                              << expected.dms << " / " << expected.compact;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace lagewandler
