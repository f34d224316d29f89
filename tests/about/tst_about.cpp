#include "about/GetKeyValue.h"
#include "about/HelpMenuCommands.h"
#include "about/PathSystemInfoLookup.h"
#include "about/ProgramVersion.h"
#include "about/frmAbout.h"
#include "fakes/FakeDesktop.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {
// A lookup holding the values a test puts in, by key and value name.
class FakeKeyValueLookup : public KeyValueLookup
{
public:
    QHash<QString, StoredValue> values;
    std::optional<StoredValue> value(const QString& keyName, const QString& valueName) const override
    {
        const auto found = values.constFind(keyName + '|' + valueName);
        return found == values.cend() ? std::nullopt : std::optional(*found);
    }
};

using ValueType = KeyValueLookup::ValueType;

// The about window that is open modal, or null.
frmAbout* openAboutWindow()
{
    return qobject_cast<frmAbout*>(QApplication::activeModalWidget());
}

// Runs `whileOpen` on the about window once the command has shown it, and the command itself.
// The window is closed afterwards if `whileOpen` left it open, so a failing check cannot hang.
void runAbout(HelpMenuCommands& commands, const std::function<void(frmAbout*)>& whileOpen)
{
    QTimer::singleShot(0, [&] {
        frmAbout* about = openAboutWindow();
        if (about)
            whileOpen(about);
        if (about && about->isVisible())
            about->reject();
    });
    commands.cmdAbout();
}
} // namespace

Q_DECLARE_METATYPE(ValueType)

