#include "common/SettingsStore.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
const QString section = QStringLiteral("Options");

QString applicationName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}
} // namespace

SettingsStore::SettingsStore()
    : m_settings(QSettings::IniFormat, QSettings::UserScope, applicationName(), applicationName())
{
}

SettingsStore::SettingsStore(const QString& iniFile) : m_settings(iniFile, QSettings::IniFormat) {}

QString SettingsStore::text(const QString& key, const QString& fallback) const
{
    const QVariant stored = m_settings.value(section + QLatin1Char('/') + key);
    return stored.isValid() ? stored.toString() : fallback;
}

void SettingsStore::setText(const QString& key, const QString& value)
{
    m_settings.setValue(section + QLatin1Char('/') + key, value);
    m_settings.sync();
}
