#pragma once

#include <QString>
#include <QVariant>

// Where the program keeps its per-user settings: QSettings of the
// organisation "Halvenor" and the application "Vistrano". "LastFolder" is
// the folder of the tree when the program last closed; the window's
// placement, the recent projects and the folders last used in the file
// dialogs are kept beside it.
struct SettingsKey
{
    QString organization = QStringLiteral("Halvenor");
    QString application = QStringLiteral("Vistrano");
};

// The text stored under the name, or the default when there is none. Each
// call opens and closes the settings on its own; nothing is cached.
QString ReadSetting(const SettingsKey &key, const QString &name, const QString &defaultValue);

// Stores the text under the name, creating the settings when missing.
void WriteSetting(const SettingsKey &key, const QString &name, const QString &text);

// Any other kind of value (a list of texts, the bytes of a window state);
// an invalid value when there is none.
QVariant ReadSettingValue(const SettingsKey &key, const QString &name);
void WriteSettingValue(const SettingsKey &key, const QString &name, const QVariant &value);
