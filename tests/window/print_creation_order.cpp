// Prints what a screen reader must find in the window, one control a line in
// the shared creation order: its accessible role, its accessible name and,
// for a field, the name of the label it is labelled by, separated by tabs.
#include <iostream>

#include "form/layout.h"

namespace {

[[nodiscard]] const char* accessibleRole(lagewandler::ControlKind kind) {
    switch (kind) {
        case lagewandler::ControlKind::Button:
            return "push button";
        case lagewandler::ControlKind::Field:
            return "text";
        case lagewandler::ControlKind::Label:
            break;
    }
    return "label";
}

}  // namespace

int main() {
    using namespace lagewandler;
    for (const ControlId id : kCreationOrder) {
        const ControlRow& row = controlRow(id);
        const bool field = row.kind == ControlKind::Field;
        std::cout << accessibleRole(row.kind) << '\t' << (field ? labelCaption(id) : row.caption) << '\t'
                  << (field ? labelCaption(id) : "") << '\n';
    }
    return 0;
}
