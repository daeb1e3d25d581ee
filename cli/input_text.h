#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "text/utf16_text.h"

namespace lagewandler {

// Turns the companion's standard input into UTF-8 text as it arrives, block
// by block. Input that begins with a byte-order mark is read in the encoding
// it names: UTF-8 without the mark (Notepad), UTF-16 in either byte order
// (Windows PowerShell 5.1's ">", Notepad's "Unicode"); any other input is
// taken as UTF-8, byte for byte. In UTF-16, a lone surrogate or a last odd
// byte becomes U+FFFD.
// Example: "\xFF\xFE" "1\0" "2\0" "\n\0" gives "12\n".
class InputText {
public:
    // The UTF-8 of the next block of input bytes: a view of bytes itself or
    // of a buffer of this object, valid until the next call.
    [[nodiscard]] std::string_view decode(std::string_view bytes);
    // What is left at the end of input: the start of a mark that never
    // completed, or U+FFFD for an unfinished UTF-16 character.
    [[nodiscard]] std::string_view finish();

private:
    enum class Encoding { Undecided, Utf8, Utf16LittleEndian, Utf16BigEndian };

    [[nodiscard]] std::string_view decideEncoding(std::string_view bytes);
    [[nodiscard]] std::string_view fromUtf16(std::string_view bytes);

    Encoding encoding_ = Encoding::Undecided;
    std::string start_;    // the first bytes, while they may still be a mark
    std::string decoded_;  // the UTF-8 of the last UTF-16 block
    int oddByte_ = -1;     // a UTF-16 code unit's first byte, or -1
    Utf16Decoder units_;
};

}  // namespace lagewandler
