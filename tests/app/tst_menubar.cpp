#include "app/CommandRoutes.h"
#include "app/MainMenuBar.h"
#include "app/MenuBarBuilder.h"
#include "app/MenuBarLayout.h"
#include "app/frmMain.h"
#include "common/SettingsStore.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeMoviePlayer.h"
#include "support/MenuBarText.h"

#include <QMainWindow>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

namespace {
QStringList allEntryKeys()
{
    QStringList keys;
    for (const MenuBarEntry& entry : menuBarLayout()) {
        if (entry.kind == MenuBarEntry::Item)
            keys << entry.key;
    }
    return keys;
}

// Routes for the given menu entries; each one notes its key when it runs.
CommandRoutes recordingRoutes(const QStringList& keys, QStringList& ran)
{
    CommandRoutes routes;
    for (const QString& key : keys)
        routes.add(key, [&ran, key] { ran << key; });
    return routes;
}

QList<QAction*> entriesOf(const QMenuBar& menuBar)
{
    QList<QAction*> entries;
    for (QAction* menuAction : menuBar.actions())
        entries += menuAction->menu()->actions();
    return entries;
}
} // namespace

class MenuBarTest : public QObject
{
    Q_OBJECT

private slots:
    void onlyEntriesWithActionsShow_data()
    {
        QTest::addColumn<QStringList>("routedKeys");
        QTest::addColumn<QString>("structure");
        QTest::newRow("the transport commands and exit")
            << QStringList{"mnuExit",     "mnuStop", "mnuPause",  "mnuFForward",
                           "mnuPlayLoop", "mnuPlay", "mnuRewind", "mnuOpen"}
            << "mnuFile[mnuOpen sep1 mnuRewind mnuPlay mnuPlayLoop mnuFForward mnuPause mnuStop sep4 "
               "mnuExit]";
        QTest::newRow("no separator before the first entry")
            << QStringList{"mnuPitchSemi1Up"} << "mnuPitch[mnuPitchSemi1Up]";
        QTest::newRow("no separator after the last entry")
            << QStringList{"mnuContents"} << "keyHelp[mnuContents]";
        QTest::newRow("one separator between two groups")
            << QStringList{"mnuSaveExcerpt", "mnuResetAll"} << "mnuFile[mnuSaveExcerpt sep2 mnuResetAll]";
        QTest::newRow("menus keep their order") << QStringList{"mnuAbout", "mnuTempo1Up", "mnuOpen"}
                                                << "mnuFile[mnuOpen] mnuTempo[mnuTempo1Up] keyHelp[mnuAbout]";
        QTest::newRow("nothing routed leaves the bar empty") << QStringList{} << "";
        QTest::newRow("a key that is no menu entry adds nothing") << QStringList{"htkPlay", "cmdPlay"} << "";
    }
    void onlyEntriesWithActionsShow()
    {
        QFETCH(QStringList, routedKeys);
        QFETCH(QString, structure);
        QStringList ran;
        QMenuBar menuBar;
        buildMenuBar(&menuBar, menuBarLayout(), recordingRoutes(routedKeys, ran));
        QCOMPARE(menuBarText(&menuBar), structure);
    }

    // Every menu whose commands have owners by now, in order; the others wait for theirs.
    void mainWindowMenuBar()
    {
        QTemporaryDir dir;
        SettingsStore settings(dir.filePath("reelquill.ini"));
        FakeMoviePlayer player;
        FakeDesktop desktop;
        frmMain window(player, desktop, settings);
        QCOMPARE(
            menuBarText(window.menuBar()),
            "mnuFile[mnuOpen sep1 mnuRewind mnuPlay mnuPlayLoop mnuFForward mnuPause mnuStop mnuLoopWinFF "
            "mnuLoopWinBack sep2 mnuResetAll sep4 mnuExit] "
            "mnuView[mnuFullScreen mnuWindowedVideo] "
            "mnuTempo[mnuTempo10Up mnuTempo1Up mnuTempoReset mnuTempo1Down mnuTempo10Down] "
            "mnuPitch[mnuPitch10Up mnuPitch1Up mnuPitchReset mnuPitch1Down mnuPitch10Down sep5 "
            "mnuPitchSemi12Up "
            "mnuPitchSemi1Up mnuPitchSemiReset mnuPitchSemi1Down mnuPitchSemi12Down] "
            "mnuTempoPitch[mnuTempoPitch10Up mnuTempoPitch1Up mnuTempoPitchReset mnuTempoPitch1Down "
            "mnuTempoPitch10Down]");
    }

