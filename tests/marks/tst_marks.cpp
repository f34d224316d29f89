#include "app/MarksColumnBuilder.h"
#include "app/TimeAreaBuilder.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeMoviePlayer.h"
#include "marks/MarksList.h"
#include "playback/PlaybackState.h"
#include "playback/PositionTracker.h"
#include "playback/TransportCommands.h"

#include <QLabel>
#include <QListWidget>
#include <QSlider>
#include <QTest>
#include <QToolButton>

namespace {

// Notes, in order, which of the watched widgets hide and how many marks the list holds then.
class HideRecorder : public QObject
{
public:
    QStringList hidden;
    const QListWidget* list = nullptr;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide)
            hidden << QStringLiteral("%1(%2)").arg(watched->objectName()).arg(list->count());
        return false;
    }
};

} // namespace

// The marks column in a small shown window, beside the time label that the player's position
// reports and Stop write, as on the main window.
class MarksTest : public QObject
{
    Q_OBJECT

    struct Rig
    {
        QWidget window;
        TimeControls time = buildTimeArea(&window);
        MarksColumn column = buildMarksColumn(&window);
        FakeMoviePlayer player;
        FakeDesktop desktop;
        PlaybackState state;
        PositionTracker tracker{player, state, time};
        TransportCommands transport{player, state, time, desktop, &window};
        MarksList marks{column, *time.lblPreviewTime, player, desktop};

        Rig()
        {
            window.resize(700, 600);
            window.show();
            player.movies.insert("/movies/hour.mp4", 3600.0);
        }

        void openMovie()
        {
            desktop.fileAnswers << "/movies/hour.mp4";
            transport.Open();
        }

        // A real mouse click in the middle of the line.
        void clickLine(int index)
        {
            QListWidget* list = column.lstMark;
            const QRect line = list->visualItemRect(list->item(index));
            QVERIFY(!line.isEmpty());
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line.center());
        }

        QStringList lines() const
        {
            QStringList texts;
            for (int i = 0; i < column.lstMark->count(); ++i)
                texts << column.lstMark->item(i)->text();
            return texts;
        }

        // Which controls of the column the user sees.
        QString shown() const
        {
            QStringList names;
            for (QWidget* widget : QList<QWidget*>{column.lblMark, column.lstMark, column.cmdAddMark,
                                                   column.cmdDeleteMark, column.cmdClearMark})
                if (widget->isVisible())
                    names << widget->objectName();
            return names.join(' ');
        }
    };

    using Command = void (MarksList::*)();
    static QHash<QString, Command> commandByName()
    {
        return {{"add", &MarksList::cmdAddMark},           {"delete", &MarksList::cmdDeleteMark},
                {"clear", &MarksList::cmdClearMark},       {"next", &MarksList::htkNextMark},
                {"previous", &MarksList::htkPreviousMark}, {"same", &MarksList::htkGoToSameMark}};
    }

    // Steps: "open" (a one-hour movie), "report S" (the player reports S seconds), "drift S" (the
    // player is at S but has not reported it yet), "begin S" (the loop window's beginning),
    // "stop", "select N" (the user selects line N), "down" (the Down arrow key in the list),
    // "click N" (the user clicks line N), or one of the marks commands. After "open", the
    // player's calls are recorded afresh.
    static void run(Rig& rig, const QString& steps)
    {
        const QStringList words = steps.split(' ', Qt::SkipEmptyParts);
        for (qsizetype i = 0; i < words.size(); ++i) {
            const QString& word = words[i];
            if (word == "open") {
                rig.openMovie();
                rig.player.clearCalls();
            } else if (word == "report") {
                rig.player.reportPosition(words[++i].toDouble());
            } else if (word == "drift") {
                rig.player.position = words[++i].toDouble();
            } else if (word == "begin") {
                rig.time.sldBegin->setValue(words[++i].toInt());
            } else if (word == "stop") {
                rig.transport.Stop();
            } else if (word == "select") {
                rig.column.lstMark->setCurrentRow(words[++i].toInt());
            } else if (word == "down") {
                QTest::keyClick(rig.column.lstMark, Qt::Key_Down);
            } else if (word == "click") {
                rig.clickLine(words[++i].toInt());
            } else {
                const Command command = commandByName().value(word);
                QVERIFY2(command, qPrintable(word));
                (rig.marks.*command)();
            }
        }
    }

