#pragma once

#include <QString>

#include <string_view>

namespace lagewandler {

// A UTF-8 text as Qt's string: "Ende" -> "Ende", "östlich (10)" -> "östlich (10)".
[[nodiscard]] inline QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace lagewandler
