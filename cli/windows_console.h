#pragma once

// Windows only: the standard streams that are console windows.

#include "cli/console_stream.h"

namespace lagewandler {

// The console reader or writer of a standard stream (0, 1 or 2) that is a
// console window; nullptr for a file, a pipe or no stream.
[[nodiscard]] ConsoleReader* consoleReaderOf(int fd);
[[nodiscard]] ConsoleWriter* consoleWriterOf(int fd);

}  // namespace lagewandler
