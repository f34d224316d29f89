#include "fakes/MainWindowRig.h"
#include "snapshot/SnapshotCommands.h"

#include <QApplication>
#include <QFileInfo>
#include <QListWidget>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTest>

// Every command of the main window through every one of its routes. The expected effects are
// written out by hand from what each command must do, and the keys as a user presses them, so a
// route wired to the wrong command, a command that runs twice or a wrong key all show.
namespace {

const QString movieFilter =
    "All Supported Files |*.mpg;*.mpeg;*.wmv;*.avi;*.mov;*.mp4;*.3gp;*.flv;*.vob|DVD video files "
    "(*.vob)|*.vob"
    "|FLV (*.flv)|*.flv|mpg (*.mpg)|*.mpg|mpeg (*.mpeg)|*.mpeg|wmv (*.wmv)|*.wmv|avi (*.avi)|*.avi"
    "|mov (*.mov)|*.mov|mp4 (*.mp4)|*.mp4|3gp (*.3gp)|*.3gp|All Files (*.*)|*.*";

const QString excerptFilter = "Reelquill excerpt files (*.rqx) |*.rqx";

struct Command
{
    const char* name;
    // Buttons and menu entries by name; keys as "key:Ctrl+Left"; "double click" on the video.
    QStringList routes;
    // On top of the common start: a slider set ("sldPitchSemi=-3"), three marks ("marks"), or nothing.
    QString setup;
    // The player's calls, then every control, state, window and desktop record that changed, sorted.
    QString effect;
};

// clang-format off
const QList<Command> commands = {
    {"open", {"tlbCmdOpen", "cmdOpen", "mnuOpen", "key:Alt+O"}, "",
     "dialog: " + movieFilter},
    {"play", {"tlbCmdPlay", "cmdPlay", "mnuPlay", "key:Alt+P"}, "",
     "Play()"},
    {"play loop", {"tlbCmdPlayLoop", "cmdPlayLoop", "mnuPlayLoop", "key:Alt+L"}, "",
     "Play() | LoopPlay=true"},
    {"pause", {"tlbCmdPause", "cmdPause", "mnuPause", "key:Alt+Space"}, "",
     "Pause() | Paused=true"},
    {"stop", {"tlbCmdStop", "cmdStop", "mnuStop", "key:Alt+Backspace"}, "",
     "Stop() Seek(10) | lblPreviewTime=0:00:10:00 | sldPosition=10"},
    {"5 seconds back", {"tlbCmdRewind", "cmdRewind", "mnuRewind", "key:Alt+Left"}, "",
     "Seek(45)"},
    {"5 seconds forward", {"tlbCmdFForward", "cmdFForward", "mnuFForward", "key:Alt+Right"}, "",
     "Seek(55)"},
    {"loop window back", {"tlbCmdLoopWinBack", "cmdLoopWinBack", "mnuLoopWinBack", "key:Shift+Left"}, "",
     "sldBegin=9 | sldEnd=19"},
    {"loop window forward", {"tlbCmdLoopWinForward", "cmdLoopWinForward", "mnuLoopWinFF", "key:Shift+Right"}, "",
     "sldBegin=11 | sldEnd=21"},
    {"full screen", {"tlbCmdResize", "mnuFullScreen", "key:Alt+Return", "key:Alt+Enter", "double click"}, "",
     "FullScreen(true)"},
    {"window view", {"tlbCmdWindowed", "mnuWindowedVideo"}, "",
     "FullScreen(false)"},
    {"reset all", {"cmdResetAll", "mnuResetAll", "key:Home"}, "sldPitchGrad=100",
     "SetTempo(0) SetPitch(0) setRate(1) | lblPitchGrade=0.00 | lblRate=100% | lblTempo=100% | sldPitchGrad=0"
     " | sldSpeed=100 | sldTempo=0"},
    {"tempo +10", {"cmdTempo10Up", "mnuTempo10Up", "key:Right"}, "",
     "SetTempo(30) | lblTempo=130% | sldTempo=30"},
    {"tempo +1", {"cmdTempo1Up", "mnuTempo1Up", "key:Ctrl+Right"}, "",
     "SetTempo(21) | lblTempo=121% | sldTempo=21"},
    {"tempo reset", {"cmdTempoReset", "mnuTempoReset", "key:Alt+Home"}, "",
     "SetTempo(0) | lblTempo=100% | sldTempo=0"},
    {"tempo -1", {"cmdTempo1Down", "mnuTempo1Down", "key:Ctrl+Left"}, "",
     "SetTempo(19) | lblTempo=119% | sldTempo=19"},
    {"tempo -10", {"cmdTempo10Down", "mnuTempo10Down", "key:Left"}, "",
     "SetTempo(10) | lblTempo=110% | sldTempo=10"},
    {"rate +10", {"cmdRate10Up", "mnuTempoPitch10Up", "key:PgUp"}, "",
     "setRate(1.3) | lblRate=130% | sldSpeed=130"},
    {"rate +1", {"cmdRate1Up", "mnuTempoPitch1Up", "key:Ctrl+PgUp"}, "",
     "setRate(1.21) | lblRate=121% | sldSpeed=121"},
    {"rate reset", {"cmdRateReset", "mnuTempoPitchReset", "key:Ctrl+Home"}, "",
     "setRate(1) | lblRate=100% | sldSpeed=100"},
    {"rate -1", {"cmdRate1Down", "mnuTempoPitch1Down", "key:Ctrl+PgDown"}, "",
     "setRate(1.19) | lblRate=119% | sldSpeed=119"},
    {"rate -10", {"cmdRate10Down", "mnuTempoPitch10Down", "key:PgDown"}, "",
     "setRate(1.1) | lblRate=110% | sldSpeed=110"},
    {"octave up", {"cmdPitch12UpSemi", "mnuPitchSemi12Up", "key:Shift+Up"}, "sldPitchSemi=-3",
     "SetPitch(9) | lblPitchSemi=9 | sldPitchSemi=9"},
    {"semitone up", {"cmdPitch1UpSemi", "mnuPitchSemi1Up", "key:Up"}, "sldPitchSemi=-3",
     "SetPitch(-2) | lblPitchSemi=-2 | sldPitchSemi=-2"},
    {"semitones reset", {"cmdPitchResetSemi", "mnuPitchSemiReset"}, "sldPitchSemi=-3",
     "SetPitch(0) | lblPitchSemi=0 | sldPitchSemi=0"},
    {"semitone down", {"cmdPitch1DownSemi", "mnuPitchSemi1Down", "key:Down"}, "sldPitchSemi=-3",
     "SetPitch(-4) | lblPitchSemi=-4 | sldPitchSemi=-4"},
    {"octave down", {"cmdPitch12DownSemi", "mnuPitchSemi12Down", "key:Shift+Down"}, "sldPitchSemi=3",
     "SetPitch(-9) | lblPitchSemi=-9 | sldPitchSemi=-9"},
    {"fine semitone up", {"cmdPitch10UpGrad", "mnuPitch10Up"}, "sldPitchGrad=100",
     "SetPitch(3) | lblPitchGrade=3.00 | sldPitchGrad=150"},
    {"2 cents up", {"cmdPitch1UpGrad", "mnuPitch1Up", "key:Ctrl+Up"}, "sldPitchGrad=100",
     "SetPitch(2.02) | lblPitchGrade=2.02 | sldPitchGrad=101"},
    {"fine pitch reset", {"cmdPitchResetGrad", "mnuPitchReset"}, "sldPitchGrad=100",
     "SetPitch(0) | lblPitchGrade=0.00 | sldPitchGrad=0"},
    {"2 cents down", {"cmdPitch1DownGrad", "mnuPitch1Down", "key:Ctrl+Down"}, "sldPitchGrad=100",
     "SetPitch(1.98) | lblPitchGrade=1.98 | sldPitchGrad=99"},
    {"fine semitone down", {"cmdPitch10DownGrad", "mnuPitch10Down"}, "sldPitchGrad=100",
     "SetPitch(1) | lblPitchGrade=1.00 | sldPitchGrad=50"},
    {"both pitches to 0", {"key:End"}, "sldPitchGrad=100",
     "SetPitch(0) | lblPitchGrade=0.00 | sldPitchGrad=0"},
    {"volume down", {"cmdGainDown"}, "",
     "setVolume(-3000)"},
    {"volume up", {"cmdGainUp"}, "",
     "setVolume(-2000)"},
    {"load excerpt", {"tlbCmdLoadExcerpt", "mnuLoadExcerpt", "key:Ctrl+L"}, "",
     "dialog: " + excerptFilter},
    {"save excerpt", {"tlbCmdSaveExcerpt", "mnuSaveExcerpt", "key:Ctrl+S"}, "",
     "dialog: " + excerptFilter},
    {"snapshot", {"tlbCmdSnapshot", "cmdSnapshot", "mnuSnapshot", "key:Alt+S"}, "",
     "SaveSnapshot(SNAPSHOTS/Snapshot DATE.jpg,1) SaveBitmap(CACHE/preview.bmp) | window: frmSnapshot"},
    {"snapshot options", {"tlbCmdSnapshotFolder", "mnuSnapshotFolder"}, "",
     "window: frmOptions"},
    {"add mark", {"cmdAddMark", "key:F5"}, "",
     "cmdClearMark shown | cmdDeleteMark shown | lblMark shown | lstMark shown | lstMark=0:00:50"},
    {"remove mark", {"cmdDeleteMark"}, "marks",
     "message: Reelquill: No item selected. (information)"},
    {"clear marks", {"cmdClearMark"}, "marks",
     "cmdClearMark hidden | cmdDeleteMark hidden | lblMark hidden | lstMark hidden | lstMark="},
    {"previous mark", {"key:F6"}, "marks",
     "Seek(30)"},
    {"same mark", {"key:F7"}, "marks",
     "Seek(10)"},
    {"next mark", {"key:F8"}, "marks",
     "Seek(20)"},
    {"movie duration calculator", {"cmdMovieSpeedCalc", "mnuSpeedCalc"}, "",
     "window: frmMovieDurationCalculator"},
    {"transpose calculator", {"cmdKeyCalc", "mnuTransposeCalc"}, "",
     "window: frmKeyCalc"},
    {"help", {"cmdHelp", "mnuContents", "key:F1"}, "",
     "url: file://PROGRAM/reelquill-help.html"},
    {"support online", {"mnuOnlineSupport"}, "",
     "url: https://reelquill.org/support"},
    {"about", {"cmdAbout", "mnuAbout"}, "",
     "modal: frmAbout"},
    {"exit", {"mnuExit"}, "",
     "Close()"},
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
        player.position = 50;
        player.volume = -2500;
        slider("sldPosition")->setValue(50);
        slider("sldBegin")->setValue(10);
        slider("sldEnd")->setValue(20);
        slider("sldTempo")->setValue(20);
        slider("sldSpeed")->setValue(120);
        if (setup == "marks") {
            for (double seconds : {10, 20, 30}) {
                player.reportPosition(seconds);
                run("cmdAddMark");
            }
        } else if (!setup.isEmpty()) {
            slider(setup.section('=', 0, 0))->setValue(setup.section('=', 1).toInt());
        }
        player.reportPosition(50);
        player.clearCalls();
    }

