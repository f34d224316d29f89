#include "about/HelpMenuCommands.h"
#include "common/QtDesktop.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The help and support commands through the real desktop, with a stand-in for the desktop's
// opener (xdg-open) first on PATH that notes what it was asked to open.
class AboutDesktopTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_log;

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("needs an X display: other platforms of Qt open nothing");
        QVERIFY(m_folder.isValid());
        m_log = m_folder.filePath("opened.txt");
        QFile opener(m_folder.filePath("xdg-open"));
        QVERIFY(opener.open(QIODevice::WriteOnly));
        opener.write(QString("#!/bin/sh\necho \"$@\" >> '%1'\n").arg(m_log).toUtf8());
        opener.setPermissions(opener.permissions() | QFile::ExeOwner);
        opener.close();
        // Qt looks for the opener when it first opens something; a browser named in the
        // environment would come before it.
        qputenv("PATH", (m_folder.path() + ':' + qEnvironmentVariable("PATH")).toUtf8());
        qunsetenv("BROWSER");
        qunsetenv("DEFAULT_BROWSER");
    }

    void init() { QFile::remove(m_log); }

    void opensWithTheDesktopsOpener_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("opened");
        QTest::newRow("help") << "cmdHelp"
                              << "file:///opt/reelquill/bin/reelquill-help.html";
        QTest::newRow("support") << "mnuOnlineSupport"
                                 << "https://reelquill.org/support";
    }
    void opensWithTheDesktopsOpener()
    {
        QFETCH(QString, command);
        QFETCH(QString, opened);
        QtDesktop desktop;
        HelpMenuCommands commands(desktop, nullptr, "/opt/reelquill/bin");
        if (command == "cmdHelp")
            commands.cmdHelp();
        else
            commands.mnuOnlineSupport();
        const auto log = [this] {
            QFile file(m_log);
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
        };
        QTRY_COMPARE_WITH_TIMEOUT(log(), opened, 10000);
    }
};

QTEST_MAIN(AboutDesktopTest)
#include "tst_about_desktop.moc"