class AboutTest : public QObject
{
    Q_OBJECT

private slots:
    void versionText_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("revision");
        QTest::addColumn<QString>("text");
        QTest::newRow("this version") << 2 << 5 << 0 << "Version 2.5.0";
        QTest::newRow("numbers of two digits") << 10 << 0 << 12 << "Version 10.0.12";
    }
    void versionText()
    {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, revision);
        QFETCH(QString, text);
        QCOMPARE((ProgramVersion{major, minor, revision}.versionText()), text);
    }

    void aboutWindowShowsTitleAndVersion()
    {
        FakeDesktop desktop;
        FakeKeyValueLookup lookup;
        frmAbout about(desktop, lookup);
        QCOMPARE(about.windowTitle(), "About Reelquill");
        QCOMPARE(about.findChild<QLabel*>("lblTitle")->text(), "Reelquill");
        QCOMPARE(about.findChild<QLabel*>("lblVersion")->text(), "Version 2.5.0");
        QVERIFY(!about.findChild<QLabel*>("lblNotice")->text().isEmpty());
        const auto* ok = about.findChild<QPushButton*>("cmdOK");
        QCOMPARE(ok->text(), "OK");
        QVERIFY(ok->isDefault());
        QCOMPARE(about.findChild<QPushButton*>("cmdSysInfo")->text(), "&System Info...");
        // 5730 by 1710 twips, 15 twips to a pixel.
        QCOMPARE(about.size(), QSize(382, 114));
        QVERIFY(!(about.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    }

    void helpFilePath_data()
    {
        QTest::addColumn<QString>("programFolder");
        QTest::addColumn<QString>("path");
        QTest::newRow("a folder") << "/opt/reelquill/bin"
                                  << "/opt/reelquill/bin/reelquill-help.html";
        QTest::newRow("with a trailing separator") << "/opt/reelquill/bin/"
                                                   << "/opt/reelquill/bin/reelquill-help.html";
        QTest::newRow("the root folder") << "/"
                                         << "/reelquill-help.html";
    }
    void helpFilePath()
    {
        QFETCH(QString, programFolder);
        QFETCH(QString, path);
        QCOMPARE(HelpMenuCommands::helpFilePath(programFolder), path);
    }

    // The desktop is asked to open the page or the address; whether it can is never reported.
    void pagesOpenWithTheDesktop_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("desktopOpens");
        QTest::addColumn<QUrl>("url");
        const QUrl help = QUrl::fromLocalFile("/opt/reelquill/bin/reelquill-help.html");
        const QUrl support("https://reelquill.org/support");
        QTest::newRow("help, a viewer opens it") << "cmdHelp" << true << help;
        QTest::newRow("help, no viewer or no file") << "cmdHelp" << false << help;
        QTest::newRow("support, a browser opens it") << "mnuOnlineSupport" << true << support;
        QTest::newRow("support, no browser") << "mnuOnlineSupport" << false << support;
    }
    void pagesOpenWithTheDesktop()
    {
        QFETCH(QString, command);
        QFETCH(bool, desktopOpens);
        QFETCH(QUrl, url);
        FakeDesktop desktop;
        desktop.urlsOpen = desktopOpens;
        HelpMenuCommands commands(desktop, nullptr, "/opt/reelquill/bin",
                                  std::make_unique<FakeKeyValueLookup>());
        if (command == "cmdHelp")
            commands.cmdHelp();
        else
            commands.mnuOnlineSupport();
        QCOMPARE(desktop.openedUrls, QList<QUrl>{url});
        QCOMPARE(desktop.messages.size(), 0);
        QCOMPARE(desktop.startedPrograms, QStringList());
    }

    void getKeyValue_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<ValueType>("type");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("read");
        QTest::addColumn<QString>("keyVal");
        using namespace Qt::StringLiterals;
        const auto row = [](const char* name, bool present, ValueType type, QByteArray bytes, bool read,
                            QString keyVal) {
            QTest::newRow(name) << present << type << bytes << read << keyVal;
        };
        row("a string whose size counts its final zero loses it", true, ValueType::String,
            "/usr/bin/hardinfo\0"_ba, true, "/usr/bin/hardinfo");
        row("a string without a final zero keeps all", true, ValueType::String, "/usr/bin/hardinfo"_ba, true,
            "/usr/bin/hardinfo");
        row("only one final zero goes", true, ValueType::String, "ab\0\0"_ba, true, u"ab\0"_s);
        row("an empty string", true, ValueType::String, ""_ba, true, "");
        row("a string of 1024 characters", true, ValueType::String, QByteArray(1024, 'x'), true,
            QString(1024, 'x'));
        row("a string too long for the buffer", true, ValueType::String, QByteArray(1025, 'x'), false, "");
        row("a number", true, ValueType::Number32, "\x78\x56\x34\x12"_ba, true, "&h12345678");
        row("a number's bytes lose their leading zeros", true, ValueType::Number32, "\x0d\x0c\x0b\x0a"_ba,
            true, "&hABCD");
        row("a number whose top byte is zero loses it", true, ValueType::Number32, "\x34\x12\x00\x00"_ba,
            true, "&h01234");
        row("another type leaves the text as it was", true, ValueType::Binary, "xyz"_ba, true, "before");
        row("a value that is not there", false, ValueType::String, "", false, "");
    }
    void getKeyValue()
    {
        QFETCH(bool, present);
        QFETCH(ValueType, type);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, read);
        QFETCH(QString, keyVal);
        FakeKeyValueLookup lookup;
        if (present)
            lookup.values.insert("Tools|Program", {type, bytes});
        QString text = "before";
        QCOMPARE(GetKeyValue(lookup, "Tools", "Program", text), read);
        QCOMPARE(text, keyVal);
    }

    // The first program of the list found on the search path starts; none found, not
    // executable or failing to start, the message shows and the about window stays open.
    void systemInfo_data()
    {
        QTest::addColumn<QStringList>("programs");
        QTest::addColumn<bool>("executable");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<QString>("started");
        QTest::newRow("none on the path") << QStringList{"top"} << true << true << "";
        QTest::newRow("one found") << QStringList{"hardinfo"} << true << true << "hardinfo";
        QTest::newRow("the first of the list wins")
            << QStringList{"hardinfo", "kinfocenter"} << true << true << "kinfocenter";
        QTest::newRow("hardinfo2 before hardinfo")
            << QStringList{"hardinfo", "hardinfo2"} << true << true << "hardinfo2";
        QTest::newRow("the Xfce one last") << QStringList{"xfce4-about"} << true << true << "xfce4-about";
        QTest::newRow("found but not executable") << QStringList{"hardinfo"} << false << true << "";
        QTest::newRow("found but fails to start") << QStringList{"hardinfo"} << true << false << "";
    }
    void systemInfo()
    {
        QFETCH(QStringList, programs);
        QFETCH(bool, executable);
        QFETCH(bool, starts);
        QFETCH(QString, started);
        QTemporaryDir folder;
        for (const QString& name : programs) {
            QFile program(folder.filePath(name));
            QVERIFY(program.open(QIODevice::WriteOnly));
            program.write("#!/bin/sh\n");
            if (executable)
                program.setPermissions(program.permissions() | QFile::ExeOwner);
        }
        FakeDesktop desktop;
        desktop.programsStart = starts;
        PathSystemInfoLookup lookup({folder.path()});
        frmAbout about(desktop, lookup);
        about.show();
        QTest::mouseClick(about.findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);

        if (started.isEmpty()) {
            QCOMPARE(desktop.messages.size(), 1);
            QCOMPARE(desktop.messages[0].text, "System Information Is Unavailable At This Time");
            QCOMPARE(desktop.messages[0].caption, "Reelquill");
            QCOMPARE(desktop.messages[0].icon, Desktop::MessageIcon::None);
        } else {
            QCOMPARE(desktop.messages.size(), 0);
        }
        const QStringList tried = starts && !started.isEmpty() ? QStringList{folder.filePath(started)}
                                  : starts                     ? QStringList{}
                                                               : QStringList{folder.filePath(programs[0])};
        QCOMPARE(desktop.startedPrograms, tried);
        QVERIFY(about.isVisible());
    }

    // While the about window is open the main window takes no clicks, and the command has not
    // returned; afterwards the main window answers again.
    void aboutBlocksTheMainWindowUntilClosed()
    {
        QMainWindow main;
        auto* button = new QPushButton("Play", &main);
        main.setCentralWidget(button);
        main.resize(300, 200);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QSignalSpy clicks(button, &QPushButton::clicked);
        const auto clickButton = [&] {
            QTest::mouseClick(main.windowHandle(), Qt::LeftButton, {},
                              button->mapTo(&main, button->rect().center()));
        };

        FakeDesktop desktop;
        HelpMenuCommands commands(desktop, &main, "/opt/reelquill/bin",
                                  std::make_unique<FakeKeyValueLookup>());
        bool returned = false;
        bool wasModal = false;
        runAbout(commands, [&](frmAbout* about) {
            wasModal = about->isModal() && about->isVisible() && !returned;
            clickButton();
        });
        returned = true;
        QVERIFY(wasModal);
        QCOMPARE(clicks.count(), 0);
        clickButton();
        QCOMPARE(clicks.count(), 1);
    }

    void keysThatCloseTheAboutWindow_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Enter") << int(Qt::Key_Return) << true;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << true;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << true;
        QTest::newRow("a letter") << int(Qt::Key_A) << false;
    }
    void keysThatCloseTheAboutWindow()
    {
        QFETCH(int, key);
        QFETCH(bool, closes);
        FakeDesktop desktop;
        HelpMenuCommands commands(desktop, nullptr, "/opt/reelquill/bin",
                                  std::make_unique<FakeKeyValueLookup>());
        bool shown = false;
        bool closed = false;
        runAbout(commands, [&](frmAbout* about) {
            shown = about->isVisible();
            QTest::keyClick(about, Qt::Key(key));
            closed = !about->isVisible();
        });
        QVERIFY(shown);
        QCOMPARE(closed, closes);
        // Enter presses OK, it does not start the system information.
        QCOMPARE(desktop.startedPrograms, QStringList());
    }
};

QTEST_MAIN(AboutTest)
#include "tst_about.moc"
