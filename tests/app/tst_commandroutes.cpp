#include "app/CommandRoutes.h"
#include "app/MenuBarBuilder.h"
#include "fakes/MainWindowRig.h"
#include "snapshot/SnapshotCommands.h"

#include <QApplication>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMetaProperty>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

// Every command of the main window through every one of its routes, and where its hot keys act.
// The expected effects are written out by hand from what each command must do, and the keys as a
// user presses them, so a route wired to the wrong command, a command that runs twice or a wrong
// key all show.
namespace {
// A command; its routes: buttons and menu entries by name, keys as pressed ("Ctrl+Left"), "double
// click" on the video; what it starts from on top of the common start: a slider set
// ("sldPitchSemi=-3") or three marks ("marks"); and its effect: the player's calls, then what the
// controls, windows, playback and desktop show anew, sorted.
using Command = std::tuple<const char*, QStringList, QString, QString>;

// clang-format off
const QString movieFilter =
    "All Supported Files |*.mpg;*.mpeg;*.wmv;*.avi;*.mov;*.mp4;*.3gp;*.flv;*.vob|DVD video files (*.vob)"
    "|*.vob|FLV (*.flv)|*.flv|mpg (*.mpg)|*.mpg|mpeg (*.mpeg)|*.mpeg|wmv (*.wmv)|*.wmv|avi (*.avi)|*.avi"
    "|mov (*.mov)|*.mov|mp4 (*.mp4)|*.mp4|3gp (*.3gp)|*.3gp|All Files (*.*)|*.*";
const QString excerptFilter = "Reelquill excerpt files (*.rqx) |*.rqx";
const QList<Command> commands = {
    {"open", {"tlbCmdOpen", "cmdOpen", "mnuOpen", "Alt+O"}, "", "dialog: " + movieFilter},
    {"play", {"tlbCmdPlay", "cmdPlay", "mnuPlay", "Alt+P"}, "", "Play()"},
    {"play loop", {"tlbCmdPlayLoop", "cmdPlayLoop", "mnuPlayLoop", "Alt+L"}, "", "Play() | LoopPlay=true"},
    {"pause", {"tlbCmdPause", "cmdPause", "mnuPause", "Alt+Space"}, "", "Pause() | Paused=true"},
    {"stop", {"tlbCmdStop", "cmdStop", "mnuStop", "Alt+Backspace"}, "", "Stop() Seek(10) | sldPosition=10"},
    {"5 seconds back", {"tlbCmdRewind", "cmdRewind", "mnuRewind", "Alt+Left"}, "", "Seek(45)"},
    {"5 seconds forward", {"tlbCmdFForward", "cmdFForward", "mnuFForward", "Alt+Right"}, "", "Seek(55)"},
    {"loop window back", {"tlbCmdLoopWinBack", "cmdLoopWinBack", "mnuLoopWinBack", "Shift+Left"}, "",
     "sldBegin=9 | sldEnd=19"},
    {"loop window forward", {"tlbCmdLoopWinForward", "cmdLoopWinForward", "mnuLoopWinFF", "Shift+Right"}, "",
     "sldBegin=11 | sldEnd=21"},
    {"full screen", {"tlbCmdResize", "mnuFullScreen", "Alt+Return", "Alt+Enter", "double click"}, "",
     "FullScreen(true)"},
    {"window view", {"tlbCmdWindowed", "mnuWindowedVideo"}, "", "FullScreen(false)"},
    {"reset all", {"cmdResetAll", "mnuResetAll", "Home"}, "sldPitchGrad=100",
     "SetTempo(0) SetPitch(0) setRate(1) | sldPitchGrad=0 | sldSpeed=100 | sldTempo=0"},
    {"tempo +10", {"cmdTempo10Up", "mnuTempo10Up", "Right"}, "", "SetTempo(30) | sldTempo=30"},
    {"tempo +1", {"cmdTempo1Up", "mnuTempo1Up", "Ctrl+Right"}, "", "SetTempo(21) | sldTempo=21"},
    {"tempo reset", {"cmdTempoReset", "mnuTempoReset", "Alt+Home"}, "", "SetTempo(0) | sldTempo=0"},
    {"tempo -1", {"cmdTempo1Down", "mnuTempo1Down", "Ctrl+Left"}, "", "SetTempo(19) | sldTempo=19"},
    {"tempo -10", {"cmdTempo10Down", "mnuTempo10Down", "Left"}, "", "SetTempo(10) | sldTempo=10"},
    {"rate +10", {"cmdRate10Up", "mnuTempoPitch10Up", "PgUp"}, "", "setRate(1.3) | sldSpeed=130"},
    {"rate +1", {"cmdRate1Up", "mnuTempoPitch1Up", "Ctrl+PgUp"}, "", "setRate(1.21) | sldSpeed=121"},
    {"rate reset", {"cmdRateReset", "mnuTempoPitchReset", "Ctrl+Home"}, "", "setRate(1) | sldSpeed=100"},
    {"rate -1", {"cmdRate1Down", "mnuTempoPitch1Down", "Ctrl+PgDown"}, "", "setRate(1.19) | sldSpeed=119"},
    {"rate -10", {"cmdRate10Down", "mnuTempoPitch10Down", "PgDown"}, "", "setRate(1.1) | sldSpeed=110"},
    {"octave up", {"cmdPitch12UpSemi", "mnuPitchSemi12Up", "Shift+Up"}, "sldPitchSemi=-3",
     "SetPitch(9) | sldPitchSemi=9"},
    {"semitone up", {"cmdPitch1UpSemi", "mnuPitchSemi1Up", "Up"}, "sldPitchSemi=-3",
     "SetPitch(-2) | sldPitchSemi=-2"},
    {"semitones reset", {"cmdPitchResetSemi", "mnuPitchSemiReset"}, "sldPitchSemi=-3",
     "SetPitch(0) | sldPitchSemi=0"},
    {"semitone down", {"cmdPitch1DownSemi", "mnuPitchSemi1Down", "Down"}, "sldPitchSemi=-3",
     "SetPitch(-4) | sldPitchSemi=-4"},
    {"octave down", {"cmdPitch12DownSemi", "mnuPitchSemi12Down", "Shift+Down"}, "sldPitchSemi=3",
     "SetPitch(-9) | sldPitchSemi=-9"},
    {"fine semitone up", {"cmdPitch10UpGrad", "mnuPitch10Up"}, "sldPitchGrad=100",
     "SetPitch(3) | sldPitchGrad=150"},
    {"2 cents up", {"cmdPitch1UpGrad", "mnuPitch1Up", "Ctrl+Up"}, "sldPitchGrad=100",
     "SetPitch(2.02) | sldPitchGrad=101"},
    {"fine pitch reset", {"cmdPitchResetGrad", "mnuPitchReset"}, "sldPitchGrad=100",
     "SetPitch(0) | sldPitchGrad=0"},
    {"2 cents down", {"cmdPitch1DownGrad", "mnuPitch1Down", "Ctrl+Down"}, "sldPitchGrad=100",
     "SetPitch(1.98) | sldPitchGrad=99"},
    {"fine semitone down", {"cmdPitch10DownGrad", "mnuPitch10Down"}, "sldPitchGrad=100",
     "SetPitch(1) | sldPitchGrad=50"},
    {"both pitches to 0", {"End"}, "sldPitchGrad=100", "SetPitch(0) | sldPitchGrad=0"},
    {"volume down", {"cmdGainDown"}, "", "setVolume(-3000)"},
    {"volume up", {"cmdGainUp"}, "", "setVolume(-2000)"},
    {"load excerpt", {"tlbCmdLoadExcerpt", "mnuLoadExcerpt", "Ctrl+L"}, "", "dialog: " + excerptFilter},
    {"save excerpt", {"tlbCmdSaveExcerpt", "mnuSaveExcerpt", "Ctrl+S"}, "", "dialog: " + excerptFilter},
    {"export sound", {"mnuExportSound", "Ctrl+E"}, "",
     "dialog: FLAC sound, lossless (*.flac)|*.flac|WAV sound, 16-bit (*.wav)|*.wav|MP3 sound, 192 kb/s (*.mp3)|*.mp3"},
    {"snapshot", {"tlbCmdSnapshot", "cmdSnapshot", "mnuSnapshot", "Alt+S"}, "",
     "SaveSnapshot(SNAPSHOTS/Snapshot DATE.jpg,1) SaveBitmap(CACHE/preview.bmp) | window: frmSnapshot"},
    {"snapshot options", {"tlbCmdSnapshotFolder", "mnuSnapshotFolder"}, "", "window: frmOptions"},
    {"add mark", {"cmdAddMark", "F5"}, "",
     "cmdClearMark shown | cmdDeleteMark shown | lblMark shown | lstMark shown | lstMark=0:00:50"},
    {"remove mark", {"cmdDeleteMark"}, "marks", "message: Reelquill: No item selected."},
    {"clear marks", {"cmdClearMark"}, "marks",
     "cmdClearMark hidden | cmdDeleteMark hidden | lblMark hidden | lstMark hidden | lstMark="},
    {"previous mark", {"F6"}, "marks", "Seek(30)"},
    {"same mark", {"F7"}, "marks", "Seek(10)"},
    {"next mark", {"F8"}, "marks", "Seek(20)"},
    {"movie duration calculator", {"cmdMovieSpeedCalc", "mnuSpeedCalc"}, "",
     "window: frmMovieDurationCalculator"},
    {"transpose calculator", {"cmdKeyCalc", "mnuTransposeCalc"}, "", "window: frmKeyCalc"},
    {"speed trainer", {"mnuSpeedTrainer", "Ctrl+T"}, "", "window: frmSpeedTrainer"},
    {"both channels", {"mnuViewBothChannels", "Ctrl+1"}, "mnuViewMono", "mnuViewBothChannels ticked"},
    {"left channel only", {"mnuViewLeftOnly", "Ctrl+2"}, "", "mnuViewLeftOnly ticked"},
    {"right channel only", {"mnuViewRightOnly", "Ctrl+3"}, "", "mnuViewRightOnly ticked"},
    {"mono", {"mnuViewMono", "Ctrl+4"}, "", "mnuViewMono ticked"},
    {"without the centre", {"mnuViewWithoutCentre", "Ctrl+5"}, "", "mnuViewWithoutCentre ticked"},
    {"bass only", {"mnuViewBassOnly", "Ctrl+6"}, "", "mnuViewBassOnly ticked"},
    {"without the bass", {"mnuViewWithoutBass", "Ctrl+7"}, "", "mnuViewWithoutBass ticked"},
    {"help", {"cmdHelp", "mnuContents", "F1"}, "", "url: file://PROGRAM/reelquill-help.html"},
    {"support online", {"mnuOnlineSupport"}, "", "url: https://reelquill.org/support"},
    {"about", {"cmdAbout", "mnuAbout"}, "", "modal: frmAbout"},
    {"exit", {"mnuExit"}, "", "Close()"},
};
// clang-format on

struct Rig : MainWindowRig
{
    QTemporaryDir snapshots;
    QStringList modals;

