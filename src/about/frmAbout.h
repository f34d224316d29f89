#pragma once

#include <QDialog>

class Desktop;
class KeyValueLookup;
class QLabel;
class QPushButton;

// The about window: the program's title and version, a notice, OK and a button that starts the
// system-information program. Shown modal; it stays open when system information fails.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    frmAbout(Desktop& desktop, const KeyValueLookup& systemInfo, QWidget* parent = nullptr);

    static QString unavailableMessage()
    {
        return QStringLiteral("System Information Is Unavailable At This Time");
    }

private:
    void placeControls();
    void StartSysInfo();

    Desktop& m_desktop;
    const KeyValueLookup& m_systemInfo;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblNotice;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;
};
