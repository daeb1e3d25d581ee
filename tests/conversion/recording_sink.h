#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "conversion/messages.h"

// Records every message in the order the conversion shows them.
class RecordingSink : public lagewandler::MessageSink {
public:
    void showMessage(std::string_view text) override { messages.emplace_back(text); }

    std::vector<std::string> messages;
};