    // A movie of 100 s playing at 50 s in the loop window 10..20, tempo 20, rate 120, volume -25 dB.
    explicit Rig(const QString& setup)
    {
        settings.setText("SnapshotFolder", snapshots.path() + "/");
        player.movies.insert("/movies/film.mp4", 100.0);
        window.startUp({"reelquill", "/movies/film.mp4"});
        player.volume = -2500;
        for (const QString& set :
             ("sldPosition=50 sldBegin=10 sldEnd=20 sldTempo=20 sldSpeed=120 " + setup).split(' ')) {
            if (set.startsWith("sld"))
                slider(set.section('=', 0, 0))->setValue(set.section('=', 1).toInt());
            else if (set.startsWith("mnu"))
                run(set);
        }
        for (double seconds : {10, 20, 30, 50}) {
            player.reportPosition(seconds);
            if (setup == "marks" && seconds < 50)
                run("cmdAddMark");
        }
        player.clearCalls();
    }

    // What the player was asked, with the folders and the date of a snapshot's name as words.
    QString calls() const
    {
        static const QRegularExpression date("[^ ]+-\\d\\d-\\d{4} \\d\\d-\\d\\d-\\d\\d");
        return player.calls.join(' ')
            .replace(snapshots.path(), "SNAPSHOTS")
            .replace(QFileInfo(SnapshotCommands::defaultPreviewPath()).path(), "CACHE")
            .replace(date, "DATE");
    }
    QStringList state()
    {
        const QWidget* client = window.centralWidget();
        QStringList state = modals;
        for (const QWidget* control : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            state << control->objectName() + (control->isHidden() ? " hidden" : " shown");
        for (const QListWidget* list : client->findChildren<QListWidget*>()) {
            QStringList lines;
            for (int i = 0; i < list->count(); ++i)
                lines << list->item(i)->text();
            state << list->objectName() + "=" + lines.join(',');
        }
        for (const QSlider* slider : client->findChildren<QSlider*>())
            state << slider->objectName() + "=" + QString::number(slider->value());
        for (const QWidget* other : QApplication::topLevelWidgets()) {
            if (other != &window && other->isVisible())
                state << "window: " + other->objectName();
        }
        // The sound view ticked in its submenu, as the submenu shows it when it opens.
        if (auto* views = window.findChild<QMenu*>("mnuSoundView")) {
            emit views->aboutToShow();
            for (const QAction* entry : views->actions()) {
                if (entry->isChecked())
                    state << entry->objectName() + " ticked";
            }
        }
        for (const QUrl& url : desktop.openedUrls)
            state << "url: " + url.toString().replace(QCoreApplication::applicationDirPath(), "PROGRAM");
        for (const QString& filter : desktop.filtersShown)
            state << "dialog: " + filter;
        for (const FakeDesktop::Message& message : desktop.messages)
            state << "message: " + message.caption + ": " + message.text;
        const PlaybackState& playback = window.playbackState();
        return state << QString("LoopPlay=%1").arg(playback.LoopPlay ? "true" : "false")
                     << QString("Paused=%1").arg(playback.Paused ? "true" : "false");
    }

    // Puts the focus where a row says: on a control of the main window, on a control of the window
    // that a button opens ("cmdKeyCalc > cboInitKey"), on the picture (a native window inside the
    // video) or in the full-screen video window. Returns what has the focus, or null.
    QWidget* putFocus(const QString& place, QWidget* fullScreen = nullptr)
    {
        const auto activate = [](QWidget* shown) {
            shown->show();
            shown->activateWindow();
            return QTest::qWaitForWindowActive(shown);
        };
        QWidget* video = control<QWidget>("MoviePlayer");
        QWindow* picture = place.contains("picture") ? new QWindow : nullptr;
        if (picture)
            (new QVBoxLayout(video))->addWidget(QWidget::createWindowContainer(picture));
        QWidget* focusWindow = &window;
        if (place.contains("full screen")) // the player moves the video into a window of its own
            (new QVBoxLayout(focusWindow = fullScreen))->addWidget(video);
        if (!activate(&window))
            return nullptr;
        if (place.contains(" > ") && run(place.section(" > ", 0, 0))) {
            for (QWidget* other : QApplication::topLevelWidgets())
                focusWindow = other->isVisible() && other != &window ? other : focusWindow;
        }
        QWidget* focused = place.contains("picture") || place.contains("full screen")
                               ? video
                               : focusWindow->findChild<QWidget*>(place.section(" > ", -1));
        if (!focused || !activate(focusWindow))
            return nullptr;
        focused->setFocus();
        if (picture)
            picture->requestActivate();
        // A window that a command shows may take the activation a moment after it reports it.
        const bool done = QTest::qWaitFor([&] {
            return picture ? QGuiApplication::focusWindow() == picture
                           : QApplication::activeWindow() == focusWindow &&
                                 QApplication::focusWidget() == focused;
        });
        return done ? focused : nullptr;
    }

    void press(const QString& keys)
    {
        for (const QString& key : keys.split(' ')) {
            const QKeyCombination combination =
                key == "Alt" ? QKeyCombination(Qt::Key_Alt) : QKeySequence::fromString(key)[0];
            QTest::keyClick(QGuiApplication::focusWindow(), combination.key(),
                            combination.keyboardModifiers());
        }
    }
};

} // namespace

class CommandRoutesTest : public QObject
{
    Q_OBJECT

private slots:
    // The preview picture goes to a cache folder of the tests' own.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void everyRouteRunsItsCommandOnce_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("effect");
        for (const auto& [name, routes, setup, effect] : commands) {
            for (const QString& route : routes)
                QTest::addRow("%s: %s", name, qPrintable(route)) << route << setup << effect;
        }
    }
    void everyRouteRunsItsCommandOnce()
    {
        QFETCH(QString, route);
        QFETCH(QString, setup);
        QFETCH(QString, effect);
        Rig rig(setup);
        const QStringList before = rig.state();
        // A modal window runs its own event loop: note it and close it from there.
        QTimer closeModal;
        connect(&closeModal, &QTimer::timeout, [&rig] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                rig.modals << "modal: " + modal->objectName();
                modal->close();
            }
        });
        closeModal.start(10);
        if (route.front().isUpper()) {
            QVERIFY(rig.putFocus("sldPosition"));
            rig.press(route);
        } else if (route == "double click")
            rig.player.doubleClick();
        else
            QVERIFY2(rig.run(route), qPrintable("no control " + route));
        closeModal.stop();
        QStringList seen = rig.state();
        seen.removeIf([&before](const QString& entry) { return before.contains(entry); });
        seen.sort();
        seen.prepend(rig.calls());
        seen.removeAll("");
        QCOMPARE(seen.join(" | "), effect);
        // A picture button shows its picture: a missing icon file leaves it blank.
        if (const auto* button = rig.control<QToolButton>(route))
            QVERIFY(!button->icon().pixmap(button->iconSize()).isNull());
    }

    // Every menu entry (but notes, which are never enabled) and hot key of the window is a route
    // above: none is left untested.
    void everyMenuEntryAndHotKeyIsListed()
    {
        Rig rig("");
        QStringList unlisted;
        for (const QAction* entry : rig.window.menuBar()->findChildren<QAction*>()) {
            if (!entry->isSeparator() && !entry->menu() && entry->isEnabled())
                unlisted << entry->objectName();
        }
        for (const QShortcut* hotKey : rig.window.findChildren<QShortcut*>()) {
            for (const QKeySequence& keys : hotKey->keys())
                unlisted << keys.toString();
        }
        for (const Command& command : commands) {
            for (const QString& route : std::get<QStringList>(command))
                unlisted.removeAll(route);
        }
        QCOMPARE(unlisted, QStringList());
    }

    // Wiring names every control, menu entry or command that does not meet its counterpart, so a
    // rename cannot leave a command unreachable without a word.
    void wiringNamesWhatDoesNotMeet_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("menuEntry");
        QTest::addColumn<QString>("placedEntry");
        QTest::addColumn<QStringList>("unmatched");
        QTest::newRow("all meet") << "cmdPlay"
                                  << "mnuPlay"
                                  << "mnuPlay" << QStringList();
        QTest::newRow("a row names a button the window lacks") << "cmdPlai"
                                                               << "mnuPlay"
                                                               << "mnuPlay" << QStringList{"cmdPlai"};
        QTest::newRow("the menu places an entry no row routes, and misses the row's")
            << "cmdPlay"
            << "mnuPlay"
            << "mnuPlai" << QStringList{"mnuPlai", "mnuPlay"};
    }
    void wiringNamesWhatDoesNotMeet()
    {
        QFETCH(QString, button);
        QFETCH(QString, menuEntry);
        QFETCH(QString, placedEntry);
        QFETCH(QStringList, unmatched);
        const QByteArray buttonName = button.toLatin1(), entryName = menuEntry.toLatin1(),
                         placedName = placedEntry.toLatin1();
        QWidget window;
        (new QToolButton(&window))->setObjectName("cmdPlay");
        int runs = 0;
        const CommandRoutes routes({{nullptr, buttonName.data(), entryName.data(), {}, [&runs] { ++runs; }}});
        const MenuBarEntry layout[] = {{MenuBarEntry::Menu, "mnuFile", "&File"},
                                       {MenuBarEntry::Item, placedName.data(), "&Play"}};
        QMenuBar menuBar;
        const QStringList seen = routes.connectButtons(&window) + buildMenuBar(&menuBar, layout, routes);
        QCOMPARE(seen, unmatched);
        window.findChild<QToolButton*>("cmdPlay")->click();
        QCOMPARE(runs, unmatched.contains("cmdPlai") ? 0 : 1);
    }

    // Hot keys act in the main window and the full-screen video whatever has the focus there, and
    // the control with the focus keeps its value; in other windows and the menu bar they stand aside.
    void hotKeysActOrStandAside_data()
    {
        QTest::addColumn<QString>("place");
        QTest::addColumn<QString>("keys"); // pressed one after the other
        QTest::addColumn<QString>("effect");
        // clang-format off
        QTest::newRow("keys act on the marks list, which keeps its line; the Pitch menu (Alt+P) stays shut")
            << "lstMark" << "Down Alt+P Alt+P" << "SetPitch(-1) Play() Play()";
        QTest::newRow("keys act while the full-screen picture has the focus")
            << "full-screen picture" << "Up Alt+P" << "SetPitch(1) Play()";
        QTest::newRow("Alt+F opens the File menu") << "sldPosition" << "Alt+F" << "menu mnuFile";
        QTest::newRow("Alt alone hands the arrows to the menu bar; P there opens the Pitch menu")
            << "sldPosition" << "Alt Right P" << "menu mnuPitch";
        QTest::newRow("the transpose calculator's key list takes the arrows")
            << "cmdKeyCalc > cboInitKey" << "Down Up Left Alt+P" << "cboInitKey moved";
        QTest::newRow("the snapshot options take the arrows")
            << "tlbCmdSnapshotFolder > optImageFormat_1" << "Right Up Alt+P" << "optImageFormat_1 moved";
        // clang-format on
    }
    void hotKeysActOrStandAside()
    {
        QFETCH(QString, place);
        QFETCH(QString, keys);
        QFETCH(QString, effect);
        QWidget fullScreen; // outlives the main window, as the video may move into it
        Rig rig("marks");
        QWidget* focused = rig.putFocus(place, &fullScreen);
        QVERIFY2(focused, qPrintable("cannot put the focus on " + place));
        // What the control shows: the line of a list, the value of a slider, the choice in a list.
        const auto valueOf = [focused] {
            const auto* list = qobject_cast<const QListWidget*>(focused);
            return list ? QVariant(list->currentRow()) : focused->metaObject()->userProperty().read(focused);
        };
        const QVariant before = valueOf();
        rig.player.clearCalls();
        rig.press(keys);
        const auto seen = [&] {
            QStringList effects{rig.player.calls.join(' ')};
            if (valueOf() != before)
                effects << focused->objectName() + " moved";
            if (const QWidget* menu = QApplication::activePopupWidget())
                effects << "menu " + menu->objectName();
            effects.removeAll("");
            return effects.join(" | ");
        };
        QTRY_COMPARE(seen(), effect);
        if (QWidget* menu = QApplication::activePopupWidget())
            menu->close();
    }
};

QTEST_MAIN(CommandRoutesTest)
#include "tst_commandroutes.moc"
