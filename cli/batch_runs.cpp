// The companion's two runs: codes to positions in three formats, and
// positions back to codes.
#include <array>
#include <charconv>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "cli/batch_runs.h"

#include "cli/batch_command.h"
#include "cli/batch_streams.h"
#include "cli/json_text.h"
#include "conversion/conversion_action.h"
#include "conversion/numeric_text.h"
#include "conversion/position_encoder.h"
#include "conversion/position_reader.h"
#include "conversion/position_units.h"

namespace lagewandler {
namespace {

constexpr std::string_view kLine = "line";
constexpr std::string_view kArgument = "argument";

// A code is handled by at most this many of a line's first bytes: a position
// code is eight characters, no more than 32 bytes, so what a longer line
// gives does not depend on the rest.
constexpr std::size_t kKeptCodeBytes = 64;
// A line of positions is read whole, since every digit of a position counts;
// a longer one is refused rather than cut. Far beyond any column layout.
constexpr std::size_t kLongestPositionLine = 64 * 1024;

// RFC 7946 positions are WGS 84 longitude and latitude, here in
// ten-thousandths of a degree.
constexpr std::int32_t kLargestLatitude = 90 * kTenThousandthsPerDegree;
constexpr std::int32_t kLargestLongitude = 180 * kTenThousandthsPerDegree;

// A line or argument number as text.
class NumberText {
public:
    explicit NumberText(std::uint64_t number) noexcept
        : end_(std::to_chars(digits_, digits_ + sizeof digits_, number).ptr) {}
    [[nodiscard]] std::string_view view() const noexcept {
        return {digits_, static_cast<std::size_t>(end_ - digits_)};
    }

private:
    char digits_[std::numeric_limits<std::uint64_t>::digits10 + 1];
    char* end_;
};

// Sends each message to the error output, naming where its code came from,
// and keeps the texts of the current code's messages. The results of the
// lines before it are written out first and the message at once, so that
// with both streams in one place ("2>&1") every message stands after the
// results of the lines before it.
class BatchMessageSink final : public MessageSink {
public:
    BatchMessageSink(OutputBuffer& output, OutputBuffer& errors) : output_(output), errors_(errors) {}

    // Where the next messages come from; forgets the last code's messages.
    void setPlace(std::string_view kind, std::uint64_t number) noexcept {
        kind_ = kind;
        number_ = number;
        texts.clear();
    }
    // The conversion's messages, kept for the code's results.
    void showMessage(std::string_view text) override {
        report(text);
        texts.push_back(text);
    }
    // Writes a message about the current code that is not kept.
    void report(std::string_view text) {
        say({kProgramName, ": ", kind_, " ", NumberText(number_).view(), ": ", text, "\n"});
    }
    // Writes a message of the given pieces. An output line left open (a
    // GeoJSON feature waiting for its comma) is ended first, so that with
    // "2>&1" the message stands on a line of its own; in JSON a line feed is
    // a blank.
    void say(std::initializer_list<std::string_view> pieces) {
        if (output_.lineOpen()) output_.add({"\n"});
        static_cast<void>(output_.flush());  // a failed output ends the run after this line
        errors_.add(pieces);
        static_cast<void>(errors_.flush());
        anyMessage = true;
    }

    bool anyMessage = false;
    // The current code's messages: the conversion's texts, which live as
    // long as the program.
    std::vector<std::string_view> texts;

private:
    OutputBuffer& output_;
    OutputBuffer& errors_;
    std::string_view kind_;
    std::uint64_t number_ = 0;
};

// The output and error streams of a run, with its messages.
class BatchRun : public LineHandler {
public:
    explicit BatchRun(const BatchStreams& streams)
        : output_(streams.output), errors_(streams.errors), sink_(output_, errors_) {}

