#include "cli/console_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace lagewandler {
namespace {

// A console as Windows' wide functions present it: what was shown, and
// what the operator types, a line at a time; what a read has no room for
// waits for the next. u"^C" is Ctrl+C, which interrupts the read, and so
// does a read with nothing typed: a console waits for a key, never ends.
// u"" is a read of nothing, which ends the input.
struct FakeConsole final : Console {
    bool write(std::u16string_view units) override {
        shown.append(units);
        return true;
    }
    ConsoleRead read(char16_t* units, std::size_t size) override {
        if (typed.empty() || typed.front() == u"^C") return {0, std::make_error_code(std::errc::operation_canceled)};
        std::u16string& answer = typed.front();
        const std::size_t count = std::min(size, answer.size());
        std::copy_n(answer.begin(), count, units);
        answer.erase(0, count);
        if (answer.empty()) typed.erase(typed.begin());
        return {count, {}};
    }
    std::u16string shown;
    std::vector<std::u16string> typed;
};

// However the output is cut into writes, the console shows its characters.
TEST(ConsoleWriter, ShowsUtf8AsUtf16WhereverTheWritesSplitIt) {
    const std::string text = "line 1: ungültiger Zahlenwert \xF0\x9F\x98\x80\xFF\n";
    for (std::size_t piece = 1; piece <= text.size(); ++piece) {
        FakeConsole console;
        ConsoleWriter writer(console);
        for (std::size_t start = 0; start < text.size(); start += piece) {
            ASSERT_TRUE(writer.write(std::string_view(text).substr(start, piece)));
        }
        EXPECT_EQ(console.shown, u"line 1: ung\u00fcltiger Zahlenwert \xD83D\xDE00\uFFFD\n") << piece;
    }
}

TEST(ConsoleReader, ReadsTypedTextAsUtf8UntilCtrlZ) {
    const struct {
        std::vector<std::u16string> typed;
        std::string bytes;  // then "!" where reading failed
    } cases[] = {
        {{u"1234567\u00c4\r\n", u"\x1A\r\n", u"12345678\r\n"}, "1234567Ä\r\n"},
        {{u"1234\x1A" "5678\r\n"}, "1234"},
        {{u"1234567\xD83D", u"\xDE00\r\n", u"\x1A"}, "1234567\xF0\x9F\x98\x80\r\n"},  // a pair split between reads
        // A read that ends inside a pair: the console's read size cuts it.
        {{std::u16string(4095, u'A') + u"\xD83D\xDE00\r\n", u""}, std::string(4095, 'A') + "\xF0\x9F\x98\x80\r\n"},
        {{u"1\xD800", u"\x1A"}, "1\uFFFD"},
        {{u"12345678\r\n", u"^C"}, "12345678\r\n!"},
        {{u"1234"}, "1234!"},
    };
    for (const auto& c : cases) {
        for (const std::size_t piece : {std::size_t{1}, std::size_t{64}}) {
            FakeConsole console;
            console.typed = c.typed;
            ConsoleReader reader(console);
            std::string bytes;
            char buffer[64];
            for (std::ptrdiff_t count = 1; count > 0;) {
                std::error_code error;
                count = reader.read(buffer, piece, error);
                if (count < 0) bytes += '!';
                if (count > 0) bytes.append(buffer, static_cast<std::size_t>(count));
            }
            EXPECT_EQ(bytes, c.bytes) << piece;
        }
    }
}

}  // namespace
}  // namespace lagewandler
