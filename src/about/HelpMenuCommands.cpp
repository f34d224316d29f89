#include "about/HelpMenuCommands.h"

#include "about/PathSystemInfoLookup.h"
#include "about/frmAbout.h"
#include "common/Desktop.h"

#include <QDir>
#include <QFileInfo>

HelpMenuCommands::HelpMenuCommands(Desktop& desktop, QWidget* dialogParent, QString programFolder,
                                   std::unique_ptr<KeyValueLookup> systemInfo)
    : m_desktop(desktop), m_dialogParent(dialogParent), m_programFolder(std::move(programFolder)),
      m_systemInfo(std::move(systemInfo))
{}

HelpMenuCommands::HelpMenuCommands(Desktop& desktop, QWidget* dialogParent, QString programFolder)
    : HelpMenuCommands(desktop, dialogParent, std::move(programFolder),
                       std::make_unique<PathSystemInfoLookup>())
{}

HelpMenuCommands::~HelpMenuCommands() = default;

// QDir joins with exactly one separator, also when the program stands in the root folder.
QString HelpMenuCommands::helpFilePath(const QString& programFolder)
{
    return QDir(programFolder).filePath(helpFileName());
}

QString HelpMenuCommands::helpFolder(const QString& programFolder)
{
    const QString installed = QDir::cleanPath(programFolder + QStringLiteral("/../share/reelquill"));
    if (!QFileInfo::exists(helpFilePath(programFolder)) && QFileInfo::exists(helpFilePath(installed)))
        return installed;
    return programFolder;
}

void HelpMenuCommands::Help()
{
    m_desktop.openUrl(QUrl::fromLocalFile(helpFilePath(m_programFolder)));
}

void HelpMenuCommands::OnlineSupport()
{
    m_desktop.openUrl(supportAddress());
}

// A fresh window each time: while it is open the main window takes no commands, so there is
// never a second one.
void HelpMenuCommands::About()
{
    frmAbout about(m_desktop, *m_systemInfo, m_dialogParent);
    about.exec();
}
