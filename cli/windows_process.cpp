#include "cli/windows_process.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "text/utf16_text.h"

namespace lagewandler {

void useBinaryStreams() {
    for (FILE* stream : {stdin, stdout, stderr}) _setmode(_fileno(stream), _O_BINARY);
}

std::vector<std::string> utf8Arguments() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    if (wide == nullptr) return arguments;
    for (int index = 1; index < count; ++index) arguments.push_back(utf8Text(wide[index]));
    LocalFree(wide);
    return arguments;
}

}  // namespace lagewandler
