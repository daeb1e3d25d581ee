#pragma once

#include <array>
#include <cstddef>
#include <cstdlib>
#include <string_view>

#include "conversion/field_model.h"

namespace lagewandler {

// The window's layout as data, shared by every front-end so they cannot
// drift apart: each control's role, kind, caption, place and size, in tab
// order. Positions are in twips (1440 per inch) from the client area's
// top-left corner.

inline constexpr int kTwipsPerInch = 1440;
// The pixels per inch the layout was drawn for (100 %), and twips per pixel there.
inline constexpr int kLayoutDpi = 96;
inline constexpr int kTwipsPerPixel = kTwipsPerInch / kLayoutDpi;
inline constexpr int kClientWidthTwips = 4860;
inline constexpr int kClientHeightTwips = 4170;

// twips at dpi (96 is 100 %), rounded to the nearest pixel, a half up, as
// Windows' MulDiv rounds the layout's values (none is negative).
[[nodiscard]] constexpr int twipsToPixels(int twips, int dpi) {
    return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

// Each control's id: its role's number in its kind's hundred. A Windows
// window uses them as control ids, so UI automation finds Text2 as 102.
// None is 1 or 2, which Windows' dialog keys send for Enter and Escape.
enum class ControlId : int {
    Text1 = 101,  // east reference, whole degrees
    Text2,        // the eight-character position code
    Text3,        // latitude result
    Text4,        // longitude result
    Text5,        // compact text of the last conversion
    Text6,        // north reference, whole degrees
    Command1 = 201,  // "umwandeln"
    Command2,        // "Ende"
    Command3,        // "Clipboard"
    Command4,        // "ins Clipboard"
    Label1 = 301,
    Label2,
    Label3,
    Label4,
    Label5_0,
    Label5_1,
    Label6,
};

enum class ControlKind { Button, Field, Label };

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

struct ControlRow {
    ControlId id;
    std::string_view role;     // the control's name: "Text2", "Label5_0"
    ControlKind kind;
    std::string_view caption;  // a button's or label's caption, a field's initial text
    TwipsRect rect;
    ControlId label;           // for a field, the label that names it; else the control itself
};

// Every control, in tab order; labels never take the focus.
inline constexpr std::array<ControlRow, 17> kControls{{
    {ControlId::Command1, "Command1", ControlKind::Button, "umwandeln", {2280, 1440, 2175, 375}, ControlId::Command1},
    {ControlId::Text3, "Text3", ControlKind::Field, "", {2280, 2040, 2175, 285}, ControlId::Label5_1},
    {ControlId::Text6, "Text6", ControlKind::Field, kInitialNorthReference, {2280, 120, 495, 285}, ControlId::Label2},
    {ControlId::Label1, "Label1", ControlKind::Label, "Bzugspunkte", {120, 120, 1095, 255}, ControlId::Label1},
    {ControlId::Label2, "Label2", ControlKind::Label, "nördlich (50)", {1200, 120, 975, 255}, ControlId::Label2},
    {ControlId::Label3, "Label3", ControlKind::Label, "östlich (10)", {1200, 480, 975, 255}, ControlId::Label3},
    {ControlId::Text1, "Text1", ControlKind::Field, kInitialEastReference, {2280, 480, 495, 285}, ControlId::Label3},
    {ControlId::Text2, "Text2", ControlKind::Field, "", {2280, 960, 1215, 285}, ControlId::Label4},
    {ControlId::Label4, "Label4", ControlKind::Label, "8-stelliger Hex-Wert", {240, 960, 1935, 255}, ControlId::Label4},
    {ControlId::Label5_0, "Label5_0", ControlKind::Label, "Östlicher Längengrad", {240, 2520, 1815, 255},
     ControlId::Label5_0},
    {ControlId::Label5_1, "Label5_1", ControlKind::Label, "Nördlicher Breiengrad", {240, 2040, 1815, 255},
     ControlId::Label5_1},
    {ControlId::Text4, "Text4", ControlKind::Field, "", {2280, 2520, 2175, 285}, ControlId::Label5_0},
    {ControlId::Command2, "Command2", ControlKind::Button, "Ende", {2160, 3720, 1095, 375}, ControlId::Command2},
    {ControlId::Text5, "Text5", ControlKind::Field, "", {2280, 3000, 2175, 285}, ControlId::Label6},
    {ControlId::Label6, "Label6", ControlKind::Label, "Varn-konformer Text", {360, 3000, 1695, 255}, ControlId::Label6},
    {ControlId::Command3, "Command3", ControlKind::Button, "Clipboard", {3600, 960, 855, 255}, ControlId::Command3},
    {ControlId::Command4, "Command4", ControlKind::Button, "ins Clipboard", {3240, 3240, 1215, 255},
     ControlId::Command4},
}};

// The position of control id's row in kControls (its tab index); every id
// has one. Command1 -> 0, Label1 -> 3, Command4 -> 16.
[[nodiscard]] constexpr std::size_t controlIndex(ControlId id) {
    for (std::size_t index = 0; index < kControls.size(); ++index) {
        if (kControls[index].id == id) return index;
    }
    std::abort();  // not reached: every id above has a row
}

// The row of control id.
[[nodiscard]] constexpr const ControlRow& controlRow(ControlId id) { return kControls[controlIndex(id)]; }

// The order in which a window creates its controls, which is also their
// z-order: the tab order, except that the label of each field stands right
// before that field, where screen readers look for a field's name. Labels
// take no focus, so the focus still walks the tab order. Each control once.
[[nodiscard]] constexpr std::array<ControlId, kControls.size()> creationOrder() {
    std::array<ControlId, kControls.size()> order{};
    std::size_t next = 0;
    for (const ControlRow& row : kControls) {
        const bool namesAField = row.kind == ControlKind::Label && [&row] {
            for (const ControlRow& other : kControls) {
                if (other.kind == ControlKind::Field && other.label == row.id) return true;
            }
            return false;
        }();
        if (namesAField) continue;  // placed with its field
        if (row.kind == ControlKind::Field) order[next++] = row.label;
        order[next++] = row.id;
    }
    return order;
}
inline constexpr std::array<ControlId, kControls.size()> kCreationOrder = creationOrder();

// The caption of the label that names the field with id: Text2 -> "8-stelliger
// Hex-Wert". For a control without a label, its own caption.
[[nodiscard]] constexpr std::string_view labelCaption(ControlId id) {
    return controlRow(controlRow(id).label).caption;
}

// What the windows rely on of the table, checked when it is compiled.
namespace layout_checks {

[[nodiscard]] constexpr bool idsUnique() {
    for (std::size_t a = 0; a < kControls.size(); ++a) {
        for (std::size_t b = a + 1; b < kControls.size(); ++b) {
            if (kControls[a].id == kControls[b].id) return false;
        }
    }
    return true;
}

// Windows' dialog keys send 1 (IDOK) and 2 (IDCANCEL) as command ids.
[[nodiscard]] constexpr bool noDialogKeyIds() {
    for (const ControlRow& row : kControls) {
        const int id = static_cast<int>(row.id);
        if (id == 1 || id == 2) return false;
    }
    return true;
}

// Every button's id lies in Command1 ... Command4, and every id there is a button.
[[nodiscard]] constexpr bool buttonIdsContiguous() {
    int buttons = 0;
    for (const ControlRow& row : kControls) {
        const int id = static_cast<int>(row.id);
        const bool inRange = id >= static_cast<int>(ControlId::Command1) && id <= static_cast<int>(ControlId::Command4);
        if ((row.kind == ControlKind::Button) != inRange) return false;
        if (inRange) ++buttons;
    }
    return buttons == static_cast<int>(ControlId::Command4) - static_cast<int>(ControlId::Command1) + 1;
}

[[nodiscard]] constexpr bool wholePixels(int twips) { return twips % kTwipsPerPixel == 0; }

[[nodiscard]] constexpr bool rectanglesInWholePixels() {
    for (const ControlRow& row : kControls) {
        const TwipsRect& r = row.rect;
        if (!wholePixels(r.left) || !wholePixels(r.top) || !wholePixels(r.width) || !wholePixels(r.height)) {
            return false;
        }
    }
    return wholePixels(kClientWidthTwips) && wholePixels(kClientHeightTwips);
}

// A field is named by a label; any other control names itself.
[[nodiscard]] constexpr bool labelsNameFields() {
    for (const ControlRow& row : kControls) {
        const bool named = row.kind == ControlKind::Field ? controlRow(row.label).kind == ControlKind::Label
                                                          : row.label == row.id;
        if (!named) return false;
    }
    return true;
}

// Each control exactly once, each field right after its label, and the
// focusable controls in tab order.
[[nodiscard]] constexpr bool creationOrderSound() {
    for (const ControlRow& row : kControls) {
        int seen = 0;
        for (const ControlId id : kCreationOrder) seen += id == row.id ? 1 : 0;
        if (seen != 1) return false;
    }
    std::size_t lastFocusable = 0;
    for (std::size_t place = 0; place < kCreationOrder.size(); ++place) {
        const ControlRow& row = controlRow(kCreationOrder[place]);
        if (row.kind == ControlKind::Field && (place == 0 || kCreationOrder[place - 1] != row.label)) return false;
        if (row.kind == ControlKind::Label) continue;
        if (controlIndex(row.id) < lastFocusable) return false;
        lastFocusable = controlIndex(row.id);
    }
    return true;
}

[[nodiscard]] constexpr bool overlap(const TwipsRect& a, const TwipsRect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

// The overlaps the original layout has, kept: "ins Clipboard" reaches 3
// pixels into the field above it, "Bzugspunkte" 1 pixel into "nördlich (50)".
// Which control shows there is the toolkit's stacking order over
// kCreationOrder: on Windows the earlier child is on top (Text5 over "ins
// Clipboard", "nördlich (50)" over "Bzugspunkte"), in Qt the later one (the
// button over Text5, "Bzugspunkte" over "nördlich (50)").
inline constexpr std::array<std::array<ControlId, 2>, 2> kKnownOverlaps{{
    {ControlId::Text5, ControlId::Command4},
    {ControlId::Label1, ControlId::Label2},
}};

// No two rectangles overlap but the known pairs, which do.
[[nodiscard]] constexpr bool onlyKnownOverlaps() {
    for (std::size_t a = 0; a < kControls.size(); ++a) {
        for (std::size_t b = a + 1; b < kControls.size(); ++b) {
            bool known = false;
            for (const auto& pair : kKnownOverlaps) {
                known = known || (pair[0] == kControls[a].id && pair[1] == kControls[b].id) ||
                        (pair[1] == kControls[a].id && pair[0] == kControls[b].id);
            }
            if (overlap(kControls[a].rect, kControls[b].rect) != known) return false;
        }
    }
    return true;
}

static_assert(idsUnique());
static_assert(noDialogKeyIds());
static_assert(buttonIdsContiguous());
static_assert(rectanglesInWholePixels());
static_assert(labelsNameFields());
static_assert(creationOrderSound());
static_assert(onlyKnownOverlaps());

}  // namespace layout_checks
}  // namespace lagewandler
