#include "conversion/conversion_action.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/conversion/recording_sink.h"

namespace lagewandler {
namespace {

const std::vector<std::string> kNone{};
const std::vector<std::string> kNeedEight{"Bitte 8 Stellen eingeben"};
const std::vector<std::string> kInvalid{"ungültiger Zahlenwert"};
const std::vector<std::string> kInvalidTwice{"ungültiger Zahlenwert", "ungültiger Zahlenwert"};

constexpr const char* kLatitude1234 = "50 Grad 27 Min. 57,60 Sek.";
constexpr const char* kLongitude5678 = "12 Grad 12 Min. 48,96 Sek.";
constexpr const char* kPrior = "vorher";

struct ActionCase {
    const char* name;
    std::string northReference;
    std::string eastReference;
    std::string positionCode;
    std::string latitude;
    std::string longitude;
    std::string compactResult;
    std::vector<std::string> messages;
};

// Runs one conversion on a model whose result fields hold kPrior, so a case
// can tell "left unchanged" from "written".
void expectConversion(const ActionCase& c, const char* separator = ",") {
    FieldModel fields;
    fields.northReference = c.northReference;
    fields.eastReference = c.eastReference;
    fields.positionCode = c.positionCode;
    fields.latitude = fields.longitude = fields.compactResult = fields.compactText = kPrior;
    RecordingSink sink;
    Command1_Click(fields, {sink, separator});
    EXPECT_EQ(fields.latitude, c.latitude) << c.name;
    EXPECT_EQ(fields.longitude, c.longitude) << c.name;
    EXPECT_EQ(fields.compactResult, c.compactResult) << c.name;
    EXPECT_EQ(sink.messages, c.messages) << c.name;
    EXPECT_EQ(fields.positionCode, c.positionCode) << c.name;
}

TEST(Command1Click, ConvertsEightCharacterCodes) {
    const ActionCase cases[] = {
        {"worked example", "50", "10", "12345678", kLatitude1234, kLongitude5678, "502758121249", kNone},
        {"lower case equals upper case", "50", "10", "00ff00FF", "50 Grad 1 Min. 31,80 Sek.",
         "10 Grad 1 Min. 31,80 Sek.", "500132100132", kNone},
        {"comma in reference ends it", "50,7", "10", "12345678", kLatitude1234, kLongitude5678, "502758121249",
         kNone},
        {"half reference rounds to even down", "50.5", "10", "12345678", kLatitude1234, kLongitude5678,
         "502758121249", kNone},
        {"half reference rounds to even up", "51.5", "10", "12345678", "52 Grad 27 Min. 57,60 Sek.", kLongitude5678,
         "522758121249", kNone},
        {"hex reference", "&H32", "&HA", "12345678", kLatitude1234, kLongitude5678, "502758121249", kNone},
        {"negative references", "-1", "-10", "00000000", "-1 Grad 0 Min. 00,00 Sek.", "-10 Grad 0 Min. 00,00 Sek.",
         "-010000-100000", kNone},
    };
    for (const ActionCase& c : cases) expectConversion(c);
}

// No result of an earlier code stays beside a code of the wrong length.
TEST(Command1Click, RejectsCodesOfOtherLengthsAndEmptiesTheResults) {
    const ActionCase cases[] = {
        {"empty", "50", "10", "", "", "", "", kNeedEight},
        {"seven", "50", "10", "1234567", "", "", "", kNeedEight},
        {"nine", "50", "10", "123456789", "", "", "", kNeedEight},
        {"leading blank makes nine", "50", "10", " 12345678", "", "", "", kNeedEight},
        {"trailing line feed makes nine", "50", "10", "12345678\n", "", "", "", kNeedEight},
        {"spreadsheet cell with its line end", "50", "10", "12345678\r\n", "", "", "", kNeedEight},
        {"eight bytes but four characters", "50", "10", "ÄÖÜß", "", "", "", kNeedEight},
        {"ten megabyte paste", "50", "10", std::string(10'000'000, '1'), "", "", "", kNeedEight},
        {"bad reference is not read", "99999", "10", "1234567", "", "", "", kNeedEight},
    };
    for (const ActionCase& c : cases) expectConversion(c);
}

// The other group still shows, so the operator sees which half is wrong; the
// compact text stays empty, as half of one would pass for a position.
TEST(Command1Click, ReportsGroupFailuresAndConvertsTheOtherGroup) {
    const ActionCase cases[] = {
        {"north degree overflows", "32767", "10", "27105678", "", kLongitude5678, "", kInvalid},
        {"east degree overflows", "50", "-32768", "1234FFFF", kLatitude1234, "", "", kInvalid},
        {"north reference too large", "99999", "10", "12345678", "", kLongitude5678, "", kInvalid},
        {"east reference too small", "50", "-40000", "12345678", kLatitude1234, "", "", kInvalid},
        {"reference beyond double", "1e400", "10", "12345678", "", kLongitude5678, "", kInvalid},
        {"reference half above range", "32767.5", "10", "12345678", "", kLongitude5678, "", kInvalid},
        {"reference five hex digits", "50", "&H10000", "12345678", kLatitude1234, "", "", kInvalid},
        {"both references too large", "99999", "99999", "12345678", "", "", "", kInvalidTwice},
        {"empty north reference", "", "10", "12345678", "", kLongitude5678, "", kInvalid},
        {"east reference without a digit", "50", "abc", "12345678", kLatitude1234, "", "", kInvalid},
        {"sign alone", "-", "10", "12345678", "", kLongitude5678, "", kInvalid},
        {"full-width digits", "\xEF\xBC\x95\xEF\xBC\x90", "10", "12345678", "", kLongitude5678, "", kInvalid},
    };
    for (const ActionCase& c : cases) expectConversion(c);
}

// A group that is not four hexadecimal digits is refused, never read as far
// as it goes: a mistyped code must not become a position near the reference.
TEST(Command1Click, RefusesAGroupThatIsNotFourHexDigits) {
    const ActionCase cases[] = {
        {"letter beyond F beside a valid group", "50", "10", "1234G678", kLatitude1234, "", "", kInvalid},
        {"no hex digit at all", "50", "10", "ZZZZZZZZ", "", "", "", kInvalidTwice},
        {"letter O for a zero, first", "50", "10", "12O45678", "", kLongitude5678, "", kInvalid},
        {"letter O for a zero, second", "50", "10", "123456O8", kLatitude1234, "", "", kInvalid},
        {"blank, first", "50", "10", " 2345678", "", kLongitude5678, "", kInvalid},
        {"blank, second", "50", "10", "1234567 ", kLatitude1234, "", "", kInvalid},
        {"tab, first", "50", "10", "12\t45678", "", kLongitude5678, "", kInvalid},
        {"sign, first", "50", "10", "-1235678", "", kLongitude5678, "", kInvalid},
        {"sign, second", "50", "10", "1234+678", kLatitude1234, "", "", kInvalid},
        {"hex prefix, first", "50", "10", "&H125678", "", kLongitude5678, "", kInvalid},
        {"hex prefix, second", "50", "10", "1234&H78", kLatitude1234, "", "", kInvalid},
        {"umlaut, first", "50", "10", "Ä2345678", "", kLongitude5678, "", kInvalid},
        {"umlaut, second", "50", "10", "1234567Ä", kLatitude1234, "", "", kInvalid},
        {"emoji, first", "50", "10", "\xF0\x9F\x98\x80" "2345678", "", kLongitude5678, "", kInvalid},
        {"emoji, second", "50", "10", "1234567\xF0\x9F\x98\x80", kLatitude1234, "", "", kInvalid},
        {"invalid bytes, first", "50", "10", "\xFF\xFE\xFD" "45678", "", kLongitude5678, "", kInvalid},
    };
    for (const ActionCase& c : cases) expectConversion(c);
}

TEST(Command1Click, UsesTheGivenDecimalSeparator) {
    const ActionCase english{"english", "50", "10", "12345678", "50 Grad 27 Min. 57.60 Sek.",
                             "12 Grad 12 Min. 48.96 Sek.", "502758121249", kNone};
    expectConversion(english, ".");
}

// Records what the two result fields held when each message appeared.
class SnapshotSink : public MessageSink {
public:
    explicit SnapshotSink(const FieldModel& fields) : fields_(fields) {}
    void showMessage(std::string_view text) override {
        seen.push_back(std::string(text) + " | " + fields_.latitude + " | " + fields_.longitude);
    }
    std::vector<std::string> seen;

private:
    const FieldModel& fields_;
};

TEST(Command1Click, ShowsEachMessageAtItsPointInTheConversion) {
    struct Case {
        const char* name;
        const char* northReference;
        const char* eastReference;
        const char* positionCode;
        std::vector<std::string> seen;
    };
    const std::string invalid = "ungültiger Zahlenwert | ";
    const Case cases[] = {
        {"wrong length: results already empty", "50", "10", "1234567", {"Bitte 8 Stellen eingeben |  | "}},
        {"bad north reference: fields still as before", "99999", "10", "12345678", {invalid + "vorher | vorher"}},
        {"failing north group: fields still as before", "32767", "10", "27105678", {invalid + "vorher | vorher"}},
        {"bad east reference: latitude already written", "50", "99999", "12345678",
         {invalid + "50 Grad 27 Min. 57,60 Sek. | vorher"}},
        {"both bad: first empty when the second is shown", "99999", "-40000", "12345678",
         {invalid + "vorher | vorher", invalid + " | vorher"}},
    };
    for (const Case& c : cases) {
        FieldModel fields;
        fields.northReference = c.northReference;
        fields.eastReference = c.eastReference;
        fields.positionCode = c.positionCode;
        fields.latitude = fields.longitude = kPrior;
        SnapshotSink sink(fields);
        Command1_Click(fields, {sink, ","});
        EXPECT_EQ(sink.seen, c.seen) << c.name;
    }
}

TEST(Command1Click, StartsEveryRunWithEmptyCompactText) {
    FieldModel fields;
    RecordingSink sink;
    fields.positionCode = "12345678";
    Command1_Click(fields, {sink, ","});
    Command1_Click(fields, {sink, ","});
    EXPECT_EQ(fields.compactResult, "502758121249");
    fields.positionCode = "1234567O";
    Command1_Click(fields, {sink, ","});
    EXPECT_EQ(fields.compactText, "");
    EXPECT_EQ(fields.compactResult, "");
}

}  // namespace
}  // namespace lagewandler