    // What the player was asked, and the sliders, labels and playback state as name=value.
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
        QStringList state = modals;
        for (const QWidget* control :
             window.centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            state << control->objectName() + (control->isHidden() ? " hidden" : " shown");
        for (const QListWidget* list : window.centralWidget()->findChildren<QListWidget*>()) {
            QStringList lines;
            for (int i = 0; i < list->count(); ++i)
                lines << list->item(i)->text();
            state << list->objectName() + "=" + lines.join(',');
        }
        for (const QWidget* other : QApplication::topLevelWidgets()) {
            if (other != &window && other->isVisible())
                state << "window: " + other->objectName();
        }
        for (const QUrl& url : desktop.openedUrls)
            state << "url: " + url.toString().replace(QCoreApplication::applicationDirPath(), "PROGRAM");
        for (const QSlider* slider : window.centralWidget()->findChildren<QSlider*>())
            state << slider->objectName() + "=" + QString::number(slider->value());
        for (const QLabel* label : window.centralWidget()->findChildren<QLabel*>())
            state << label->objectName() + "=" + label->text();
        const PlaybackState& playback = window.playbackState();
        state << QString("LoopPlay=%1").arg(playback.LoopPlay ? "true" : "false")
              << QString("Paused=%1").arg(playback.Paused ? "true" : "false");
        for (const QString& filter : desktop.filtersShown)
            state << "dialog: " + filter;
        for (const FakeDesktop::Message& message : desktop.messages)
            state << "message: " + message.caption + ": " + message.text +
                         (message.icon == Desktop::MessageIcon::Information ? " (information)"
                                                                            : " (other icon)");
        return state;
    }

