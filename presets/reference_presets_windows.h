#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <string_view>

#include "presets/reference_presets.h"

namespace lagewandler {

// A registry key that may hold presets: its root, its path under the root
// (UTF-16) and its name for people.
struct PolicyKey {
    HKEY root;
    std::wstring path;
    std::string name;
};

// The policy key kPolicyKeyPath under root, which people know as rootName
// ("HKLM").
[[nodiscard]] PolicyKey policyKey(HKEY root, std::string_view rootName);

// The presets in keys, each reference from the first key that holds its
// value. A string value (REG_SZ, or REG_EXPAND_SZ taken as written) gives its
// text, a REG_DWORD or REG_QWORD its decimal digits, any other type or a
// value that cannot be read "".
[[nodiscard]] ReferencePresets readPolicyPresets(std::span<const PolicyKey> keys);

}  // namespace lagewandler
