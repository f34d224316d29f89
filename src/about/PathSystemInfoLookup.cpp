#include "about/PathSystemInfoLookup.h"

#include <QStandardPaths>

QStringList PathSystemInfoLookup::programNames()
{
    // KDE's and the desktop-neutral ones first; the Xfce "About" window has a system page too.
    return {QStringLiteral("kinfocenter"), QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"),
            QStringLiteral("xfce4-about")};
}

PathSystemInfoLookup::PathSystemInfoLookup(QStringList searchFolders)
    : m_searchFolders(std::move(searchFolders))
{}

std::optional<KeyValueLookup::StoredValue> PathSystemInfoLookup::value(const QString& keyName,
                                                                       const QString& valueName) const
{
    if (keyName != QLatin1String(programKey) || valueName != QLatin1String(programValue))
        return std::nullopt;
    for (const QString& name : programNames()) {
        const QString path = QStandardPaths::findExecutable(name, m_searchFolders);
        if (!path.isEmpty())
            return StoredValue{ValueType::String, path.toUtf8()};
    }
    return std::nullopt;
}
