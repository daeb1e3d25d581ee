#include <cstdio>
#include <span>

#include "batch_conversion.h"
#include "regional_settings.h"

int main(int argc, char* argv[]) {
    const std::span<const char* const> arguments(argv + 1, static_cast<std::size_t>(argc - 1));
    return lagewandler::runBatchCommand(arguments, {fileno(stdin), fileno(stdout), fileno(stderr)},
                                        lagewandler::regionalDecimalSeparator());
}
