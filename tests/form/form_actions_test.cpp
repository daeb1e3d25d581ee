#include "form/form_actions.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/form/fake_form.h"

namespace lagewandler {
namespace {

using Message = FakeView::Message;
constexpr const char* kLatitude = "50 Grad 27 Min. 57,60 Sek.";
constexpr const char* kLongitude = "12 Grad 12 Min. 48,96 Sek.";
constexpr const char* kPrior = "vorher";

std::string comma() { return ","; }

// The result fields hold kPrior before each action, so a case tells "left
// unchanged" from "written".
struct Window {
    Window() {
        for (ControlId id : {ControlId::Text3, ControlId::Text4, ControlId::Text5}) view.fields[id] = kPrior;
    }
    FakeView view;
    FakeClipboard clipboard;
    FormActions actions{view, clipboard, comma};
};

TEST(ConvertButton, WritesResultsAndShowsWhatIsConvertedWhileAMessageIsOpen) {
    struct Case {
        const char* name;
        std::string north, east, code;
        std::string text3, text4, text5;
        std::vector<Message> messages;
    };
    const Case cases[] = {
        {"worked example", "50", "10", "12345678", kLatitude, kLongitude, "502758121249", {}},
        {"failing north group", "32767", "10", "27105678", "", kLongitude, "",
         {{"ungültiger Zahlenwert", kPrior, kPrior, kPrior}}},
        {"east reference out of range", "50", "99999", "12345678", kLatitude, "", "",
         {{"ungültiger Zahlenwert", kLatitude, kPrior, kPrior}}},
        {"mistyped first group", "50", "10", "O2345678", "", kLongitude, "",
         {{"ungültiger Zahlenwert", kPrior, kPrior, kPrior}}},
        {"mistyped second group", "50", "10", "1234567O", kLatitude, "", "",
         {{"ungültiger Zahlenwert", kLatitude, kPrior, kPrior}}},
        {"empty north reference", "", "10", "12345678", "", kLongitude, "",
         {{"ungültiger Zahlenwert", kPrior, kPrior, kPrior}}},
        {"east reference without a digit", "50", "abc", "12345678", kLatitude, "", "",
         {{"ungültiger Zahlenwert", kLatitude, kPrior, kPrior}}},
        {"seven characters", "50", "10", "1234567", "", "", "", {{"Bitte 8 Stellen eingeben", "", "", ""}}},
    };
    for (const Case& c : cases) {
        Window window;
        window.view.fields[ControlId::Text6] = c.north;
        window.view.fields[ControlId::Text1] = c.east;
        window.view.fields[ControlId::Text2] = c.code;
        window.actions.Command1_Click();
        EXPECT_EQ(window.view.fields[ControlId::Text3], c.text3) << c.name;
        EXPECT_EQ(window.view.fields[ControlId::Text4], c.text4) << c.name;
        EXPECT_EQ(window.view.fields[ControlId::Text5], c.text5) << c.name;
        EXPECT_EQ(window.view.fields[ControlId::Text2], c.code) << c.name;
        EXPECT_EQ(window.view.messages, c.messages) << c.name;
    }
}

TEST(Presets, TheMachinesWinEachAndTheWindowJudgesThemAsTyped) {
    const PresetReference machine48{"48", "HKLM"}, user49{"49", "HKCU"}, user11{"11", "HKCU"}, wrong{"N48", "HKLM"};
    struct Case {
        const char* name;
        ReferencePresets machine, user;
        std::string text6, text1, text5;
    };
    const Case cases[] = {
        {"none", {}, {}, "50", "10", "502758121249"},
        {"machine", {machine48, std::nullopt}, {}, "48", "10", "482758121249"},
        {"user", {}, {user49, user11}, "49", "11", "492758131249"},
        {"both, each reference from the first that sets it", {machine48, std::nullopt}, {user49, user11}, "48", "11",
         "482758131249"},
        {"a wrong one refuses its half", {wrong, std::nullopt}, {user49, std::nullopt}, "N48", "10", ""},
        {"an unreadable value refuses its half", {std::nullopt, PresetReference{"", "HKLM"}}, {}, "50", "", ""},
    };
    for (const Case& c : cases) {
        FakeView view;
        const ReferencePresets presets = firstSetOf(c.machine, c.user);
        for (const auto& row : kControls) {
            if (row.kind == ControlKind::Field) view.fields[row.id] = openingText(row, presets);
        }
        FakeClipboard clipboard;
        FormActions actions{view, clipboard, comma};
        view.fields[ControlId::Text2] = "12345678";
        actions.Command1_Click();
        EXPECT_EQ(view.fields[ControlId::Text6], c.text6) << c.name;
        EXPECT_EQ(view.fields[ControlId::Text1], c.text1) << c.name;
        EXPECT_EQ(view.fields[ControlId::Text5], c.text5) << c.name;
    }
}

TEST(PasteButton, PutsTheClipboardIntoText2UnchangedAndConverts) {
    const Message needEight{"Bitte 8 Stellen eingeben", "", "", ""};
    using std::chrono::milliseconds;
    struct Case {
        const char* name;
        std::string clipboard;
        bool unreadable;
        milliseconds busyFor;
        std::string text2, text3;
        std::vector<Message> messages;
    };
    const Case cases[] = {
        {"worked example", "12345678", false, milliseconds(0), "12345678", kLatitude, {}},
        {"leading blank makes nine", " 12345678", false, milliseconds(0), " 12345678", "", {needEight}},
        {"trailing line feed kept", "12345678\n", false, milliseconds(0), "12345678\n", "", {needEight}},
        {"no text", "", false, milliseconds(0), "", "", {needEight}},
        {"ten megabytes", std::string(10'000'000, '7'), false, milliseconds(0), std::string(10'000'000, '7'), "",
         {needEight}},
        {"held by another program for 300 ms", "12345678", false, milliseconds(300), "12345678", kLatitude, {}},
        {"held by another program", "12345678", true, milliseconds(0), "getippt", kPrior,
         {{"Zwischenablage nicht verfügbar", kPrior, kPrior, kPrior}}},
    };
    for (const Case& c : cases) {
        Window window;
        window.view.fields[ControlId::Text2] = "getippt";
        window.clipboard.content = c.clipboard;
        window.clipboard.unreadable = c.unreadable;
        window.clipboard.busyUntil = std::chrono::steady_clock::now() + c.busyFor;
        window.actions.Command3_Click();
        EXPECT_EQ(window.view.fields[ControlId::Text2], c.text2) << c.name;
        EXPECT_EQ(window.view.fields[ControlId::Text3], c.text3) << c.name;
        EXPECT_EQ(window.view.messages, c.messages) << c.name;
    }
}

TEST(CopyButton, CopiesText5AsItStandsTryingForHalfASecondBeforeItReports) {
    using std::chrono::milliseconds;
    // How many tries a clipboard busy for a while takes depends on the clock.
    constexpr int kAnyCount = -1;
    const Message unavailable{"Zwischenablage nicht verfügbar", kPrior, kPrior, "502758121249"};
    struct Case {
        const char* name;
        std::string text5;
        int refusedWrites;
        milliseconds busyFor;
        bool watched;
        std::string clipboardAfter;
        int writes;
        std::vector<Message> messages;
    };
    const Case cases[] = {
        {"converted text", "502758121249", 0, milliseconds(0), false, "502758121249", 1, {}},
        {"empty text", "", 0, milliseconds(0), false, "", 1, {}},
        {"refuses four writes", "502758121249", 4, milliseconds(0), false, "502758121249", 5, {}},
        {"held for 300 ms", "502758121249", 0, milliseconds(300), false, "502758121249", kAnyCount, {}},
        {"never available", "502758121249", 1'000'000, milliseconds(0), false, "vorher", kAnyCount, {unavailable}},
        {"read by clipboard history right after the write", "502758121249", 0, milliseconds(0), true, "502758121249",
         1, {}},
    };
    for (const Case& c : cases) {
        Window window;
        window.view.fields[ControlId::Text5] = c.text5;
        window.clipboard.content = "vorher";
        window.clipboard.watched = c.watched;
        window.clipboard.refusedWrites = c.refusedWrites;
        window.clipboard.busyUntil = std::chrono::steady_clock::now() + c.busyFor;
        const auto start = std::chrono::steady_clock::now();
        window.actions.Command4_Click();
        // A clipboard that never takes the text is waited for half a second.
        if (!c.messages.empty()) {
            EXPECT_GE(std::chrono::steady_clock::now() - start, milliseconds(500)) << c.name;
        }
        EXPECT_EQ(window.clipboard.content, c.clipboardAfter) << c.name;
        if (c.writes != kAnyCount) {
            EXPECT_EQ(window.clipboard.writes, c.writes) << c.name;
        }
        EXPECT_EQ(window.view.messages, c.messages) << c.name;
        EXPECT_EQ(window.view.fields[ControlId::Text5], c.text5) << c.name;
    }
}

// A cell copied from a spreadsheet carries its line end: after a good code,
// its paste must leave nothing that "ins Clipboard" could send as a position.
TEST(PasteButton, ACellWithItsLineEndAfterAGoodCodeLeavesNothingToCopy) {
    Window window;
    window.clipboard.content = "ABCD1234";
    window.actions.Command3_Click();
    EXPECT_EQ(window.view.fields[ControlId::Text5], "475040102758");
    window.clipboard.content = "12345678\r\n";
    window.actions.Command3_Click();
    window.actions.Command4_Click();
    EXPECT_EQ(window.view.fields[ControlId::Text2], "12345678\r\n");
    for (ControlId id : {ControlId::Text3, ControlId::Text4, ControlId::Text5}) {
        EXPECT_EQ(window.view.fields[id], "");
    }
    EXPECT_EQ(window.clipboard.content, "");
    EXPECT_EQ(window.view.messages, (std::vector<Message>{{"Bitte 8 Stellen eingeben", "", "", ""}}));
}

TEST(Fields, AFieldWhoseTextStaysTheSameIsNotWrittenAgain) {
    struct Case {
        const char* name;
        void (FormActions::*action)();
        std::string text2, clipboard;
        int rewrites;
    };
    const Case cases[] = {
        {"conversion with the results already shown", &FormActions::Command1_Click, "12345678", "", 0},
        {"paste of the code already in Text2", &FormActions::Command3_Click, "12345678", "12345678", 0},
        {"paste of another code", &FormActions::Command3_Click, "12345678", "FC18D8F0", 4},
    };
    for (const Case& c : cases) {
        Window window;
        window.view.fields[ControlId::Text2] = c.text2;
        window.actions.Command1_Click();
        window.view.rewrites = 0;
        window.clipboard.content = c.clipboard;
        (window.actions.*c.action)();
        EXPECT_EQ(window.view.rewrites, c.rewrites) << c.name;
    }
}

}  // namespace
}  // namespace lagewandler
