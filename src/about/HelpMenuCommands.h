#pragma once

#include "about/KeyValueLookup.h"

#include <QString>
#include <QUrl>

#include <memory>

class Desktop;
class QWidget;

// The commands of the Help menu: the help page, the support page and the about window.
class HelpMenuCommands
{
public:
    // `programFolder` is where the help page stands (see helpFolder); the
    // about window finds the system-information program with `systemInfo`.
    HelpMenuCommands(Desktop& desktop, QWidget* dialogParent, QString programFolder,
                     std::unique_ptr<KeyValueLookup> systemInfo);
    // As above, looking for the system-information program on PATH.
    HelpMenuCommands(Desktop& desktop, QWidget* dialogParent, QString programFolder);
    ~HelpMenuCommands();

    static QString helpFileName() { return QStringLiteral("reelquill-help.html"); }
    static QString helpFilePath(const QString& programFolder);
    // The folder of the help page for a program in `programFolder`: that folder itself in the
    // build tree, the data folder of the installation the program belongs to when the page is
    // there; failing both, the program's folder, so that a missing page is named where expected.
    static QString helpFolder(const QString& programFolder);
    static QUrl supportAddress() { return QUrl(QStringLiteral("https://reelquill.org/support")); }

    // Opens the help page with the desktop's default viewer; a failure is not reported.
    void Help();
    // Opens the support page with the desktop's default browser; a failure is not reported.
    void OnlineSupport();
    // Shows the about window modal and returns when it is closed.
    void About();

private:
    Desktop& m_desktop;
    QWidget* m_dialogParent;
    QString m_programFolder;
    std::unique_ptr<KeyValueLookup> m_systemInfo;
};
