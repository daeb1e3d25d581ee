// Feeds arbitrary bytes to the conversion as the three input fields (split at
// the first two NUL bytes into Text6, Text1 and Text2), to the number
// reader and writers and to the position readers, writes a position the
// bytes choose in every form people write it, and stops on any broken
// invariant as well as on any crash or undefined behaviour the sanitizers
// see.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/conversion_action.h"
#include "conversion/numeric_text.h"
#include "conversion/position_encoder.h"
#include "conversion/position_reader.h"
#include "text/utf8_text.h"

namespace {

class CountingSink final : public lagewandler::MessageSink {
public:
    void showMessage(std::string_view text) override {
        if (text == lagewandler::kMessageNeedEightCharacters) ++needEight;
        else if (text == lagewandler::kMessageInvalidNumber) ++invalidNumber;
        else std::abort();
    }
    int needEight = 0;
    int invalidNumber = 0;
};

void require(bool condition) {
    if (!condition) std::abort();
}

std::string_view takeField(std::string_view& input) {
    const std::size_t end = input.find('\0');
    const std::string_view field = input.substr(0, end);
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    return field;
}

bool isFourHexDigits(std::string_view text) {
    return text.size() == 4 && text.find_first_not_of("0123456789ABCDEFabcdef") == std::string_view::npos;
}

bool isCompactDigits(std::string_view text) {
    return text.find_first_not_of("-0123456789") == std::string_view::npos;
}

void checkConversion(std::string_view input) {
    constexpr std::string_view kPrior = "vorher";
    lagewandler::FieldModel fields;
    fields.northReference = takeField(input);
    fields.eastReference = takeField(input);
    fields.positionCode = takeField(input);
    fields.latitude = fields.longitude = fields.compactResult = kPrior;
    const std::string code = fields.positionCode;
    CountingSink sink;
    const std::string_view separator = input.empty() ? "," : "\xD9\xAB";
    lagewandler::Command1_Click(fields, {sink, separator});

    require(fields.positionCode == code);
    if (lagewandler::utf8CharacterCountUpTo(code, lagewandler::kPositionCodeLength) !=
        lagewandler::kPositionCodeLength) {
        require(sink.needEight == 1 && sink.invalidNumber == 0);
        require(fields.latitude.empty() && fields.longitude.empty() && fields.compactResult.empty());
        return;
    }
    require(sink.needEight == 0 && sink.invalidNumber <= 2);
    const int emptyResults = (fields.latitude.empty() ? 1 : 0) + (fields.longitude.empty() ? 1 : 0);
    require(emptyResults == sink.invalidNumber);
    // A result comes only from a group of four hexadecimal digits (each one
    // byte, so the groups are the code's first and last four bytes).
    require(fields.latitude.empty() || isFourHexDigits(std::string_view(code).substr(0, 4)));
    require(fields.longitude.empty() || isFourHexDigits(std::string_view(code).substr(code.size() - 4)));
    require(fields.compactResult == fields.compactText && isCompactDigits(fields.compactResult));
    // A compact text comes only from a conversion without a message.
    require(fields.compactResult.empty() || sink.invalidNumber == 0);
}

void checkNumbers(std::string_view input) {
    const double value = lagewandler::readNumericText(input);
    require(value == value);  // never NaN
    // A text without a digit reads as 0 (the companion refuses it as a reference).
    require(lagewandler::numericTextHasDigit(input) || value == 0.0);
    static_cast<void>(lagewandler::roundToInt16(value));
    // A position read back from any text is a whole number of
    // ten-thousandths within the reader's limits, or nothing.
    constexpr std::int64_t kFarthest = 10'000'000'000'000;
    if (const auto position = lagewandler::readPosition(input, "\xD9\xAB", lagewandler::Axis::Latitude)) {
        require(*position >= -kFarthest && *position <= kFarthest);
        static_cast<void>(lagewandler::encodeGroup(50, *position));
    }
    if (const auto whole = lagewandler::readWholePosition(input, "\xD9\xAB")) {
        require(std::abs(whole->latitude) <= kFarthest && std::abs(whole->longitude) <= kFarthest);
    }
    const std::string twoDigits = lagewandler::patternTwoDigits(value);
    const std::string twoDecimals = lagewandler::patternTwoDigitsTwoDecimals(value, ",");
    // Finite values get at least two integer digits ("inf" stands alone).
    require(!std::isfinite(value) || (twoDigits.size() >= 2 && twoDecimals.size() >= 5));
}

// The fuzzer's bytes, taken from the front one at a time (0 once used up).
class ByteSource {
public:
    explicit ByteSource(std::string_view bytes) : bytes_(bytes) {}
    unsigned next() {
        if (bytes_.empty()) return 0;
        const auto byte = static_cast<unsigned char>(bytes_.front());
        bytes_.remove_prefix(1);
        return byte;
    }
    // A number from the next count bytes.
    std::int64_t number(int count) {
        std::int64_t value = 0;
        for (int index = 0; index < count; ++index) value = value * 256 + next();
        return value;
    }

private:
    std::string_view bytes_;
};

std::string digits(std::int64_t value, int width) {
    std::string text = std::to_string(value);
    return std::string(static_cast<std::size_t>(std::max(0, width - static_cast<int>(text.size()))), '0') + text;
}

// How one position is written: its sign or hemisphere letter, decimal
// point, and the blanks between its parts, chosen by the fuzzer.
struct Writing {
    bool latitude;
    bool letter;        // a hemisphere letter instead of a sign
    bool letterBefore;  // the letter before the number, not after it
    char point;
    std::string blank;  // between the parts: "" or " "

