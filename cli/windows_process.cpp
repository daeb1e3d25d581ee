#include "cli/windows_process.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace lagewandler {

WindowsStreams::WindowsStreams() : inputCodePage_(GetConsoleCP()), outputCodePage_(GetConsoleOutputCP()) {
    for (FILE* stream : {stdin, stdout, stderr}) _setmode(_fileno(stream), _O_BINARY);
    // Both are 0 without a console; then there is nothing to set or restore.
    if (inputCodePage_ != 0) SetConsoleCP(CP_UTF8);
    if (outputCodePage_ != 0) SetConsoleOutputCP(CP_UTF8);
}

WindowsStreams::~WindowsStreams() {
    if (inputCodePage_ != 0) SetConsoleCP(inputCodePage_);
    if (outputCodePage_ != 0) SetConsoleOutputCP(outputCodePage_);
}

namespace {

// A wide text as UTF-8; an unpaired surrogate becomes U+FFFD.
[[nodiscard]] std::string toUtf8(const wchar_t* text) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) return {};
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), bytes, nullptr, nullptr);
    utf8.pop_back();  // the terminating zero
    return utf8;
}

}  // namespace

std::vector<std::string> utf8Arguments() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    if (wide == nullptr) return arguments;
    for (int index = 1; index < count; ++index) arguments.push_back(toUtf8(wide[index]));
    LocalFree(wide);
    return arguments;
}

}  // namespace lagewandler
