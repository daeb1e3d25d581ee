#include "presets/reference_presets_windows.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "text/utf16_text.h"

namespace lagewandler {
namespace {

// The text of a string value of size bytes, read whole; "" where it changed
// size under the read too often.
[[nodiscard]] std::wstring stringValue(const PolicyKey& key, const wchar_t* name, DWORD size) {
    // Another writer may grow the value between asking its size and reading it.
    constexpr int kMostReads = 4;
    for (int read = 0; read < kMostReads; ++read) {
        std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        const LSTATUS status = RegGetValueW(key.root, key.path.c_str(), name, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ |
                                            RRF_NOEXPAND, nullptr, text.data(), &got);
        if (status == ERROR_SUCCESS) {
            // got counts the terminating zero that RegGetValueW guarantees;
            // some tools store further zeros after the text, which no one sees.
            text.resize(got / sizeof(wchar_t));
            while (!text.empty() && text.back() == L'\0') text.pop_back();
            return text;
        }
        if (status != ERROR_MORE_DATA) return {};
        size = got;
    }
    return {};
}

// The preset value name in key: nothing where key or value is missing.
[[nodiscard]] std::optional<std::string> presetText(const PolicyKey& key, std::string_view valueName) {
    const std::wstring name = wideText(valueName);
    DWORD type = REG_NONE;
    DWORD size = 0;
    const LSTATUS status = RegGetValueW(key.root, key.path.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type,
                                        nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND) return std::nullopt;
    if (status != ERROR_SUCCESS) return std::string();
    if (type == REG_SZ || type == REG_EXPAND_SZ) return utf8Text(stringValue(key, name.c_str(), size));
    if (type == REG_DWORD || type == REG_QWORD) {
        std::uint64_t number = 0;
        DWORD numberSize = sizeof number;
        if (RegGetValueW(key.root, key.path.c_str(), name.c_str(), RRF_RT_DWORD | RRF_RT_QWORD, nullptr, &number,
                         &numberSize) != ERROR_SUCCESS) {
            return std::string();
        }
        return std::to_string(number);
    }
    return std::string();
}

// The presets that key holds.
[[nodiscard]] ReferencePresets presetsIn(const PolicyKey& key) {
    const auto preset = [&](std::string_view valueName) -> std::optional<PresetReference> {
        auto text = presetText(key, valueName);
        if (!text) return std::nullopt;
        return PresetReference{std::move(*text), key.name};
    };
    return {preset(kNorthPresetName), preset(kEastPresetName)};
}

}  // namespace

PolicyKey policyKey(HKEY root, std::string_view rootName) {
    return {root, wideText(kPolicyKeyPath), std::string(rootName) + "\\" + std::string(kPolicyKeyPath)};
}

ReferencePresets readPolicyPresets(std::span<const PolicyKey> keys) {
    ReferencePresets presets;
    for (const PolicyKey& key : keys) presets = firstSetOf(presets, presetsIn(key));
    return presets;
}

ReferencePresets readReferencePresets() {
    // The machine's policy key first, then the user's, as group policy writes them.
    const std::array keys{policyKey(HKEY_LOCAL_MACHINE, "HKLM"), policyKey(HKEY_CURRENT_USER, "HKCU")};
    return readPolicyPresets(keys);
}

}  // namespace lagewandler
