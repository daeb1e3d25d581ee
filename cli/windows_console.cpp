// The standard streams that are console windows, written and read through
// the console's UTF-16 functions, as Microsoft documents for Unicode text
// on a console: the console's code pages stay as the operator had them.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <io.h>

#include <algorithm>
#include <array>
#include <memory>

#include "cli/console_stream.h"

namespace lagewandler {
namespace {

// WriteConsoleW takes its text through the console's shared buffer, which
// Microsoft documents as limited (64 KiB): a long output goes in pieces.
constexpr std::size_t kLargestConsoleWrite = 8192;

class WindowsConsole final : public Console {
public:
    explicit WindowsConsole(HANDLE handle) : handle_(handle) {}

    bool write(std::u16string_view units) override {
        while (!units.empty()) {
            const auto piece = static_cast<DWORD>(std::min(units.size(), kLargestConsoleWrite));
            DWORD written = 0;
            // char16_t and wchar_t are both UTF-16 code units on Windows.
            if (!WriteConsoleW(handle_, units.data(), piece, &written, nullptr) || written == 0) return false;
            units.remove_prefix(written);
        }
        return true;
    }
    std::ptrdiff_t read(char16_t* units, std::size_t size) override {
        DWORD read = 0;
        if (!ReadConsoleW(handle_, units, static_cast<DWORD>(size), &read, nullptr)) return -1;
        return static_cast<std::ptrdiff_t>(read);
    }

private:
    HANDLE handle_;
};

struct ConsoleStream {
    explicit ConsoleStream(HANDLE handle) : console(handle), reader(console), writer(console) {}
    WindowsConsole console;
    ConsoleReader reader;
    ConsoleWriter writer;
};

constexpr int kStandardStreams = 3;

// The console behind a standard stream, looked up once; nullptr for a file,
// a pipe or any other descriptor.
[[nodiscard]] ConsoleStream* consoleOf(int fd) {
    static std::array<std::unique_ptr<ConsoleStream>, kStandardStreams> consoles;
    static std::array<bool, kStandardStreams> looked{};
    if (fd < 0 || fd >= kStandardStreams) return nullptr;
    const auto index = static_cast<std::size_t>(fd);
    if (!looked[index]) {
        looked[index] = true;
        const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
        DWORD mode = 0;
        if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
            consoles[index] = std::make_unique<ConsoleStream>(handle);
        }
    }
    return consoles[index].get();
}

}  // namespace

ConsoleReader* consoleReaderOf(int fd) {
    ConsoleStream* console = consoleOf(fd);
    return console != nullptr ? &console->reader : nullptr;
}

ConsoleWriter* consoleWriterOf(int fd) {
    ConsoleStream* console = consoleOf(fd);
    return console != nullptr ? &console->writer : nullptr;
}

}  // namespace lagewandler
