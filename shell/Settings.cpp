#include "shell/Settings.h"

#include <QSettings>

QString ReadSetting(const SettingsKey &key, const QString &name, const QString &defaultValue)
{
    const QSettings settings(key.organization, key.application);
    return settings.value(name, defaultValue).toString();
}

void WriteSetting(const SettingsKey &key, const QString &name, const QString &text)
{
    QSettings settings(key.organization, key.application);
    settings.setValue(name, text);
    settings.sync();
}

QVariant ReadSettingValue(const SettingsKey &key, const QString &name)
{
    const QSettings settings(key.organization, key.application);
    return settings.value(name);
}

void WriteSettingValue(const SettingsKey &key, const QString &name, const QVariant &value)
{
    QSettings settings(key.organization, key.application);
    settings.setValue(name, value);
    settings.sync();
}
