#include "conversion/position_reader.h"

#include <algorithm>
#include <array>
#include <span>

#include "conversion/position_units.h"
#include "text/characters.h"

namespace lagewandler {
namespace {

constexpr std::int64_t kDecimalRadix = 10;
// Beyond any reference and offset; keeps the arithmetic far from overflow.
constexpr int kMaxDegreeDigits = 6;
constexpr int kMaxPartDigits = 2;  // of minutes and of seconds
constexpr std::int64_t kMinutesPerDegree = 60;
constexpr std::int64_t kSecondsPerMinute = 60;
constexpr std::int64_t kSecondsPerDegree = kMinutesPerDegree * kSecondsPerMinute;

// A fraction is kept to five decimals and whether any later digit is
// non-zero. That decides every rounding exactly: the halfway points between
// two ten-thousandths of a degree have five decimals of a degree, three of a
// minute (multiples of 0.003) and two of a second (multiples of 0.18).
constexpr int kFractionDigits = 5;
constexpr std::int64_t kFractionScale = 100'000;

// One ten-thousandth of a degree in each unit, as multiplier / divisor:
// 10000 per degree, 10000 / 60 = 500 / 3 per minute, 10000 / 3600 = 25 / 9
// per second.
struct UnitScale {
    std::int64_t multiplier;
    std::int64_t divisor;
};
constexpr UnitScale kPerDegree{kTenThousandthsPerDegree, 1};
constexpr UnitScale kPerMinute{500, 3};
constexpr UnitScale kPerSecond{25, 9};
static_assert(kPerMinute.multiplier * kMinutesPerDegree == kTenThousandthsPerDegree * kPerMinute.divisor);
static_assert(kPerSecond.multiplier * kSecondsPerDegree == kTenThousandthsPerDegree * kPerSecond.divisor);

// The tool's own degrees/minutes/seconds text.
constexpr std::string_view kDegreesWord = "Grad";
constexpr std::string_view kMinutesWord = "Min.";
constexpr std::string_view kSecondsWord = "Sek.";
constexpr int kMaxGradSecondsDecimals = 6;
constexpr std::int64_t kMaxGradSeconds = 60;  // the conversion writes 60,00 where it rounds up

// The marks people write, in UTF-8. Two minute marks are a second mark, so
// seconds are looked for first.
constexpr std::array<std::string_view, 2> kDegreeMarks = {"\u00B0", "\u00BA"};
constexpr std::array<std::string_view, 3> kMinuteMarks = {"'", "\u2032", "\u2019"};
constexpr std::array<std::string_view, 6> kSecondMarks = {"\"",   "\u2033",       "\u201D",
                                                          "''",   "\u2032\u2032", "\u2019\u2019"};

// Walks a position text from its start.
class PositionCursor {
public:
    PositionCursor(std::string_view text, std::string_view decimalSeparator) noexcept
        : text_(text), separator_(decimalSeparator) {}

