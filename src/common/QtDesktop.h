#pragma once

#include "common/Desktop.h"

// The desktop as Qt offers it: QFileDialog, QMessageBox, QDesktopServices and QProcess.
class QtDesktop : public Desktop
{
public:
    QString openFileName(QWidget* parent, const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override;
    QString browseForFolder(QWidget* parent, const QString& title, const QString& initialFolder) override;
    void showCaptionedMessage(QWidget* parent, const QString& caption, const QString& text,
                              MessageIcon icon) override;
    bool openUrl(const QUrl& url) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
};
