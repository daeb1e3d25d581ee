// Feeds arbitrary bytes to the conversion as the three input fields (split at
// the first two NUL bytes into Text6, Text1 and Text2) and to the number
// reader and writers, and stops on any broken invariant as well as on any
// crash or undefined behaviour the sanitizers see.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "conversion/conversion_action.h"
#include "conversion/numeric_text.h"
#include "conversion/position_encoder.h"
#include "conversion/utf8_text.h"

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
    if (const auto position = lagewandler::readPosition(input, "\xD9\xAB")) {
        require(*position >= -10'000'000'000'000 && *position <= 10'000'000'000'000);
        static_cast<void>(lagewandler::encodeGroup(50, *position));
    }
    const std::string twoDigits = lagewandler::patternTwoDigits(value);
    const std::string twoDecimals = lagewandler::patternTwoDigitsTwoDecimals(value, ",");
    // Finite values get at least two integer digits ("inf" stands alone).
    require(!std::isfinite(value) || (twoDigits.size() >= 2 && twoDecimals.size() >= 5));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    checkConversion(input);
    checkNumbers(input);
    return 0;
}
