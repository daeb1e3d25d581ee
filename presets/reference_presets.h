#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lagewandler {

// Where IT presets the two references for every desk: on Windows the values
// kNorthPresetName and kEastPresetName (strings) under kPolicyKeyPath in the
// machine's policy key (HKLM) and, where the machine's has none, the user's
// (HKCU), as group policy writes them; elsewhere the same names in the
// system-wide settings file of Qt's system scope.
inline constexpr std::string_view kPolicyKeyPath = "SOFTWARE\\Policies\\Lagewandler";
inline constexpr std::string_view kNorthPresetName = "NorthReference";
inline constexpr std::string_view kEastPresetName = "EastReference";

// One preset reference: its text as IT wrote it (UTF-8, not yet judged) and,
// for people, where it was read ("HKLM\SOFTWARE\Policies\Lagewandler").
struct PresetReference {
    std::string text;
    std::string source;
    bool operator==(const PresetReference&) const = default;
};

// The presets of one desk; a reference that nobody preset is empty.
struct ReferencePresets {
    std::optional<PresetReference> north;
    std::optional<PresetReference> east;
    bool operator==(const ReferencePresets&) const = default;
};

// The presets in force where two places may hold them: each reference from
// first where it is set there, else from second.
[[nodiscard]] ReferencePresets firstSetOf(const ReferencePresets& first, const ReferencePresets& second);

// Reads this desk's presets afresh. A value that is there but cannot be
// read as text (a wrong registry type, a settings file that cannot be read)
// is preset as "", so that the window refuses its half instead of
// converting against the built-in reference.
[[nodiscard]] ReferencePresets readReferencePresets();

}  // namespace lagewandler