private slots:
    // What the list holds, which controls show and how many times Remove said that no line is
    // selected, after adding, removing and clearing marks.
    void editing_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("messages");
        const auto row = [](const char* name, const char* steps, QStringList lines, const char* shown,
                            int messages = 0) {
            QTest::newRow(name) << QString(steps) << lines << QString(shown) << messages;
        };
        const char* all = "lblMark lstMark cmdAddMark cmdDeleteMark cmdClearMark";
        row("start", "", {}, "cmdAddMark");
        row("no movie open", "report 12 add", {}, "cmdAddMark");
        row("hundredths are cut off", "open report 754.56 add", {"0:12:34"}, all);
        row("the last second of the first hour", "open report 3599.999 add", {"0:59:59"}, all);
        row("the same time twice", "open report 75.25 add add", {"0:01:15", "0:01:15"}, all);
        row("in the order added, not sorted", "open report 100 add report 20 add", {"0:01:40", "0:00:20"},
            all);
        // Stop writes the label from where the player went; a reading taken later would say 0:00:31.
        row("after stop, the time stop showed", "open report 80 begin 30 stop drift 31.7 add", {"0:00:30"},
            all);
        row("before a report, the time last shown", "open report 5 drift 9 add", {"0:00:05"}, all);
        row("remove the selected line", "open report 1 add report 2 add report 3 add select 1 delete",
            {"0:00:01", "0:00:03"}, all);
        row("remove the last line left", "open report 1 add select 0 delete", {}, all);
        row("remove with none selected", "open report 1 add report 2 add delete", {"0:00:01", "0:00:02"}, all,
            1);
        // No line is selected after a removal, so a second Remove takes nothing the user did not pick.
        row("remove twice", "open report 1 add report 2 add report 3 add select 0 delete delete",
            {"0:00:02", "0:00:03"}, all, 1);
        row("clear", "open report 1 add report 2 add clear", {}, "cmdAddMark");
        row("add after clear shows the list again", "open report 1 add clear report 2 add", {"0:00:02"}, all);
        row("clear with no marks", "clear", {}, "cmdAddMark");
    }
    void editing()
    {
        QFETCH(QString, steps);
        QFETCH(QStringList, lines);
        QFETCH(QString, shown);
        QFETCH(int, messages);
        Rig rig;
        run(rig, steps);
        QCOMPARE(rig.lines(), lines);
        QCOMPARE(rig.shown(), shown);
        QCOMPARE(rig.desktop.messages.size(), messages);
        for (const FakeDesktop::Message& message : std::as_const(rig.desktop.messages)) {
            QCOMPARE(message.caption, "Reelquill");
            QCOMPARE(message.text, "No item selected.");
            QCOMPARE(message.icon, Desktop::MessageIcon::Information);
        }
    }

    // Where the jumps and clicks send the player. They only seek: no Play, Pause or Stop, and
    // no line becomes selected.
    void jumps_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("seeks");
        const auto row = [](const char* name, const QString& steps, const char* seeks) {
            QTest::newRow(name) << steps << QString(seeks);
        };
        // Three marks at 10, 20 and 30 s, or five at 10 to 50 s, with no seeks recorded.
        const QString three = "open report 10 add report 20 add report 30 add";
        const QString five = three + " report 40 add report 50 add";
        row("next, next, next wraps", three + " next next next", "Seek(20) Seek(30) Seek(10)");
        row("previous from the first wraps to the last", three + " previous", "Seek(30)");
        row("previous, previous", three + " previous previous", "Seek(30) Seek(20)");
        row("same at the start", three + " same", "Seek(10)");
        row("same repeats the line last reached", three + " next same same", "Seek(20) Seek(20) Seek(20)");
        row("one mark: next, previous, same", "open report 7 add next previous same",
            "Seek(7) Seek(7) Seek(7)");
        row("empty list", "open next previous same", "");
        row("empty after clear", three + " clear next previous same", "");
        // 0:12:34 is 12 x 60 + 34 seconds.
        row("click", "open report 754.56 add click 0", "Seek(754)");
        row("hours, minutes and seconds", "open report 3725.9 add click 0", "Seek(3725)");
        row("click the selected line again", three + " click 1 click 1", "Seek(20) Seek(20)");
        row("arrow keys only select", three + " select 0 down down", "");
        row("click leaves the current mark", three + " click 2 same next", "Seek(30) Seek(10) Seek(20)");
        // Two lines removed from five while the current mark is the fifth line: it stands past
        // the end of the three lines left, 0:00:30, 0:00:40 and 0:00:50.
        const QString pastTheEnd = five + " next next next next select 0 delete select 0 delete";
        row("past the end: next wraps to the first", pastTheEnd + " next",
            "Seek(20) Seek(30) Seek(40) Seek(50) Seek(30)");
        row("past the end: previous goes to the last", pastTheEnd + " previous",
            "Seek(20) Seek(30) Seek(40) Seek(50) Seek(50)");
        row("past the end: same goes to the last", pastTheEnd + " same next",
            "Seek(20) Seek(30) Seek(40) Seek(50) Seek(50) Seek(30)");
        // One line removed from three while at the third: just past the end.
        const QString justPast = three + " next next select 0 delete";
        row("just past the end: previous", justPast + " previous", "Seek(20) Seek(30) Seek(30)");
        row("just past the end: same", justPast + " same", "Seek(20) Seek(30) Seek(30)");
        row("just past the end: next", justPast + " next", "Seek(20) Seek(30) Seek(20)");
        row("past the end after clear", three + " next next clear report 40 add previous same next",
            "Seek(20) Seek(30) Seek(40) Seek(40) Seek(40)");
    }
    void jumps()
    {
        QFETCH(QString, steps);
        QFETCH(QString, seeks);
        Rig rig;
        run(rig, steps);
        QCOMPARE(rig.player.calls.join(' '), seeks);
        if (!steps.contains("click") && !steps.contains("select"))
            QVERIFY(rig.column.lstMark->selectedItems().isEmpty());
    }

    // Clear empties the list first, then hides the caption, the list and the two buttons in turn.
    void clearHidesInOrder()
    {
        Rig rig;
        run(rig, "open report 1 add report 2 add");
        HideRecorder recorder;
        recorder.list = rig.column.lstMark;
        for (QWidget* widget : QList<QWidget*>{rig.column.lblMark, rig.column.lstMark, rig.column.cmdAddMark,
                                               rig.column.cmdDeleteMark, rig.column.cmdClearMark})
            widget->installEventFilter(&recorder);
        rig.marks.cmdClearMark();
        QCOMPARE(recorder.hidden,
                 QStringList({"lblMark(0)", "lstMark(0)", "cmdDeleteMark(0)", "cmdClearMark(0)"}));
    }
};

QTEST_MAIN(MarksTest)
#include "tst_marks.moc"
