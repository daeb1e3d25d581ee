#pragma once

#include <string>
#include <vector>

namespace lagewandler {

// Windows only. While it lives, the standard streams carry bytes unchanged
// (no "\r\n" for "\n" on output, no end of input at Ctrl-Z, no "\r" dropped
// on input), so output files are byte-identical to Linux ones, and the
// console reads and shows UTF-8, so "ungültiger Zahlenwert" reads right
// there as it does when redirected. The console's code pages are restored
// when it ends.
class WindowsStreams {
public:
    WindowsStreams();
    WindowsStreams(const WindowsStreams&) = delete;
    WindowsStreams& operator=(const WindowsStreams&) = delete;
    ~WindowsStreams();

private:
    unsigned inputCodePage_;
    unsigned outputCodePage_;
};

// Windows only. The arguments after the program name as UTF-8, taken from
// the wide command line, so non-ASCII text arrives whole whatever the
// system's ANSI code page. "lagewandler-cli --north 50 ÄÖÜ12345" gives
// {"--north", "50", "ÄÖÜ12345"}.
[[nodiscard]] std::vector<std::string> utf8Arguments();

}  // namespace lagewandler
