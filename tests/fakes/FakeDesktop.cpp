#include "fakes/FakeDesktop.h"

QString FakeDesktop::takeFirstOrEmpty(QStringList& answers)
{
    return answers.isEmpty() ? QString() : answers.takeFirst();
}

QString FakeDesktop::openFileName(QWidget*, const QString& filter)
{
    filtersShown << filter;
    return takeFirstOrEmpty(fileAnswers);
}

QString FakeDesktop::saveFileName(QWidget*, const QString& title, const QString& folder,
                                  const QString& filter)
{
    filtersShown << filter;
    dialogTitles << title;
    dialogFolders << folder;
    return takeFirstOrEmpty(fileAnswers);
}

QString FakeDesktop::browseForFolder(QWidget*, const QString& title, const QString& initialFolder)
{
    dialogTitles << title;
    dialogFolders << initialFolder;
    return takeFirstOrEmpty(folderAnswers);
}

void FakeDesktop::showCaptionedMessage(QWidget*, const QString& caption, const QString& text, MessageIcon icon)
{
    messages << Message{caption, text, icon};
}

bool FakeDesktop::openUrl(const QUrl& url)
{
    openedUrls << url;
    return urlsOpen;
}

bool FakeDesktop::startProgram(const QString& program, const QStringList& arguments)
{
    startedPrograms << (QStringList{program} + arguments).join(QLatin1Char(' '));
    return programsStart;
}