    bool pressOnThePositionSlider(const QString& keys)
    {
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        slider("sldPosition")->setFocus();
        const QKeyCombination combination = QKeySequence::fromString(keys)[0];
        QTest::keyClick(slider("sldPosition"), combination.key(), combination.keyboardModifiers());
        return true;
    }
};

// The entries of the states after that differ from before, sorted, after the player's calls.
QString effect(const QString& calls, const QStringList& before, QStringList after)
{
    after.removeIf([&before](const QString& entry) { return before.contains(entry); });
    after.sort();
    if (!calls.isEmpty())
        after.prepend(calls);
    return after.join(" | ");
}
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
        for (const Command& command : commands) {
            for (const QString& route : command.routes)
                QTest::addRow("%s: %s", command.name, qPrintable(route))
                    << route << command.setup << command.effect;
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
        if (route.startsWith("key:"))
            QVERIFY(rig.pressOnThePositionSlider(route.mid(4)));
        else if (route == "double click")
            rig.player.doubleClick();
        else
            QVERIFY2(rig.run(route), qPrintable("no control " + route));
        closeModal.stop();
        const QString seen = ::effect(rig.calls(), before, rig.state());
        // Windows the command opened go with this row.
        for (QWidget* other : QApplication::topLevelWidgets()) {
            if (other != &rig.window)
                other->close();
        }
        QCOMPARE(seen, effect);
    }

    // Every menu entry and hot key of the window is a route above: none is left untested.
    void everyMenuEntryAndHotKeyIsListed()
    {
        QSet<QString> listed;
        for (const Command& command : commands) {
            for (const QString& route : command.routes)
                listed << route;
        }
        Rig rig("");
        QStringList unlisted;
        for (const QAction* menu : rig.window.menuBar()->actions()) {
            for (const QAction* entry : menu->menu()->actions()) {
                if (!entry->isSeparator() && !listed.contains(entry->objectName()))
                    unlisted << entry->objectName();
            }
        }
        for (const QShortcut* hotKey : rig.window.findChildren<QShortcut*>()) {
            for (const QKeySequence& keys : hotKey->keys()) {
                if (!listed.contains("key:" + keys.toString()))
                    unlisted << hotKey->objectName() + " " + keys.toString();
            }
        }
        QCOMPARE(unlisted, QStringList());
    }
};

QTEST_MAIN(CommandRoutesTest)
#include "tst_commandroutes.moc"
