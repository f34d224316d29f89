#include "app/CommandRoutes.h"
#include "app/HotKeyBindings.h"
#include "app/HotKeys.h"
#include "app/MainMenuBar.h"
#include "app/MenuBarBuilder.h"
#include "app/MenuBarLayout.h"
#include "app/frmMain.h"
#include "common/SettingsStore.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeMoviePlayer.h"

#include <QApplication>
#include <QListWidget>
#include <QMainWindow>
#include <QSet>
#include <QShortcut>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

Q_DECLARE_METATYPE(QKeyCombination)

namespace {
// A main window with the whole menu bar and every hot key routed to a recorder, a slider, a
// list and a video widget, as the real one has.
struct RoutedWindow
{
    QStringList ran;
    QMainWindow window;
    QSlider* slider = new QSlider(Qt::Horizontal);
    QListWidget* list = new QListWidget;
    QWidget* video = new QWidget;
    HotKeys* hotKeys = nullptr;

    RoutedWindow()
    {
        auto* central = new QWidget;
        auto* layout = new QVBoxLayout(central);
        layout->addWidget(video);
        layout->addWidget(slider);
        layout->addWidget(list);
        window.setCentralWidget(central);
        slider->setRange(0, 100);
        slider->setValue(50);
        list->addItems({"0:00:10", "0:00:20", "0:00:30"});
        list->setCurrentRow(1);

        CommandRoutes routes;
        for (const MenuBarEntry& entry : menuBarLayout())
            routes.add(entry.key, [this, key = QString(entry.key)] { ran << key; });
        for (const HotKeyBinding& binding : hotKeyBindings())
            routes.add(binding.name, [this, name = QString(binding.name)] { ran << name; });
        auto* menuBar = new MainMenuBar(&window);
        window.setMenuBar(menuBar);
        buildMenuBar(menuBar, menuBarLayout(), routes);
        hotKeys = new HotKeys(hotKeyBindings(), routes, &window, menuBar, video);
        window.resize(500, 400);
    }
};

bool activate(QWidget* window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

void press(QWidget* target, QKeyCombination keys)
{
    QTest::keyClick(target, keys.key(), keys.keyboardModifiers());
}
} // namespace

class HotKeysTest : public QObject
{
    Q_OBJECT

private slots:
    void bindingsAreThirtyThreeDistinctCombinations()
    {
        QSet<QString> names;
        QSet<int> combinations;
        int twins = 0;
        for (const HotKeyBinding& binding : hotKeyBindings()) {
            QVERIFY2(QString(binding.name).startsWith("htk"), binding.name);
            names.insert(binding.name);
            combinations.insert(binding.keys.toCombined());
            if (binding.twinKeys.key() != Qt::Key_unknown) {
                combinations.insert(binding.twinKeys.toCombined());
                ++twins;
            }
        }
        QCOMPARE(hotKeyBindings().size(), std::size_t(33));
        QCOMPARE(names.size(), 33);
        QCOMPARE(combinations.size(), 33 + twins);
    }

    // Every binding, pressed while a slider or the list has the focus, runs its own action
    // once, and the focused control does not take the key.
    void eachKeyRunsItsAction_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QKeyCombination>("keys");
        QTest::addColumn<QString>("focus");
        for (const HotKeyBinding& binding : hotKeyBindings()) {
            for (const char* focus : {"slider", "list"}) {
                QTest::addRow("%s, %s focused", binding.name, focus)
                    << QString(binding.name) << binding.keys << QString(focus);
            }
            if (binding.twinKeys.key() != Qt::Key_unknown)
                QTest::addRow("%s, twin key", binding.name)
                    << QString(binding.name) << binding.twinKeys << "slider";
        }
        QTest::newRow("keypad Enter with Alt is full screen")
            << "htkFullScreen" << QKeyCombination(Qt::AltModifier | Qt::KeypadModifier, Qt::Key_Enter)
            << "slider";
    }
    void eachKeyRunsItsAction()
    {
        QFETCH(QString, name);
        QFETCH(QKeyCombination, keys);
        QFETCH(QString, focus);
        RoutedWindow routed;
        QVERIFY(activate(&routed.window));
        QWidget* target = focus == "slider" ? static_cast<QWidget*>(routed.slider) : routed.list;
        target->setFocus();
        // Twice: a key that a menu also claims is handed to each claimant in turn.
        press(target, keys);
        press(target, keys);
        QCOMPARE(routed.ran, (QStringList{name, name}));
        QCOMPARE(routed.slider->value(), 50);
        QCOMPARE(routed.list->currentRow(), 1);
        QVERIFY(!QApplication::activePopupWidget());
    }

