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

    QString openFileName(QWidget*, const QString& filter) override
    {
        filtersShown << filter;
        return next(fileAnswers);
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString& filter) override
    {
        filtersShown << filter;
        return next(fileAnswers);
    }
    QString browseForFolder(QWidget*, const QString&, const QString&) override { return next(folderAnswers); }
    void showCaptionedMessage(QWidget*, const QString& caption, const QString& text,
                              MessageIcon icon) override
    {
        messages << Message{caption, text, icon};
    }
    bool openUrl(const QUrl& url) override
    {
        openedUrls << url;
        return true;
    }
    bool startProgram(const QString& program, const QStringList& arguments) override
    {
        startedPrograms << (QStringList{program} + arguments).join(' ');
        return programsStart;
    }

    // Answers of the next dialogs, oldest first; a dialog with no answer left is cancelled.
    QStringList fileAnswers;
    QStringList folderAnswers;
    bool programsStart = true;

    // What was asked, oldest first.
    QStringList filtersShown;
    QList<Message> messages;
    QList<QUrl> openedUrls;
    QStringList startedPrograms;

private:
    static QString next(QStringList& answers) { return answers.isEmpty() ? QString() : answers.takeFirst(); }
};
