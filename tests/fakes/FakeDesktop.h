#pragma once

#include "common/Desktop.h"

#include <QList>
#include <QStringList>
#include <QUrl>

// A desktop whose dialogs answer with what the test queued and which records what was asked.
class FakeDesktop : public Desktop
{
public:
    struct Message
    {
        QString caption;
        QString text;
        MessageIcon icon;
    };

    QString openFileName(QWidget* parent, const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override;
    QString browseForFolder(QWidget* parent, const QString& title, const QString& initialFolder) override;
    void showCaptionedMessage(QWidget* parent, const QString& caption, const QString& text,
                              MessageIcon icon) override;
    bool openUrl(const QUrl& url) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;

    // Answers of the next dialogs, oldest first; a dialog with no answer left is cancelled.
    QStringList fileAnswers;
    QStringList folderAnswers;
    bool programsStart = true;
    bool urlsOpen = true;

    // What was asked, oldest first.
    QStringList filtersShown;
    QStringList dialogTitles;
    QStringList dialogFolders;
    QList<Message> messages;
    QList<QUrl> openedUrls;
    QStringList startedPrograms;

private:
    static QString takeFirstOrEmpty(QStringList& answers);
};