    void altPPlaysRatherThanOpeningThePitchMenu()
    {
        RoutedWindow routed;
        QVERIFY(activate(&routed.window));
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(routed.slider, Qt::Key_P, Qt::AltModifier);
        QCOMPARE(routed.ran, QStringList(4, "htkPlay"));
        QVERIFY(!QApplication::activePopupWidget());
        // Access keys that no hot key uses still open their menus.
        QTest::keyClick(routed.slider, Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QCOMPARE(QApplication::activePopupWidget()->objectName(), "mnuFile");
        QApplication::activePopupWidget()->close();
    }

    // Alt alone puts the menu bar under the keyboard; its arrows then walk the menus.
    void menuBarWorkedByKeyboardKeepsItsKeys()
    {
        RoutedWindow routed;
        QVERIFY(activate(&routed.window));
        routed.slider->setFocus();
        QTest::keyClick(routed.slider, Qt::Key_Alt);
        QTRY_VERIFY(routed.window.menuBar()->hasFocus());
        QTest::keyClick(routed.window.menuBar(), Qt::Key_Right);
        QTest::keyClick(routed.window.menuBar(), Qt::Key_P);
        QVERIFY2(routed.ran.isEmpty(), qPrintable(routed.ran.join(' ')));
        QTRY_VERIFY(QApplication::activePopupWidget());
        QCOMPARE(QApplication::activePopupWidget()->objectName(), "mnuPitch");
        QApplication::activePopupWidget()->close();
    }

    void keysActInTheFullScreenVideoWindow()
    {
        RoutedWindow routed;
        QVERIFY(activate(&routed.window));
        // The player shows full screen by moving its video widget into a window of its own.
        QWidget fullScreen;
        auto* layout = new QVBoxLayout(&fullScreen);
        layout->addWidget(routed.video);
        QVERIFY(activate(&fullScreen));
        QTest::keyClick(&fullScreen, Qt::Key_P, Qt::AltModifier);
        QTest::keyClick(&fullScreen, Qt::Key_F5);
        QCOMPARE(routed.ran, (QStringList{"htkPlay", "htkAddMark"}));
    }

    // A calculator's key list gets its arrow keys; no hot key runs there.
    void otherWindowsKeepTheirKeys()
    {
        RoutedWindow routed;
        QVERIFY(activate(&routed.window));
        QWidget calculator;
        auto* layout = new QVBoxLayout(&calculator);
        auto* keyList = new QListWidget;
        keyList->addItems({"C", "C#", "D", "D#"});
        keyList->setCurrentRow(0);
        layout->addWidget(keyList);
        QVERIFY(activate(&calculator));
        keyList->setFocus();
        for (const HotKeyBinding& binding : hotKeyBindings())
            press(keyList, binding.keys);
        QVERIFY2(routed.ran.isEmpty(), qPrintable(routed.ran.join(' ')));
        keyList->setCurrentRow(0);
        QTest::keyClick(keyList, Qt::Key_Down);
        QCOMPARE(keyList->currentRow(), 1);

        QVERIFY(activate(&routed.window));
        QTest::keyClick(routed.slider, Qt::Key_Down);
        QCOMPARE(routed.ran, QStringList{"htkSemitoneDown"});
    }

    void onlyBindingsWithAnActionGetAShortcut()
    {
        QMainWindow window;
        CommandRoutes routes;
        routes.add("htkPlay", [] {});
        routes.add("htkFullScreen", [] {});
        routes.add("mnuPlay", [] {});
        HotKeys hotKeys(hotKeyBindings(), routes, &window, nullptr, nullptr);
        QStringList names;
        for (const QShortcut* shortcut : hotKeys.shortcuts())
            names << shortcut->objectName() + "=" + QKeySequence::listToString(shortcut->keys());
        QCOMPARE(names, (QStringList{"htkFullScreen=Alt+Return; Alt+Enter", "htkPlay=Alt+P"}));
    }

    // The main window's hot keys reach their owners, also with a time slider focused.
    void mainWindowKeys_data()
    {
        QTest::addColumn<QKeyCombination>("keys");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("Alt+O opens") << (Qt::ALT | Qt::Key_O)
                                     << QStringList{"setActive(true)", "setFileName(/movies/other.mp4)",
                                                    "setVolume(0)", "Play()"};
        QTest::newRow("Alt+P plays") << (Qt::ALT | Qt::Key_P) << QStringList{"Play()"};
        QTest::newRow("Alt+L plays the loop") << (Qt::ALT | Qt::Key_L) << QStringList{"Play()"};
        QTest::newRow("Alt+Space pauses") << (Qt::ALT | Qt::Key_Space) << QStringList{"Pause()"};
        QTest::newRow("Alt+Backspace stops")
            << (Qt::ALT | Qt::Key_Backspace) << QStringList{"Stop()", "Seek(0)"};
        QTest::newRow("Alt+Left goes back") << (Qt::ALT | Qt::Key_Left) << QStringList{"Seek(45)"};
        QTest::newRow("Alt+Right goes forward") << (Qt::ALT | Qt::Key_Right) << QStringList{"Seek(55)"};
        QTest::newRow("Left lowers the tempo")
            << QKeyCombination(Qt::Key_Left) << QStringList{"SetTempo(-10)"};
        QTest::newRow("Up raises the pitch") << QKeyCombination(Qt::Key_Up) << QStringList{"SetPitch(1)"};
        QTest::newRow("Page Up raises the rate")
            << QKeyCombination(Qt::Key_PageUp) << QStringList{"setRate(1.1)"};
        QTest::newRow("Alt+Enter shows full screen")
            << (Qt::ALT | Qt::Key_Return) << QStringList{"FullScreen(true)"};
    }
    void mainWindowKeys()
    {
        QFETCH(QKeyCombination, keys);
        QFETCH(QStringList, calls);
        QTemporaryDir dir;
        SettingsStore settings(dir.filePath("reelquill.ini"));
        FakeMoviePlayer player;
        FakeDesktop desktop;
        player.movies.insert("/movies/film.mp4", 100.0);
        player.movies.insert("/movies/other.mp4", 80.0);
        frmMain window(player, desktop, settings);
        window.startUp({"reelquill", "/movies/film.mp4"});
        player.position = 50;
        player.clearCalls();
        desktop.fileAnswers << "/movies/other.mp4";
        QVERIFY(activate(&window));
        QSlider* slider = window.timeControls().sldPosition;
        slider->setValue(20);
        slider->setFocus();
        press(slider, keys);
        QCOMPARE(player.calls, calls);
        if (keys.key() != Qt::Key_O && keys.key() != Qt::Key_Backspace)
            QCOMPARE(slider->value(), 20);
        QCOMPARE(window.playbackState().LoopPlay, keys.key() == Qt::Key_L);
    }
};

QTEST_MAIN(HotKeysTest)
#include "tst_hotkeys.moc"
