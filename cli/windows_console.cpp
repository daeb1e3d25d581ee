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

#include "cli/windows_console.h"

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
            auto piece = static_cast<DWORD>(std::min(units.size(), kLargestConsoleWrite));
            // A piece never ends between the two halves of a surrogate pair,
            // which the console would show as two broken characters.
            if (piece < units.size() && isHighSurrogate(units[piece - 1])) --piece;
            DWORD written = 0;
            // char16_t and wchar_t are both UTF-16 code units on Windows.
            if (!WriteConsoleW(handle_, units.data(), piece, &written, nullptr) || written == 0) return false;
            units.remove_prefix(written);
        }
        return true;
    }
    // A read fails with the reason GetLastError gives. Ctrl+C and
    // Ctrl+Break during a read make ReadConsoleW succeed with no character
    // and ERROR_OPERATION_ABORTED: an interruption, not the end of input, so
    // that what was read is not taken for all of it.
    ConsoleRead read(char16_t* units, std::size_t size) override {
        DWORD read = 0;
        SetLastError(ERROR_SUCCESS);
        const BOOL succeeded = ReadConsoleW(handle_, units, static_cast<DWORD>(size), &read, nullptr);
        const DWORD reason = GetLastError();
        if (!succeeded || (read == 0 && reason == ERROR_OPERATION_ABORTED)) {
            return {0, std::error_code(static_cast<int>(reason != ERROR_SUCCESS ? reason : ERROR_READ_FAULT),
                                       std::system_category())};
        }
        return {read, {}};
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
