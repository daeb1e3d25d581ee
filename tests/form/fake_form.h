#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "form/form_actions.h"

// A window in memory: fields as the layout starts them, and every message
// with the result fields as they stood while its box was open.
class FakeView final : public lagewandler::FormView {
public:
    struct Message {
        std::string text;
        std::string text3, text4, text5;
        bool operator==(const Message&) const = default;
        friend void PrintTo(const Message& m, std::ostream* out) {
            *out << '{' << m.text << " | " << m.text3 << " | " << m.text4 << " | " << m.text5 << '}';
        }
    };

    FakeView() {
        for (const auto& row : lagewandler::kControls) {
            if (row.kind == lagewandler::ControlKind::Field) fields[row.id] = std::string(row.caption);
        }
    }
    [[nodiscard]] std::string fieldText(lagewandler::ControlId field) const override { return fields.at(field); }
    void showFieldText(lagewandler::ControlId field, const std::string& text) override {
        fields[field] = text;
        ++rewrites;
    }
    void showMessage(std::string_view text) override {
        using lagewandler::ControlId;
        messages.push_back(
            {std::string(text), fields[ControlId::Text3], fields[ControlId::Text4], fields[ControlId::Text5]});
    }
    void closeWindow() override { closed = true; }

    std::map<lagewandler::ControlId, std::string> fields;
    std::vector<Message> messages;
    int rewrites = 0;
    bool closed = false;
};

// A clipboard in memory that can refuse writes (the next refusedWrites
// ones), be held by another program until busyUntil (no reads, no writes),
// or never be opened at all. Like Windows' it reports whether a write held.
// watched models the programs that open the clipboard after every change
// (clipboard history, Remote Desktop): from a write on, reads fail.
class FakeClipboard final : public lagewandler::Utf8Clipboard {
public:
    [[nodiscard]] std::optional<std::string> text() override {
        if (unreadable || std::chrono::steady_clock::now() < busyUntil) return std::nullopt;
        return content;
    }
    [[nodiscard]] bool setText(const std::string& text) override {
        ++writes;
        if (refusedWrites > 0) {
            --refusedWrites;
            return false;
        }
        if (std::chrono::steady_clock::now() < busyUntil) return false;
        content = text;
        unreadable = unreadable || watched;
        return true;
    }

    std::string content;
    bool unreadable = false;
    bool watched = false;
    int refusedWrites = 0;
    std::chrono::steady_clock::time_point busyUntil{};
    int writes = 0;
};
