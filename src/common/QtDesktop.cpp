#include "common/QtDesktop.h"

#include "common/FileFilter.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

QString QtDesktop::openFileName(QWidget* parent, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, QString(), QString(), qtFileDialogFilter(filter));
}

QString QtDesktop::saveFileName(QWidget* parent, const QString& title, const QString& folder,
                                const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, title, folder, qtFileDialogFilter(filter), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString QtDesktop::browseForFolder(QWidget* parent, const QString& title, const QString& initialFolder)
{
    return QFileDialog::getExistingDirectory(parent, title, initialFolder);
}

void QtDesktop::showCaptionedMessage(QWidget* parent, const QString& caption, const QString& text,
                                     MessageIcon icon)
{
    static constexpr QMessageBox::Icon boxIcons[] = {QMessageBox::NoIcon, QMessageBox::Information,
                                                     QMessageBox::Warning};
    QMessageBox box(boxIcons[static_cast<int>(icon)], caption, text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtDesktop::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

bool QtDesktop::startProgram(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}