    // Messages are written as well as they can be: a closed error stream
    // must not stop the run.
    [[nodiscard]] bool flush() override {
        static_cast<void>(errors_.flush());
        return output_.flush();
    }
    // Reads the lines of input; false when reading it failed, which is said.
    [[nodiscard]] bool readLines(int input, std::size_t limit) {
        const std::error_code readError = handleLines(input, *this, limit);
        if (!readError) return true;
        sink_.say({kProgramName, ": cannot read the input: ", readError.message(), "\n"});
        return false;
    }
    // Returns the exit status.
    [[nodiscard]] int finish() {
        const bool written = output_.flush();
        if (!written) {
            errors_.add({kProgramName, ": cannot write the output: ", std::generic_category().message(output_.error()),
                         "\n"});
        }
        static_cast<void>(errors_.flush());
        return written && !sink_.anyMessage ? 0 : 1;
    }

protected:
    OutputBuffer output_;
    OutputBuffer errors_;
    BatchMessageSink sink_;
};

// Writes a number field of a JSON object: exact decimal degrees, or null.
[[nodiscard]] char* writeDegrees(char* out, std::optional<std::int32_t> tenThousandths) noexcept {
    return tenThousandths ? writeDecimalDegrees(out, *tenThousandths) : writeText(out, "null");
}

// Room for the keys, punctuation, numbers and degrees of an object or feature.
constexpr std::size_t kRecordRoom = 256;

constexpr std::string_view kCollectionStart = "{\"type\":\"FeatureCollection\",\"features\":[";
constexpr std::string_view kCollectionEnd = "]}\n";

// Runs each code through the window's conversion on one field model that is
// reset to a freshly opened window's results before every code, and writes
// its results in the chosen format.
class BatchConverter final : public BatchRun {
public:
    BatchConverter(const BatchOptions& options, const BatchStreams& streams, std::string_view decimalSeparator)
        : BatchRun(streams),
          format_(options.format),
          environment_{sink_, decimalSeparator} {
        fields_.northReference = wholeNumberText(options.north);
        fields_.eastReference = wholeNumberText(options.east);
        if (format_ == OutputFormat::GeoJson) output_.add({kCollectionStart});
    }

    // A line longer than kKeptCodeBytes is no code whatever the rest holds.
    [[nodiscard]] bool line(std::string_view text, std::uint64_t number, bool /*whole*/) override {
        return convert(text, kLine, number);
    }

    // Converts one code and writes its results; false once output has failed.
    [[nodiscard]] bool convert(std::string_view code, std::string_view kind, std::uint64_t number) {
        fields_.positionCode.assign(code);
        fields_.latitude.clear();
        fields_.longitude.clear();
        fields_.compactResult.clear();
        sink_.setPlace(kind, number);
        positions_ = convertPositionCode(fields_, environment_);
        switch (format_) {
            case OutputFormat::Tsv: output_.addLine(fields_.latitude, fields_.longitude, fields_.compactResult); break;
            case OutputFormat::Json: writeObject(); break;
            case OutputFormat::GeoJson: writeFeature(number); break;
        }
        return output_.ok();
    }

    // complete is false after a failed read: a collection left open is one
    // that no reader takes for the whole input.
    [[nodiscard]] int finish(bool complete) {
        if (format_ == OutputFormat::GeoJson && complete) {
            output_.add({output_.lineOpen() ? "\n" : "", kCollectionEnd});
        }
        return BatchRun::finish();
    }

private:
    // Writes a record of at most room bytes with write(out) -> end: in place
    // in the output buffer, or, for a huge code, through a scratch text.
    template <typename Writer>
    void writeRecord(std::size_t room, Writer write) {
        if (room <= OutputBuffer::kLargestPlace) {
            output_.commit(write(output_.place(room)));
            return;
        }
        text_.resize(room);
        const char* end = write(text_.data());
        output_.add({{text_.data(), static_cast<std::size_t>(end - text_.data())}});
    }

