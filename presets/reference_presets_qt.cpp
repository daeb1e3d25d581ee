#include <QSettings>
#include <QStringList>

#include "presets/reference_presets.h"

namespace lagewandler {
namespace {

// The settings file's organization and application, which give its path
// in Qt's system scope: /etc/xdg/Lagewandler/lagewandler.conf, or the same
// under the first folder of XDG_CONFIG_DIRS.
constexpr const char* kOrganization = "Lagewandler";
constexpr const char* kApplication = "lagewandler";

// The text of a value as the file gives it; Qt reads an unquoted value with
// commas as a list, whose parts are put together again.
[[nodiscard]] std::string valueText(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(',').toStdString();
    return value.toString().toStdString();
}

}  // namespace

ReferencePresets readReferencePresets() {
    QSettings settings(QSettings::NativeFormat, QSettings::SystemScope, kOrganization, kApplication);
    // Only this program's own file: not an organization-wide one beside it.
    settings.setFallbacksEnabled(false);
    const std::string source = settings.fileName().toStdString();
    const bool unreadable = settings.status() != QSettings::NoError;
    const auto preset = [&](std::string_view name) -> std::optional<PresetReference> {
        const QString key = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
        if (unreadable) return PresetReference{"", source};
        if (!settings.contains(key)) return std::nullopt;
        return PresetReference{valueText(settings.value(key)), source};
    };
    return {preset(kNorthPresetName), preset(kEastPresetName)};
}

}  // namespace lagewandler
