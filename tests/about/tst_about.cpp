#include "about/PathSystemInfoLookup.h"
#include "about/frmAbout.h"
#include "fakes/FakeDesktop.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The about window's System Info, which starts the first of kinfocenter, hardinfo2,
// hardinfo and xfce4-about found on the search path.
class AboutTest : public QObject
{
    Q_OBJECT

private slots:
    // What fails, fails with the message, and the about window stays open.
    void systemInfo_data()
    {
        QTest::addColumn<QString>("programs"); // on the search path
        QTest::addColumn<bool>("starts");
        QTest::addColumn<QString>("effect");
        const QString unavailable = "message: Reelquill: System Information Is Unavailable At This Time";
        // clang-format off
        QTest::newRow("none on the path") << "top" << true << unavailable;
        QTest::newRow("kinfocenter first") << "xfce4-about hardinfo2 kinfocenter" << true << "kinfocenter";
        QTest::newRow("then hardinfo2") << "xfce4-about hardinfo hardinfo2" << true << "hardinfo2";
        QTest::newRow("xfce4-about last") << "xfce4-about" << true << "xfce4-about";
        QTest::newRow("found but fails to start") << "hardinfo" << false << "hardinfo | " + unavailable;
        // clang-format on
    }
    void systemInfo()
    {
        QFETCH(QString, programs);
        QFETCH(bool, starts);
        QFETCH(QString, effect);
        QTemporaryDir folder;
        for (const QString& name : programs.split(' ')) {
            QFile program(folder.filePath(name));
            QVERIFY(program.open(QIODevice::WriteOnly));
            program.write("#!/bin/sh\n");
            program.setPermissions(program.permissions() | QFile::ExeOwner);
        }
        FakeDesktop desktop;
        desktop.programsStart = starts;
        PathSystemInfoLookup lookup({folder.path()});
        frmAbout about(desktop, lookup);
        about.show();
        QTest::mouseClick(about.findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
        QStringList seen = desktop.startedPrograms.replaceInStrings(folder.path() + "/", "");
        for (const FakeDesktop::Message& message : desktop.messages)
            seen << "message: " + message.caption + ": " + message.text;
        QCOMPARE(seen.join(" | "), effect);
        QVERIFY(about.isVisible());
    }
};

QTEST_MAIN(AboutTest)
#include "tst_about.moc"
