#include "app/ProgramValues.h"
#include "common/SettingsStore.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeMoviePlayer.h"
#include "snapshot/SnapshotCommands.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

QList<QWidget*> openOptionsWindows()
{
    QList<QWidget*> found;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == "frmOptions" && window->isVisible())
            found << window;
    }
    return found;
}

} // namespace

// The snapshot options window on a settings file of its own and a desktop that answers the
// folder browser.
class SnapshotOptionsTest : public QObject
{
    Q_OBJECT

    struct Rig
    {
        QTemporaryDir dir;
        QString settingsFile = dir.filePath("reelquill.ini");
        SettingsStore settings{settingsFile};
        ProgramValues values{"/home/me/Documents/Reelquill snapshots/", 1, {}};
        FakeMoviePlayer player;
        FakeDesktop desktop;
        SnapshotCommands commands{player, values, settings, desktop, nullptr, dir.filePath("preview.bmp")};

        QWidget* options()
        {
            commands.tlbCmdSnapshotFolder();
            const QList<QWidget*> windows = openOptionsWindows();
            return windows.size() == 1 ? windows.first() : nullptr;
        }
        template <typename Control = QPushButton> Control* control(const char* name)
        {
            QWidget* window = options();
            return window ? window->findChild<Control*>(name) : nullptr;
        }
        // What the program reads at its next start.
        ProgramValues nextStart() const { return ProgramValues::load(SettingsStore(settingsFile)); }
        QString stored(const char* key) const { return SettingsStore(settingsFile).text(key, "(absent)"); }
    };

private slots:
    void cleanup() { QVERIFY(openOptionsWindows().isEmpty()); }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("lblGrabFolderCaption") << "lblGrabFolderCaption"
                                              << "Snapshot Location Folder :"
                                              << "";
        QTest::newRow("lblSnapshotFolder") << "lblSnapshotFolder"
                                           << "/home/me/Documents/Reelquill snapshots/"
                                           << "";
        QTest::newRow("cmdBrowseGrabOutput") << "cmdBrowseGrabOutput"
                                             << "Change"
                                             << "Change output location for grabbed tracks";
        QTest::newRow("Label1") << "Label1"
                                << "Snapshot Image Format :"
                                << "";
        QTest::newRow("cmdDone") << "cmdDone"
                                 << "Done"
                                 << "Change output location for grabbed tracks";
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, toolTip);
        Rig rig;
        QWidget* window = rig.options();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), "Snapshot location and format");
        QWidget* control = window->findChild<QWidget*>(name);
        QVERIFY(control);
        const auto* label = qobject_cast<QLabel*>(control);
        const auto* button = qobject_cast<QPushButton*>(control);
        QVERIFY(label || button);
        QCOMPARE(label ? label->text() : button->text(), caption);
        QCOMPARE(control->toolTip(), toolTip);
        QVERIFY(QRect(QPoint(), window->size()).contains(control->geometry()));
        if (name == "lblSnapshotFolder")
            QCOMPARE(control->parentWidget()->objectName(), "fraGrabFolder");
    }

    // Each option button at its place (twips / 15), with its caption, selected when its index is
    // the format in use.
    void formatOptions_data()
    {
        QTest::addColumn<qint16>("format");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("0") << qint16(0) << "BMP" << QRect(15, 117, 74, 16);
        QTest::newRow("1") << qint16(1) << "JPEG" << QRect(105, 117, 74, 16);
        QTest::newRow("2") << qint16(2) << "PNG" << QRect(195, 117, 74, 16);
        QTest::newRow("3") << qint16(3) << "TIF" << QRect(284, 117, 74, 16);
        QTest::newRow("4") << qint16(4) << "GIF" << QRect(373, 117, 74, 16);
    }
    void formatOptions()
    {
        QFETCH(qint16, format);
        QFETCH(QString, caption);
        QFETCH(QRect, geometry);
        Rig rig;
        rig.values.SnapshotFormat = format;
        QWidget* window = rig.options();
        QVERIFY(window);
        const QList<QRadioButton*> options = window->findChildren<QRadioButton*>();
        QCOMPARE(options.size(), 5);
        auto* option = window->findChild<QRadioButton*>(QStringLiteral("optImageFormat_%1").arg(format));
        QVERIFY(option);
        QCOMPARE(option->text(), caption);
        QCOMPARE(option->geometry(), geometry);
        for (const QRadioButton* other : options)
            QCOMPARE(other->isChecked(), other == option);
    }

    // A chosen format holds at once, also when the window is closed by its close box, but only
    // Done stores it.
    void chosenFormat_data()
    {
        QTest::addColumn<bool>("done");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<qint16>("formatAtNextStart");
        QTest::newRow("close box") << false << "(absent)" << qint16(1);
        QTest::newRow("Done") << true << "2" << qint16(2);
    }
    void chosenFormat()
    {
        QFETCH(bool, done);
        QFETCH(QString, stored);
        QFETCH(qint16, formatAtNextStart);
        Rig rig;
        QTest::mouseClick(rig.control<QRadioButton>("optImageFormat_2"), Qt::LeftButton);
        QCOMPARE(rig.values.SnapshotFormat, qint16(2));
        QCOMPARE(rig.stored("SnapshotFormat"), "(absent)");
        if (done)
            QTest::mouseClick(rig.control("cmdDone"), Qt::LeftButton);
        else
            rig.options()->close();
        QVERIFY(openOptionsWindows().isEmpty());

        rig.commands.tlbCmdSnapshot();
        QVERIFY2(rig.values.SnapshotFile.endsWith(".png"), qPrintable(rig.values.SnapshotFile));
        QVERIFY(rig.player.calls.first().endsWith(".png,2)"));
        QCOMPARE(rig.stored("SnapshotFormat"), stored);
        QCOMPARE(rig.nextStart().SnapshotFormat, formatAtNextStart);
        QCOMPARE(rig.stored("SnapshotFolder"), "(absent)");
    }

    void changeFolder_data()
    {
        QTest::addColumn<QString>("answer"); // empty cancels
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("stored");
        QTest::newRow("cancelled") << ""
                                   << "/home/me/Documents/Reelquill snapshots/"
                                   << "(absent)";
        QTest::newRow("chosen") << "/home/me/Pictures/lessons"
                                << "/home/me/Pictures/lessons/"
                                << "/home/me/Pictures/lessons/";
        QTest::newRow("root folder") << "/"
                                     << "/"
                                     << "/";
    }
    void changeFolder()
    {
        QFETCH(QString, answer);
        QFETCH(QString, folder);
        QFETCH(QString, stored);
        Rig rig;
        rig.desktop.folderAnswers << answer;
        QTest::mouseClick(rig.control("cmdBrowseGrabOutput"), Qt::LeftButton);
        QCOMPARE(rig.desktop.dialogTitles, QStringList{"Add folder with audio files to playlist"});
        QCOMPARE(rig.desktop.dialogFolders, QStringList{"/home/me/Documents/Reelquill snapshots"});
        QCOMPARE(rig.values.SnapshotFolder, folder);
        QCOMPARE(rig.control<QLabel>("lblSnapshotFolder")->text(), folder);
        // Stored at once, before Done and whether or not Done follows.
        QCOMPARE(rig.stored("SnapshotFolder"), stored);
        rig.options()->close();
        QCOMPARE(rig.stored("SnapshotFormat"), "(absent)");
        if (!answer.isEmpty())
            QCOMPARE(rig.nextStart().SnapshotFolder, folder);
    }

    void changeThenDoneAreReadAtTheNextStart()
    {
        Rig rig;
        rig.desktop.folderAnswers << "/srv/shots";
        QTest::mouseClick(rig.control("cmdBrowseGrabOutput"), Qt::LeftButton);
        QTest::mouseClick(rig.control<QRadioButton>("optImageFormat_4"), Qt::LeftButton);
        QTest::mouseClick(rig.control("cmdDone"), Qt::LeftButton);
        const ProgramValues next = rig.nextStart();
        QCOMPARE(next.SnapshotFolder, "/srv/shots/");
        QCOMPARE(next.SnapshotFormat, qint16(4));
    }

    void oneWindowAtATime()
    {
        Rig rig;
        QWidget* first = rig.options();
        QVERIFY(first);
        QTest::mouseClick(first->findChild<QRadioButton*>("optImageFormat_3"), Qt::LeftButton);
        QCOMPARE(rig.options(), first);
        QCOMPARE(openOptionsWindows().size(), 1);
        // Closed and opened again, it shows the values in use.
        first->close();
        QWidget* second = rig.options();
        QVERIFY(second);
        QVERIFY(second->findChild<QRadioButton*>("optImageFormat_3")->isChecked());
        second->close();
    }
};

QTEST_MAIN(SnapshotOptionsTest)
#include "tst_snapshotoptions.moc"