    // Room for the code and the three texts.
    [[nodiscard]] std::size_t textsRoom() const noexcept {
        return kRecordRoom + jsonStringRoom(fields_.positionCode.size()) + jsonStringRoom(fields_.latitude.size()) +
               jsonStringRoom(fields_.longitude.size()) + jsonStringRoom(fields_.compactResult.size());
    }

    // The code and the three texts as "code", "latitude", "longitude", "compact".
    [[nodiscard]] char* writeTexts(char* out) const {
        out = writeJsonString(writeText(out, "\"code\":"), fields_.positionCode);
        out = writeJsonString(writeText(out, ",\"latitude\":"), fields_.latitude);
        out = writeJsonString(writeText(out, ",\"longitude\":"), fields_.longitude);
        return writeJsonString(writeText(out, ",\"compact\":"), fields_.compactResult);
    }

    void writeObject() {
        std::size_t room = textsRoom();
        for (const std::string_view message : sink_.texts) room += jsonStringRoom(message.size()) + 1;
        writeRecord(room, [this](char* out) {
            out = writeTexts(writeText(out, "{"));
            out = writeDegrees(writeText(out, ",\"latitude_degrees\":"), positions_.latitude);
            out = writeDegrees(writeText(out, ",\"longitude_degrees\":"), positions_.longitude);
            out = writeText(out, ",\"messages\":[");
            for (std::size_t index = 0; index < sink_.texts.size(); ++index) {
                if (index > 0) *out++ = ',';
                out = writeJsonString(out, sink_.texts[index]);
            }
            return writeText(out, "]}\n");
        });
    }

    // A half off the globe, which GeoJSON cannot hold, draws a message.
    [[nodiscard]] bool onGlobe(std::optional<std::int32_t> position, std::int32_t largest) {
        if (!position || (*position >= -largest && *position <= largest)) return true;
        sink_.report(kMessageInvalidNumber);
        return false;
    }

    // Only a code whose two halves converted to a place on the globe is a
    // feature. Each feature but the first begins with the comma after the
    // one before, and a line feed unless a message has ended that line.
    void writeFeature(std::uint64_t number) {
        const auto latitude = positions_.latitude, longitude = positions_.longitude;
        const bool latitudeOnGlobe = onGlobe(latitude, kLargestLatitude);
        if (!onGlobe(longitude, kLargestLongitude) || !latitudeOnGlobe || !latitude || !longitude) return;
        const bool first = features_++ == 0;
        const bool lineOpen = output_.lineOpen();
        writeRecord(textsRoom(), [&](char* out) {
            out = writeText(writeText(out, first ? "" : ","), lineOpen ? "\n" : "");
            out = writeText(out, "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[");
            out = writeDegrees(writeText(writeDegrees(out, longitude), ","), latitude);
            out = writeText(writeText(out, "]},\"properties\":{\"line\":"), NumberText(number).view());
            return writeText(writeTexts(writeText(out, ",")), "}}");
        });
    }

    OutputFormat format_;
    ConversionEnvironment environment_;
    FieldModel fields_;
    DecodedPositions positions_;  // of the code being written
    std::string text_;  // the object being written, kept for its capacity
    std::uint64_t features_ = 0;
};

// What a line too long to be read whole draws, naming the limit.
[[nodiscard]] std::string lineTooLongMessage() {
    return "line longer than " + std::string(NumberText(kLongestPositionLine).view()) + " bytes, not read";
}

// Encodes positions against the two references, a code a line.
class BatchEncoder final : public BatchRun {
public:
    BatchEncoder(const BatchOptions& options, const BatchStreams& streams, std::string_view decimalSeparator)
        : BatchRun(streams), separator_(decimalSeparator), north_(options.north), east_(options.east) {}