    // text with the sign or letter of a position (negative or not).
    std::string withSign(const std::string& text, bool negative) const {
        if (!letter) return (negative ? "-" : "") + text;
        const std::string name(1, latitude ? (negative ? 'S' : 'N') : (negative ? 'W' : 'E'));
        return letterBefore ? name + " " + text : text + " " + name;
    }
};

// A position of ten-thousandths in each form a person writes; all of them
// are exact, as a ten-thousandth of a degree is 0.006 minutes and 0.36
// seconds.
std::vector<std::string> formsOf(std::int64_t tenThousandths, const Writing& w) {
    const bool negative = tenThousandths < 0;
    const std::int64_t magnitude = std::abs(tenThousandths), degrees = magnitude / 10000, rest = magnitude % 10000;
    const std::int64_t thousandthMinutes = rest * 6, hundredthSeconds = rest * 36;
    const std::string d = std::to_string(degrees);
    return {
        w.withSign(d + w.point + digits(rest, 4), negative),
        w.withSign(d + w.point + digits(rest, 4) + "\u00B0", negative),
        w.withSign(d + "\u00B0" + w.blank + digits(thousandthMinutes / 1000, 1) + w.point +
                      digits(thousandthMinutes % 1000, 3) + "'", negative),
        w.withSign(d + "\u00B0" + w.blank + std::to_string(hundredthSeconds / 6000) + "\u2032" + w.blank +
                      std::to_string(hundredthSeconds % 6000 / 100) + w.point + digits(hundredthSeconds % 100, 2) +
                      "\u2033", negative),
        w.withSign(d + ":" + std::to_string(hundredthSeconds / 6000) + ":" +
                      std::to_string(hundredthSeconds % 6000 / 100) + w.point + digits(hundredthSeconds % 100, 2), negative),
    };
}

// Every form of a position reads as its decimal degrees do, alone and in
// one field with a longitude; degrees, minutes and seconds from the bytes,
// valid or not, read alike in every form that can write them, or are
// refused alike.
void checkPositionForms(std::string_view input) {
    ByteSource bytes(input);
    const unsigned choice = bytes.next();
    Writing lat{true, (choice & 1U) != 0, (choice & 2U) != 0, (choice & 4U) != 0 ? ',' : '.',
                (choice & 8U) != 0 ? " " : ""};
    Writing lon = lat;
    lon.latitude = false;
    constexpr std::int64_t kLargest = 9'999'999'999;  // 999999.9999 degrees
    const std::int64_t latitude = bytes.number(5) % (2 * kLargest + 1) - kLargest;
    const std::int64_t longitude = bytes.number(5) % (2 * kLargest + 1) - kLargest;
    const std::vector<std::string> latitudes = formsOf(latitude, lat), longitudes = formsOf(longitude, lon);
    const std::string_view separator = (choice & 16U) != 0 ? ";" : ", ";
    for (std::size_t form = 0; form < latitudes.size(); ++form) {
        require(lagewandler::readPosition(latitudes[form], ",", lagewandler::Axis::Latitude) == latitude);
        require(lagewandler::readPosition(longitudes[form], ",", lagewandler::Axis::Longitude) == longitude);
        const std::string field = latitudes[form] + std::string(separator) + longitudes[form];
        const auto whole = lagewandler::readWholePosition(field, ",");
        require(whole && whole->latitude == latitude && whole->longitude == longitude);
    }
    // Parts as the bytes give them: minutes and seconds up to 99.
    const std::string d = std::to_string(bytes.number(3) % 10'000'000), m = std::to_string(bytes.next() % 100);
    const std::string s = std::to_string(bytes.next() % 100) + lat.point + digits(bytes.next() % 100, 2);
    const std::string texts[] = {
        lat.withSign(d + "\u00B0" + lat.blank + m + "'" + lat.blank + s + "\"", (choice & 32U) != 0),
        lat.withSign(d + ":" + m + ":" + s, (choice & 32U) != 0),
    };
    const auto first = lagewandler::readPosition(texts[0], ",", lagewandler::Axis::Latitude);
    require(lagewandler::readPosition(texts[1], ",", lagewandler::Axis::Latitude) == first);
    const auto whole = lagewandler::readWholePosition(texts[1] + std::string(separator) + longitudes[0], ",");
    require(whole ? first && whole->latitude == *first : !first);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    checkConversion(input);
    checkNumbers(input);
    checkPositionForms(input);
    return 0;
}
