#pragma once

#include <QSettings>
#include <QString>

// The per-user settings store: the program's settings live in the section "Options" under the
// application name (the executable's base name).
class SettingsStore
{
public:
    // The store of the current user for the running executable.
    SettingsStore();
    // A store kept in one file; lets tests work on a settings file of their own.
    explicit SettingsStore(const QString& iniFile);

    QString text(const QString& key, const QString& fallback) const;
    void setText(const QString& key, const QString& value);

private:
    QSettings m_settings;
};
