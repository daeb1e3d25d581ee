#pragma once

#include <string>
#include <vector>

namespace lagewandler {

// Windows only. Sets the standard streams to carry bytes unchanged (no
// "\r\n" for "\n" on output, no end of input at Ctrl-Z, no "\r" dropped on
// input), so output files are byte-identical to Linux ones. The console
// and its code pages are left as they are: a console is written and read
// through its own UTF-16 functions (see console_stream.h), so nothing needs
// restoring however the program ends.
void useBinaryStreams();

// Windows only. The arguments after the program name as UTF-8, taken from
// the wide command line, so non-ASCII text arrives whole whatever the
// system's ANSI code page. "lagewandler-cli --north 50 ÄÖÜ12345" gives
// {"--north", "50", "ÄÖÜ12345"}.
[[nodiscard]] std::vector<std::string> utf8Arguments();

}  // namespace lagewandler