    void fullMenuBarMenusInOrder()
    {
        QStringList ran;
        QMenuBar menuBar;
        buildMenuBar(&menuBar, menuBarLayout(), recordingRoutes(allEntryKeys(), ran));
        QStringList menus;
        for (const QAction* menuAction : menuBar.actions())
            menus << menuAction->menu()->objectName() + "=" + menuAction->text();
        QCOMPARE(menus, (QStringList{"mnuFile=&File", "mnuView=&View", "mnuTempo=&Tempo", "mnuPitch=&Pitch",
                                     "mnuTempoPitch=Tempo &and pitch", "mnuTools=&Tools", "keyHelp=&Help"}));
        QStringList entryCounts;
        for (const QAction* menuAction : menuBar.actions())
            entryCounts << QString::number(menuAction->menu()->actions().size());
        QCOMPARE(entryCounts.join(' '), "19 2 5 11 5 2 4");
    }

    void captions_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("caption");
        QTest::newRow("full screen: 60 characters")
            << "mnuFullScreen"
            << "&Full screen" + QString(30, ' ') + "Alt+Enter/DblClick";
        QTest::newRow("window view: 41 characters") << "mnuWindowedVideo"
                                                    << "&Window view" + QString(26, ' ') + "Esc";
        QTest::newRow("blank as access character") << "mnuRewind"
                                                   << "5 seconds & back";
        QTest::newRow("no access letter") << "mnuSnapshotFolder"
                                          << "Snapshot location and format";
    }
    void captions()
    {
        QFETCH(QString, key);
        QFETCH(QString, caption);
        QStringList ran;
        QMenuBar menuBar;
        buildMenuBar(&menuBar, menuBarLayout(), recordingRoutes(allEntryKeys(), ran));
        const auto* entry = menuBar.findChild<QAction*>(key);
        QVERIFY(entry);
        QCOMPARE(entry->text(), caption);
    }

    void f1OnContentsIsTheOnlyShortcut()
    {
        QStringList ran;
        QMenuBar menuBar;
        buildMenuBar(&menuBar, menuBarLayout(), recordingRoutes(allEntryKeys(), ran));
        QStringList withShortcut;
        for (const QAction* entry : entriesOf(menuBar)) {
            QVERIFY(entry->isEnabled() && entry->isVisible() && !entry->isCheckable());
            if (!entry->shortcut().isEmpty())
                withShortcut << entry->objectName() + "=" + entry->shortcut().toString();
        }
        QCOMPARE(withShortcut, QStringList{"mnuContents=F1"});
    }

    void everyEntryRunsItsOwnAction()
    {
        QStringList ran;
        QMenuBar menuBar;
        buildMenuBar(&menuBar, menuBarLayout(), recordingRoutes(allEntryKeys(), ran));
        QStringList triggered;
        for (QAction* entry : entriesOf(menuBar)) {
            if (entry->isSeparator())
                continue;
            entry->trigger();
            triggered << entry->objectName();
        }
        QCOMPARE(ran, triggered);
        QCOMPARE(ran, allEntryKeys());
    }

    void f1PressedInTheMainWindowOpensTheContents()
    {
        QStringList ran;
        QMainWindow window;
        auto* menuBar = new MainMenuBar(&window);
        window.setMenuBar(menuBar);
        window.setCentralWidget(new QWidget);
        buildMenuBar(menuBar, menuBarLayout(), recordingRoutes(allEntryKeys(), ran));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_F1);
        QCOMPARE(ran, QStringList{"mnuContents"});
    }
};

QTEST_MAIN(MenuBarTest)
#include "tst_menubar.moc"
