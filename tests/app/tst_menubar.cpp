#include "app/CommandRoutes.h"
#include "app/MainMenuBar.h"
#include "app/MenuBarBuilder.h"
#include "app/MenuBarLayout.h"
#include "app/frmMain.h"
#include "common/SettingsStore.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeMoviePlayer.h"
#include "fakes/MainWindowRig.h"
#include "support/MenuBarText.h"

#include <QMainWindow>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

namespace {
// A window with the menu bar built for routes to the given entries (all of them by default);
// each route notes its key when it runs.
struct RoutedMenus
{
    QStringList ran;
    QMainWindow window;
    MainMenuBar* menuBar = new MainMenuBar(&window);

    explicit RoutedMenus(QStringList keys = allEntryKeys())
    {
        CommandRoutes routes;
        for (const QString& key : keys)
            routes.add(key, [this, key] { ran << key; });
        window.setMenuBar(menuBar);
        window.setCentralWidget(new QWidget);
        buildMenuBar(menuBar, menuBarLayout(), routes);
    }
    static QStringList allEntryKeys()
    {
        QStringList keys;
        for (const MenuBarEntry& entry : menuBarLayout()) {
            if (entry.kind == MenuBarEntry::Item)
                keys << entry.key;
        }
        return keys;
    }
};
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
        RoutedMenus menus(routedKeys);
        QCOMPARE(menuBarText(menus.menuBar), structure);
    }

    // The whole menu bar, every entry with its command, in order.
    void mainWindowMenuBar()
    {
        MainWindowRig rig;
        const frmMain& window = rig.window;
        QCOMPARE(
            menuBarText(window.menuBar()),
            "mnuFile[mnuOpen mnuLoadExcerpt mnuSaveExcerpt sep1 mnuRewind mnuPlay mnuPlayLoop mnuFForward "
            "mnuPause mnuStop mnuLoopWinFF mnuLoopWinBack sep2 mnuResetAll sep3 mnuSnapshot "
            "mnuSnapshotFolder "
            "sep4 mnuExit] "
            "mnuView[mnuFullScreen mnuWindowedVideo] "
            "mnuTempo[mnuTempo10Up mnuTempo1Up mnuTempoReset mnuTempo1Down mnuTempo10Down] "
            "mnuPitch[mnuPitch10Up mnuPitch1Up mnuPitchReset mnuPitch1Down mnuPitch10Down sep5 "
            "mnuPitchSemi12Up mnuPitchSemi1Up mnuPitchSemiReset mnuPitchSemi1Down mnuPitchSemi12Down] "
            "mnuTempoPitch[mnuTempoPitch10Up mnuTempoPitch1Up mnuTempoPitchReset mnuTempoPitch1Down "
            "mnuTempoPitch10Down] "
            "mnuTools[mnuSpeedCalc mnuTransposeCalc] "
            "keyHelp[mnuContents sep6 mnuOnlineSupport mnuAbout]");
    }

    // The captions as the user reads them, menu by menu in order ("-" for a separator).
    void mainWindowCaptionsInOrder()
    {
        MainWindowRig rig;
        const frmMain& window = rig.window;
        QStringList menus;
        for (const QAction* menu : window.menuBar()->actions()) {
            QStringList entries;
            for (const QAction* entry : menu->menu()->actions())
                entries << (entry->isSeparator() ? "-" : entry->text());
            menus << menu->text() + ": " + entries.join(", ");
        }
        const QString fullScreen = "&Full screen" + QString(30, ' ') + "Alt+Enter/DblClick";
        const QString windowView = "&Window view" + QString(26, ' ') + "Esc";
        QCOMPARE(menus,
                 (QStringList{
                     "&File: &Open, &Load excerpt, &Save excerpt, -, 5 seconds & back, &Play, Play &Loop, "
                     "5 seconds &forward, P&ause, &Stop, &Loop window forward, Loop window ba&ck, -, "
                     "&Reset all changes, -, &Snapshot, Snapshot location and format, -, &Exit",
                     "&View: " + fullScreen + ", " + windowView,
                     "&Tempo: &10% Up, &1% Up, &Reset, &1% Down, &10% Down",
                     "&Pitch: Semitone Up, 2 Cents Up, &Reset, 2 Cents Down, Semitone Down, -, &Octave Up, "
                     "&Semitone Up, &Reset, &Semitone Down, Octave Down",
                     "Tempo &and pitch: &10% Up, &1% Up, &Reset, &1% Down, &10% Down",
                     "&Tools: &Movie duration calculator, &Transpose calculator",
                     "&Help: &Contents..., -, &Support online, &About Reelquill..."}));
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
        QTest::newRow("menu with an inner access letter") << "mnuTempoPitch"
                                                          << "Tempo &and pitch";
        QTest::newRow("help menu") << "keyHelp"
                                   << "&Help";
    }
    void captions()
    {
        QFETCH(QString, key);
        QFETCH(QString, caption);
        RoutedMenus menus;
        const auto* entry = menus.menuBar->findChild<QAction*>(key);
        if (const auto* menu = menus.menuBar->findChild<QMenu*>(key))
            entry = menu->menuAction();
        QVERIFY(entry);
        QCOMPARE(entry->text(), caption);
    }

    // Only F1 (on the contents) is a menu shortcut: the hot keys do the rest.
    void everyEntryRunsItsOwnAction()
    {
        RoutedMenus menus;
        QStringList triggered, withShortcut;
        for (QAction* menuAction : menus.menuBar->actions()) {
            for (QAction* entry : menuAction->menu()->actions()) {
                QVERIFY(entry->isEnabled() && entry->isVisible() && !entry->isCheckable());
                if (!entry->shortcut().isEmpty())
                    withShortcut << entry->objectName() + "=" + entry->shortcut().toString();
                if (!entry->isSeparator()) {
                    entry->trigger();
                    triggered << entry->objectName();
                }
            }
        }
        QCOMPARE(menus.ran, triggered);
        QCOMPARE(menus.ran, RoutedMenus::allEntryKeys());
        QCOMPARE(withShortcut, QStringList{"mnuContents=F1"});
    }

    void f1PressedInTheMainWindowOpensTheContents()
    {
        RoutedMenus menus;
        menus.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&menus.window));
        QTest::keyClick(&menus.window, Qt::Key_F1);
        QCOMPARE(menus.ran, QStringList{"mnuContents"});
    }
};

QTEST_MAIN(MenuBarTest)
#include "tst_menubar.moc"