    // LATITUDE<TAB>LONGITUDE, anything after a further tab ignored, or a
    // whole position without a tab. A line too long to be read whole gives
    // an empty line and a message.
    [[nodiscard]] bool line(std::string_view text, std::uint64_t number, bool whole) override {
        if (!whole) {
            sink_.setPlace(kLine, number);
            sink_.report(lineTooLongMessage());
            output_.add({"\n"});
            return output_.ok();
        }
        const std::size_t tab = text.find('\t');
        if (tab == std::string_view::npos) return encode({text, {}, true}, kLine, number);
        const std::string_view rest = text.substr(tab + 1);
        return encode({text.substr(0, tab), rest.substr(0, rest.find('\t'))}, kLine, number);
    }

    // Writes the code of one position, or an empty line; false once output
    // has failed.
    [[nodiscard]] bool encode(const PositionTexts& texts, std::string_view kind, std::uint64_t number) {
        sink_.setPlace(kind, number);
        std::optional<std::int64_t> latitude, longitude;
        if (texts.whole) {
            const auto position = readWholePosition(texts.first, separator_);
            if (!position) return refuse();
            latitude = position->latitude;
            longitude = position->longitude;
        } else {
            latitude = readPosition(texts.first, separator_, Axis::Latitude);
            longitude = readPosition(texts.second, separator_, Axis::Longitude);
        }
        const auto first = group(north_, latitude, "latitude: ");
        const auto second = group(east_, longitude, "longitude: ");
        if (first && second) {
            output_.add({{first->data(), first->size()}, {second->data(), second->size()}, "\n"});
        } else {
            output_.add({"\n"});
        }
        return output_.ok();
    }

private:
    // A whole position that could not be read: an empty line and a message.
    [[nodiscard]] bool refuse() {
        sink_.report(kMessageInvalidNumber);
        output_.add({"\n"});
        return output_.ok();
    }

    // One half's group, or nothing with that half's message shown.
    [[nodiscard]] std::optional<std::array<char, 4>> group(std::int16_t reference,
                                                          std::optional<std::int64_t> position,
                                                          std::string_view half) {
        const auto encoded = position ? encodeGroup(reference, *position) : std::nullopt;
        if (!encoded) sink_.report(std::string(half) + std::string(kMessageInvalidNumber));
        return encoded;
    }

    std::string_view separator_;
    std::int16_t north_;
    std::int16_t east_;
};

}  // namespace

int runBatchConversion(const BatchOptions& options, const BatchStreams& streams, std::string_view decimalSeparator) {
    BatchConverter converter(options, streams, decimalSeparator);
    bool complete = true;
    if (options.codes.empty()) {
        complete = converter.readLines(streams.input, kKeptCodeBytes);
    } else {
        std::uint64_t number = 0;
        for (const std::string_view code : options.codes) {
            if (!converter.convert(code, kArgument, ++number)) break;
        }
    }
    return converter.finish(complete);
}

std::variant<std::vector<PositionTexts>, UnpairedArgument> groupPositionArguments(
    std::span<const std::string_view> arguments, std::string_view decimalSeparator) {
    std::vector<PositionTexts> positions;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        if (readWholePosition(arguments[index], decimalSeparator)) {
            positions.push_back({arguments[index], {}, true});
        } else if (index + 1 < arguments.size()) {
            positions.push_back({arguments[index], arguments[index + 1]});
            ++index;
        } else {
            return UnpairedArgument{index + 1};
        }
    }
    return positions;
}

int runBatchEncoding(const BatchOptions& options, std::span<const PositionTexts> positions,
                     const BatchStreams& streams, std::string_view decimalSeparator) {
    BatchEncoder encoder(options, streams, decimalSeparator);
    if (positions.empty()) {
        static_cast<void>(encoder.readLines(streams.input, kLongestPositionLine));
    } else {
        std::uint64_t number = 0;
        for (const PositionTexts& position : positions) {
            if (!encoder.encode(position, kArgument, ++number)) break;
        }
    }
    return encoder.finish();
}

}  // namespace lagewandler
