#include "mpris/MprisRoot.h"

#include "common/Desktop.h"

#include <QWidget>

MprisRoot::MprisRoot(QWidget& window, QObject* service) : QDBusAbstractAdaptor(service), m_window(window) {}

QString MprisRoot::Identity() const
{
    return Desktop::programTitle();
}

// The movie types of the open dialog and excerpt files, as the launcher entry lists them.
QStringList MprisRoot::SupportedMimeTypes() const
{
    return {QStringLiteral("video/mpeg"),      QStringLiteral("video/x-ms-wmv"),
            QStringLiteral("video/x-msvideo"), QStringLiteral("video/quicktime"),
            QStringLiteral("video/mp4"),       QStringLiteral("video/3gpp"),
            QStringLiteral("video/x-flv"),     QStringLiteral("application/x-reelquill-excerpt")};
}

void MprisRoot::Raise()
{
    m_window.showNormal();
    m_window.raise();
    m_window.activateWindow();
}

void MprisRoot::Quit()
{
    m_window.close();
}
