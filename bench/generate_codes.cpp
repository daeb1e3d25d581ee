// Writes COUNT random eight-digit hexadecimal codes, one a line, to standard
// output. The generator and its seed are fixed, so every run writes the same.
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

int main(int argc, char* argv[]) {
    constexpr unsigned long kDefaultCount = 1'000'000;
    constexpr std::mt19937::result_type kSeed = 20261209;
    const unsigned long count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : kDefaultCount;
    std::mt19937 random(kSeed);
    std::string line(9, '\n');
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    for (unsigned long i = 0; i < count; ++i) {
        const auto value = static_cast<std::uint32_t>(random());
        for (int digit = 0; digit < 8; ++digit) line[digit] = kHexDigits[(value >> (28 - 4 * digit)) & 0xFU];
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    return 0;
}
