#include "cli/console_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace lagewandler {
namespace {

// A console as Windows' wide functions present it: what was shown, and
// what the operator types, one ReadConsoleW answer at a time.
class FakeConsole final : public Console {
public:
    explicit FakeConsole(std::vector<std::u16string> typed = {}) : typed_(std::move(typed)) {}

    bool write(std::u16string_view units) override {
        shown.append(units);
        return true;
    }
    std::ptrdiff_t read(char16_t* units, std::size_t size) override {
        if (next_ == typed_.size()) return 0;
        const std::u16string& answer = typed_[next_++];
        if (answer == kFails) return -1;
        const std::size_t count = std::min(size, answer.size());
        std::copy_n(answer.begin(), count, units);
        return static_cast<std::ptrdiff_t>(count);
    }

    static inline const std::u16string kFails = u"(fails)";
    std::u16string shown;

private:
    std::vector<std::u16string> typed_;
    std::size_t next_ = 0;
};

// However the output is cut into writes, the console shows its characters.
TEST(ConsoleWriter, ShowsUtf8AsUtf16WhereverTheWritesSplitIt) {
    const std::string text = "lagewandler-cli: line 1: ungültiger Zahlenwert \xF0\x9F\x98\x80\n";
    for (std::size_t piece = 1; piece <= text.size(); ++piece) {
        FakeConsole console;
        ConsoleWriter writer(console);
        for (std::size_t start = 0; start < text.size(); start += piece) {
            ASSERT_TRUE(writer.write(std::string_view(text).substr(start, piece)));
        }
        EXPECT_EQ(console.shown, u"lagewandler-cli: line 1: ung\u00fcltiger Zahlenwert \xD83D\xDE00\n") << piece;
    }
    FakeConsole console;
    ConsoleWriter writer(console);
    ASSERT_TRUE(writer.write("1\xFF" "2"));
    EXPECT_EQ(console.shown, u"1\uFFFD2");
}

// Reads until the end, a byte at a time where asked, as the line reader does.
std::string readAll(ConsoleReader& reader, std::size_t piece, bool& failed) {
    std::string bytes;
    char buffer[64];
    for (std::ptrdiff_t count = reader.read(buffer, piece); count != 0; count = reader.read(buffer, piece)) {
        if (count < 0) {
            failed = true;
            return bytes;
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
    return bytes;
}

TEST(ConsoleReader, ReadsTypedTextAsUtf8UntilCtrlZ) {
    const struct {
        const char* name;
        std::vector<std::u16string> typed;
        std::string bytes;
        bool failed;
    } cases[] = {
        {"lines, then Ctrl+Z and Enter", {u"1234567\u00c4\r\n", u"\x1A\r\n", u"12345678\r\n"}, "1234567Ä\r\n", false},
        {"Ctrl+Z after text on its line", {u"1234\x1A" "5678\r\n"}, "1234", false},
        {"a pair split between two reads", {u"1234567\xD83D", u"\xDE00\r\n"}, "1234567\xF0\x9F\x98\x80\r\n", false},
        {"an unpaired surrogate at the end", {u"1\xD800"}, "1\uFFFD", false},
        {"a failed read", {u"12345678\r\n", FakeConsole::kFails}, "12345678\r\n", true},
    };
    for (const auto& c : cases) {
        for (const std::size_t piece : {std::size_t{1}, std::size_t{64}}) {
            FakeConsole console(c.typed);
            ConsoleReader reader(console);
            bool failed = false;
            EXPECT_EQ(readAll(reader, piece, failed), c.bytes) << c.name << " " << piece;
            EXPECT_EQ(failed, c.failed) << c.name;
        }
    }
}

}  // namespace
}  // namespace lagewandler