    // Passes over blanks; true when there was at least one.
    bool skipBlanks() noexcept {
        const std::size_t before = text_.size();
        while (!text_.empty() && isBlank(text_.front())) text_.remove_prefix(1);
        return text_.size() != before;
    }
    [[nodiscard]] char peek() const noexcept { return text_.empty() ? '\0' : text_.front(); }
    void advance() noexcept { text_.remove_prefix(1); }
    // Takes the text if it comes next.
    [[nodiscard]] bool take(std::string_view text) noexcept {
        if (text.empty() || !text_.starts_with(text)) return false;
        text_.remove_prefix(text.size());
        return true;
    }
    // Takes whichever of texts comes next, the first that does.
    [[nodiscard]] bool takeAny(std::span<const std::string_view> texts) noexcept {
        for (const std::string_view text : texts) {
            if (take(text)) return true;
        }
        return false;
    }
    // Takes word after at least one blank; false when it is not there.
    [[nodiscard]] bool takeWord(std::string_view word) noexcept { return skipBlanks() && take(word); }
    // Takes a sign: nothing where none comes, else whether it is "-".
    [[nodiscard]] std::optional<bool> takeSign() noexcept {
        if (peek() != '-' && peek() != '+') return std::nullopt;
        const bool negative = peek() == '-';
        advance();
        return negative;
    }
    // Takes a decimal point: '.', ',' or the regional separator.
    [[nodiscard]] bool takePoint() noexcept {
        if (peek() == '.' || peek() == ',') {
            advance();
            return true;
        }
        return take(separator_);
    }
    // Takes digits into value (at most maxDigits significant ones); returns
    // how many digits it took, or -1 where they are too many.
    [[nodiscard]] int takeDigits(std::int64_t& value, int maxDigits) noexcept {
        int taken = 0;
        int significant = 0;
        while (isDecimalDigit(peek())) {
            significant += value != 0 || peek() != '0' ? 1 : 0;
            if (significant > maxDigits) return -1;
            value = value * kDecimalRadix + (peek() - '0');
            advance();
            ++taken;
        }
        return taken;
    }
    [[nodiscard]] bool atEnd() noexcept {
        skipBlanks();
        return text_.empty();
    }

private:
    std::string_view text_;
    std::string_view separator_;
};

// floor(numerator / denominator + 1/2) for a positive denominator: the
// nearest whole number, an exact half rounding up.
[[nodiscard]] std::int64_t roundHalfUp(std::int64_t numerator, std::int64_t denominator) noexcept {
    const std::int64_t twice = 2 * numerator + denominator;
    const std::int64_t quotient = twice / (2 * denominator);
    return twice % (2 * denominator) < 0 ? quotient - 1 : quotient;
}

// A number as written: its whole part, the first kFractionDigits decimals
// (scaled to kFractionScale), and whether a later decimal is non-zero.
struct WrittenNumber {
    std::int64_t whole = 0;
    std::int64_t fraction = 0;
    bool laterNonZero = false;
    bool fractional = false;  // it has a decimal point
};

// Digits, and optionally a point and digits, with a digit somewhere; at most
// maxWholeDigits significant whole digits.
[[nodiscard]] std::optional<WrittenNumber> takeNumber(PositionCursor& cursor, int maxWholeDigits) {
    WrittenNumber number;
    const int wholeDigits = cursor.takeDigits(number.whole, maxWholeDigits);
    if (wholeDigits < 0) return std::nullopt;
    int decimals = 0;
    number.fractional = cursor.takePoint();
    if (number.fractional) {
        for (; isDecimalDigit(cursor.peek()); cursor.advance(), ++decimals) {
            const int digit = cursor.peek() - '0';
            if (decimals < kFractionDigits) number.fraction = number.fraction * kDecimalRadix + digit;
            else number.laterNonZero = number.laterNonZero || digit != 0;
        }
    }
    if (wholeDigits + decimals == 0) return std::nullopt;
    // Fewer decimals than kept: scaled up as if followed by zeros.
    constexpr std::array<std::int64_t, kFractionDigits + 1> kPowersOfTen = {1, 10, 100, 1000, 10'000, kFractionScale};
    number.fraction *= kPowersOfTen[static_cast<std::size_t>(kFractionDigits - std::min(decimals, kFractionDigits))];
    return number;
}

// The parts of a position as written: degrees, and minutes and seconds
// where given (count 1 to 3), each below its limit.
struct WrittenParts {
    WrittenNumber parts[3];
    int count = 1;
    bool endsInMark = false;  // the last part carries its mark
};

// The next part after a colon, or after a mark and blanks; minutes and
// seconds are whole numbers below 60 but for a fraction, and none follows a
// fractional part.
[[nodiscard]] bool takeNextPart(PositionCursor& cursor, WrittenParts& written) {
    if (written.parts[written.count - 1].fractional) return false;
    const auto part = takeNumber(cursor, kMaxPartDigits);
    if (!part || part->whole >= kSecondsPerMinute) return false;
    written.parts[written.count++] = *part;
    return true;
}

// Degrees with marks: D°, D° M', D° M' S", blanks after each mark allowed.
[[nodiscard]] bool takeMarkedParts(PositionCursor& cursor, WrittenParts& written) {
    written.endsInMark = true;
    cursor.skipBlanks();
    if (!isDecimalDigit(cursor.peek()) && cursor.peek() != '.') return true;
    if (!takeNextPart(cursor, written) || cursor.takeAny(kSecondMarks) || !cursor.takeAny(kMinuteMarks)) {
        return false;
    }
    cursor.skipBlanks();
    if (!isDecimalDigit(cursor.peek()) && cursor.peek() != '.') return true;
    return takeNextPart(cursor, written) && cursor.takeAny(kSecondMarks);
}

// The number part of a position: decimal degrees, degrees with marks, or
// parts apart by colons.
[[nodiscard]] std::optional<WrittenParts> takeParts(PositionCursor& cursor) {
    WrittenParts written;
    const auto degrees = takeNumber(cursor, kMaxDegreeDigits);
    if (!degrees) return std::nullopt;
    written.parts[0] = *degrees;
    if (cursor.takeAny(kDegreeMarks)) {
        if (!takeMarkedParts(cursor, written)) return std::nullopt;
    } else if (cursor.take(":")) {
        if (!takeNextPart(cursor, written)) return std::nullopt;
        if (cursor.take(":") && !takeNextPart(cursor, written)) return std::nullopt;
    }
    return written;
}

// The exact position of the parts, an exact half rounding up.
[[nodiscard]] std::int64_t partsPosition(const WrittenParts& written, bool negative) {
    constexpr UnitScale kScales[] = {kPerDegree, kPerMinute, kPerSecond};
    std::int64_t units = written.parts[0].whole;
    for (int index = 1; index < written.count; ++index) units = units * kSecondsPerMinute + written.parts[index].whole;
    const WrittenNumber& last = written.parts[written.count - 1];
    // In halves of the last fraction digit's unit: a non-zero later digit
    // puts the value strictly between two such numbers, where no halfway
    // point between ten-thousandths lies.
    const std::int64_t halves = 2 * (units * kFractionScale + last.fraction) + (last.laterNonZero ? 1 : 0);
    const UnitScale scale = kScales[written.count - 1];
    const std::int64_t magnitude = halves * scale.multiplier;
    return roundHalfUp(negative ? -magnitude : magnitude, 2 * kFractionScale * scale.divisor);
}

// A hemisphere letter: its axis and whether it counts negative.
struct Hemisphere {
    Axis axis;
    bool negative;
    bool isO;  // German east, which must not touch a digit
};

[[nodiscard]] std::optional<Hemisphere> hemisphereOf(char c) noexcept {
    switch (c) {
        case 'N': case 'n': return Hemisphere{Axis::Latitude, false, false};
        case 'S': case 's': return Hemisphere{Axis::Latitude, true, false};
        case 'E': case 'e': return Hemisphere{Axis::Longitude, false, false};
        case 'O': case 'o': return Hemisphere{Axis::Longitude, false, true};
        case 'W': case 'w': return Hemisphere{Axis::Longitude, true, false};
        default: return std::nullopt;
    }
}

// One half as read: the position, and the axis its letter names, if any.
struct HalfReading {
    std::int64_t position;
    std::optional<Axis> lettered;
};

// A sign or a letter before the number, a letter after it, or none.
[[nodiscard]] std::optional<HalfReading> readMarkedHalf(PositionCursor& cursor) {
    const std::optional<bool> sign = cursor.takeSign();
    std::optional<Hemisphere> letter;
    if (!sign) {
        letter = hemisphereOf(cursor.peek());
        if (letter) {
            cursor.advance();
            if (!cursor.skipBlanks() && letter->isO) return std::nullopt;
        }
    }
    const auto written = takeParts(cursor);
    if (!written) return std::nullopt;
    const bool blanksBefore = cursor.skipBlanks();
    if (const auto after = hemisphereOf(cursor.peek()); after && !sign && !letter) {
        if (after->isO && !blanksBefore && !written->endsInMark) return std::nullopt;
        letter = after;
        cursor.advance();
    }
    if (!cursor.atEnd()) return std::nullopt;
    const bool negative = sign.value_or(false) || (letter && letter->negative);
    return HalfReading{partsPosition(*written, negative), letter ? std::optional(letter->axis) : std::nullopt};
}

// "D Grad M Min. S Sek.": D signed, M 0 to 59, S 0 to 60 with up to six
// decimals; the position is D + M/60 + S/3600 degrees.
[[nodiscard]] std::optional<std::int64_t> readGradText(PositionCursor& cursor) {
    const bool negative = cursor.takeSign().value_or(false);
    std::int64_t degrees = 0, minutes = 0, seconds = 0;
    if (cursor.takeDigits(degrees, kMaxDegreeDigits) <= 0 || !cursor.takeWord(kDegreesWord)) return std::nullopt;
    // The sign belongs to the degrees and the minutes and seconds count up
    // from them, so the conversion never writes "-0 Grad": -0.5 degrees is
    // "-1 Grad 29 Min. 60,00 Sek.". A hand-written "-0 Grad 30 Min." means a
    // negative position this text cannot say; reading it as +0.5 would move
    // the place across the meridian or the equator.
    if (negative && degrees == 0) return std::nullopt;
    cursor.skipBlanks();
    if (cursor.takeDigits(minutes, kMaxPartDigits) <= 0 || minutes >= kMinutesPerDegree ||
        !cursor.takeWord(kMinutesWord)) {
        return std::nullopt;
    }
    cursor.skipBlanks();
    if (cursor.takeDigits(seconds, kMaxPartDigits) <= 0) return std::nullopt;
    std::int64_t scale = 1;  // 10 to the number of the seconds' decimals
    if (cursor.takePoint()) {
        const int decimals = cursor.takeDigits(seconds, kMaxPartDigits + kMaxGradSecondsDecimals);
        if (decimals <= 0 || decimals > kMaxGradSecondsDecimals) return std::nullopt;
        for (int place = 0; place < decimals; ++place) scale *= kDecimalRadix;
    }
    if (seconds > kMaxGradSeconds * scale || !cursor.takeWord(kSecondsWord) || !cursor.atEnd()) return std::nullopt;
    // In units of 1 / scale second, then rounded to ten-thousandths.
    const std::int64_t units =
        ((negative ? -degrees : degrees) * kSecondsPerDegree + minutes * kSecondsPerMinute) * scale + seconds;
    return roundHalfUp(units * kPerSecond.multiplier, kPerSecond.divisor * scale);
}

[[nodiscard]] bool hasGradWord(std::string_view text) noexcept {
    return text.find(kDegreesWord) != std::string_view::npos;
}

// One half of any form, with the axis its letter names; gradText says
// whether it is one of the tool's own texts, which hold "Grad".
[[nodiscard]] std::optional<HalfReading> readHalf(std::string_view text, std::string_view decimalSeparator,
                                                  bool gradText) {
    PositionCursor cursor(text, decimalSeparator);
    cursor.skipBlanks();
    if (!gradText) return readMarkedHalf(cursor);
    const auto position = readGradText(cursor);
    if (!position) return std::nullopt;
    return HalfReading{*position, std::nullopt};
}

// The two halves of a cut text put in order: latitude first, unless the
// letters say otherwise; nothing where both name one axis.
[[nodiscard]] std::optional<WholePosition> ordered(const HalfReading& first, const HalfReading& second) {
    if (first.lettered != Axis::Longitude && second.lettered != Axis::Latitude) {
        return WholePosition{first.position, second.position};
    }
    if (first.lettered != Axis::Latitude && second.lettered != Axis::Longitude) {
        return WholePosition{second.position, first.position};
    }
    return std::nullopt;
}

[[nodiscard]] constexpr bool isCutCharacter(char c) noexcept { return isBlank(c) || c == ',' || c == ';'; }

// A text with more places to cut than this is no position people write;
// the bound keeps a long line from being tried in too many ways.
constexpr int kMostCuts = 64;

}  // namespace

std::optional<std::int64_t> readPosition(std::string_view text, std::string_view decimalSeparator, Axis axis) {
    const auto half = readHalf(text, decimalSeparator, hasGradWord(text));
    if (!half || (half->lettered && *half->lettered != axis)) return std::nullopt;
    return half->position;
}

std::optional<WholePosition> readWholePosition(std::string_view text, std::string_view decimalSeparator) {
    // Where the whole text holds no "Grad", none of its parts does: the
    // search is made once for it, not once for every part.
    const bool mayHoldGrad = hasGradWord(text);
    const auto readPart = [&](std::string_view part) {
        return readHalf(part, decimalSeparator, mayHoldGrad && hasGradWord(part));
    };
    if (readPart(text)) return std::nullopt;
    std::optional<WholePosition> found;
    int cuts = 0;
    for (std::size_t start = 0; start < text.size(); ++start) {
        if (!isCutCharacter(text[start])) continue;
        std::size_t end = start;
        int punctuation = 0;
        for (; end < text.size() && isCutCharacter(text[end]); ++end) punctuation += isBlank(text[end]) ? 0 : 1;
        if (++cuts > kMostCuts) return std::nullopt;
        const auto first = punctuation <= 1 ? readPart(text.substr(0, start)) : std::nullopt;
        const auto second = first ? readPart(text.substr(end)) : std::nullopt;
        const auto position = second ? ordered(*first, *second) : std::nullopt;
        if (position) {
            if (found && (found->latitude != position->latitude || found->longitude != position->longitude)) {
                return std::nullopt;
            }
            found = position;
        }
        start = end - 1;
    }
    return found;
}

}  // namespace lagewandler
