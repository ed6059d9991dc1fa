#pragma once

#include <QString>

// Where the program keeps its one per-user setting: QSettings of the
// organisation "Halvenor" and the application "Vistrano".
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
