#pragma once

#include <QString>
#include <QStringList>

class QUrl;
class QWidget;

// What the program asks of the desktop: file and folder dialogs, message boxes, opening a
// document or web address and starting another program. Tests answer through a fake.
// Filters are lists of "description|pattern" pairs joined by "|", patterns joined by ";".
class Desktop
{
public:
    virtual ~Desktop() = default;

    // The chosen path, or an empty text when the user cancels.
    virtual QString openFileName(QWidget* parent, const QString& filter) = 0;
    // An existing file is replaced without a question. An empty title shows the dialog's own.
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& folder,
                                 const QString& filter) = 0;
    // The chosen folder, or an empty text when the user cancels.
    virtual QString browseForFolder(QWidget* parent, const QString& title, const QString& initialFolder) = 0;

    // The icon a message box shows beside its text.
    enum class MessageIcon
    {
        None,
        Information,
        Exclamation
    };

    // A message box with an OK button; returns once the user has closed it.
    virtual void showCaptionedMessage(QWidget* parent, const QString& caption, const QString& text,
                                      MessageIcon icon) = 0;
    // A message box captioned with the program's title.
    void showMessage(QWidget* parent, const QString& text, MessageIcon icon)
    {
        showCaptionedMessage(parent, programTitle(), text, icon);
    }

    // Opens a file or web address with the desktop's default application.
    virtual bool openUrl(const QUrl& url) = 0;
    // Starts another program without waiting for it; false when it could not be started.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;

    static QString programTitle() { return QStringLiteral("Reelquill"); }
};
