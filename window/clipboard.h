#pragma once

#include "form/form_actions.h"

namespace lagewandler {

// The desktop's clipboard (the regular one, not the X11 selection), as plain
// text. Qt cannot tell a clipboard that is held elsewhere from an empty one,
// so text() always has a value.
class SystemClipboard final : public Utf8Clipboard {
public:
    [[nodiscard]] std::optional<std::string> text() override;
    [[nodiscard]] bool setText(const std::string& text) override;
};

}  // namespace lagewandler
