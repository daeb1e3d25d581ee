#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "cli/batch_command.h"
#include "presets/reference_presets.h"
#include "regional/regional_settings.h"
#ifdef _WIN32
#include "cli/windows_process.h"
#endif

namespace {

// The C runtime's descriptor of stream; Windows' runtime spells it with an
// underscore.
[[nodiscard]] int descriptorOf(std::FILE* stream) {
#ifdef _WIN32
    return _fileno(stream);
#else
    return fileno(stream);
#endif
}

}  // namespace

int main([[maybe_unused]] int argc, [[maybe_unused]] char* argv[]) {
#ifdef _WIN32
    lagewandler::useBinaryStreams();
    // Windows hands main its arguments in the ANSI code page; read them anew.
    const std::vector<std::string> texts = lagewandler::utf8Arguments();
    std::vector<const char*> pointers;
    for (const std::string& text : texts) pointers.push_back(text.c_str());
    const std::span<const char* const> arguments(pointers);
#else
    const std::span<const char* const> arguments(argv + 1, static_cast<std::size_t>(argc - 1));
#endif
    return lagewandler::runBatchCommand(arguments, {descriptorOf(stdin), descriptorOf(stdout), descriptorOf(stderr)},
                                        lagewandler::regionalDecimalSeparator(), lagewandler::readReferencePresets());
}
