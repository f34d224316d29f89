#include "app/CommandRoutes.h"
#include "app/HotKeyBindings.h"
#include "app/HotKeys.h"
#include "app/MainMenuBar.h"
#include "app/MenuBarBuilder.h"
#include "app/MenuBarLayout.h"

#include <QApplication>
#include <QListWidget>
#include <QMainWindow>
#include <QSlider>
#include <QTest>
#include <QVBoxLayout>
#include <QWindow>

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
    // A key runs its own action once while a slider or the list has the focus, and the focused
    // control does not take the key: plain keys, each modifier, a combination that a menu's access
    // key also claims (Alt+P, "&Pitch"), and both Enter keys.
    void keysReachTheirActionWhateverHasTheFocus_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QKeyCombination>("keys");
        QTest::addColumn<QString>("focus");
        const QList<std::pair<const char*, const char*>> keys = {
            {"htkTempo10Down", "Left"},       {"htkTempo1Up", "Ctrl+Right"}, {"htkRewind", "Alt+Left"},
            {"htkLoopWinBack", "Shift+Left"}, {"htkPlay", "Alt+P"},          {"htkPitchReset", "End"},
            {"htkRate10Down", "PgDown"},      {"htkAddMark", "F5"},          {"htkFullScreen", "Alt+Return"},
            {"htkFullScreen", "Alt+Enter"}};
        for (const auto& [name, key] : keys) {
            for (const char* focus : {"slider", "list"}) {
                QTest::addRow("%s, %s focused", key, focus)
                    << QString(name) << QKeySequence::fromString(key)[0] << QString(focus);
            }
        }
        QTest::newRow("keypad Enter with Alt is full screen")
            << "htkFullScreen" << QKeyCombination(Qt::AltModifier | Qt::KeypadModifier, Qt::Key_Enter)
            << "slider";
    }
    void keysReachTheirActionWhateverHasTheFocus()
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

    // Alt+P plays (above) rather than opening the pitch menu, but access keys that no hot key
    // uses still open their menus.
    void freeAccessKeysOpenTheirMenus()
    {
        RoutedWindow routed;
        QVERIFY(activate(&routed.window));
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

    // The movie's picture is a native window inside the video widget, and a click on it gives it
    // the focus; keys typed then still act, in the main window as in full screen.
    void keysActWhileThePictureHasTheFocus_data()
    {
        QTest::addColumn<bool>("fullScreen");
        QTest::newRow("in the main window") << false;
        QTest::newRow("in full screen") << true;
    }
    void keysActWhileThePictureHasTheFocus()
    {
        QFETCH(bool, fullScreen);
        RoutedWindow routed;
        auto* picture = new QWindow;
        (new QVBoxLayout(routed.video))->addWidget(QWidget::createWindowContainer(picture));
        QVERIFY(activate(&routed.window));
        QWidget fullScreenWindow;
        if (fullScreen) {
            (new QVBoxLayout(&fullScreenWindow))->addWidget(routed.video);
            QVERIFY(activate(&fullScreenWindow));
        }
        picture->requestActivate();
        QTRY_COMPARE(QGuiApplication::focusWindow(), picture);
        QTest::keyClick(picture, Qt::Key_P, Qt::AltModifier);
        QTest::keyClick(picture, Qt::Key_F5);
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
};

QTEST_MAIN(HotKeysTest)
#include "tst_hotkeys.moc"
