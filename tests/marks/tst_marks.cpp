#include "fakes/MainWindowRig.h"

#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QTest>

// The marks column of a shown main window. Steps: "open" (a one-hour movie, after which the
// player's calls are recorded afresh), "report S" (the player reports S seconds), "select N"
// (line N becomes selected), "down" (the Down arrow key in the list), "click N" (a mouse click on
// line N), or a marks command.
class MarksTest : public QObject
{
    Q_OBJECT

    struct Rig : MainWindowRig
    {
        Rig() { window.show(); }
        QListWidget& list() const { return *window.marksColumn().lstMark; }
        void run(const QString& steps)
        {
            const QHash<QString, QString> commands{
                {"add", "cmdAddMark"},   {"remove", "cmdDeleteMark"},     {"clear", "cmdClearMark"},
                {"next", "htkNextMark"}, {"previous", "htkPreviousMark"}, {"same", "htkGoToSameMark"}};
            const QStringList words = steps.split(' ', Qt::SkipEmptyParts);
            for (qsizetype i = 0; i < words.size(); ++i) {
                const QString& word = words[i];
                if (word == "open") {
                    player.movies.insert("/movies/hour.mp4", 3600);
                    window.startUp({"reelquill", "/movies/hour.mp4"});
                    player.clearCalls();
                } else if (word == "report") {
                    player.reportPosition(words[++i].toDouble());
                } else if (word == "select") {
                    list().setCurrentRow(words[++i].toInt());
                } else if (word == "down") {
                    QTest::keyClick(&list(), Qt::Key_Down);
                } else if (word == "click") {
                    const QRect line = list().visualItemRect(list().item(words[++i].toInt()));
                    QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, line.center());
                } else {
                    QVERIFY2(MainWindowRig::run(commands.value(word)), qPrintable(word));
                }
            }
        }
    };

private slots:
    // After the steps: the lines of the list; which of the caption, the list, Add, Remove and
    // Clear show (+) or not (-); any message; and, after "|", where the player was sent. Jumps
    // and clicks only seek, and a jump selects no line.
    void marks_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("outcome");
        const auto row = [](const char* name, const QString& steps, const QString& outcome) {
            QTest::newRow(name) << steps << outcome;
        };
        row("at start", "", "--+-- |");
        row("add with no movie open", "report 12 add", "--+-- |");
        row("add cuts off the fractions", "open report 3599.999 add", "0:59:59 +++++ |");
        row("in the order added, not sorted", "open report 100 add report 20 add", "0:01:40 0:00:20 +++++ |");
        row("remove the selected line", "open report 1 add report 2 add report 3 add select 1 remove",
            "0:00:01 0:00:03 +++++ |");
        row("remove with none selected", "open report 1 add report 2 add remove",
            "0:00:01 0:00:02 +++++ No item selected. |");
        // No line is selected after a removal, so a second Remove takes nothing the user did not pick.
        row("remove twice", "open report 1 add report 2 add report 3 add select 0 remove remove",
            "0:00:02 0:00:03 +++++ No item selected. |");
        row("clear", "open report 1 add report 2 add clear", "--+-- |");
        row("add after clear", "open report 1 add clear report 2 add", "0:00:02 +++++ |");
        // Three marks at 10, 20 and 30 s. Two lines removed from five while the fifth was current
        // leave it past the end of the three left; one removed from three while the third was,
        // just past it.
        const QString three = "open report 10 add report 20 add report 30 add ",
                      shown = "0:00:10 0:00:20 0:00:30 +++++ | ";
        const QString pastTheEnd =
            three + "report 40 add report 50 add next next next next select 0 remove select 0 remove ";
        const QString left = "0:00:30 0:00:40 0:00:50 +++++ | Seek(20) Seek(30) Seek(40) Seek(50) ";
        row("next, next, next wraps", three + "next next next", shown + "Seek(20) Seek(30) Seek(10)");
        row("previous from the first wraps to the last", three + "previous previous",
            shown + "Seek(30) Seek(20)");
        row("same at the start, and after next", three + "same next same",
            shown + "Seek(10) Seek(20) Seek(20)");
        row("no marks", "open next previous same", "--+-- |");
        row("click a line with hours", "open report 3725.9 add click 0", "1:02:05 +++++ | Seek(3725)");
        row("click the selected line again", three + "click 1 click 1", shown + "Seek(20) Seek(20)");
        row("arrow keys only select", three + "select 0 down down", shown);
        row("a click leaves the current mark", three + "click 2 same next",
            shown + "Seek(30) Seek(10) Seek(20)");
        row("past the end: next wraps to the first", pastTheEnd + "next", left + "Seek(30)");
        row("past the end: previous goes to the last", pastTheEnd + "previous", left + "Seek(50)");
        row("past the end: same goes to the last", pastTheEnd + "same next", left + "Seek(50) Seek(30)");
        row("just past the end: same goes to the last", three + "next next select 0 remove same",
            "0:00:20 0:00:30 +++++ | Seek(20) Seek(30) Seek(30)");
    }
    void marks()
    {
        QFETCH(QString, steps);
        QFETCH(QString, outcome);
        Rig rig;
        rig.run(steps);
        QStringList seen;
        for (int i = 0; i < rig.list().count(); ++i)
            seen << rig.list().item(i)->text();
        const MarksColumn& column = rig.window.marksColumn();
        seen << "";
        for (const QWidget* control : QList<const QWidget*>{column.lblMark, column.lstMark, column.cmdAddMark,
                                                            column.cmdDeleteMark, column.cmdClearMark})
            seen.last() += control->isVisible() ? "+" : "-";
        for (const FakeDesktop::Message& message : std::as_const(rig.desktop.messages))
            seen << (message.caption == "Reelquill" ? message.text : message.caption);
        QCOMPARE((seen << "|" << rig.player.calls).join(' ').trimmed(), outcome.trimmed());
        if (steps.contains(QRegularExpression("next|previous|same")) && !steps.contains("click"))
            QVERIFY(rig.list().selectedItems().isEmpty());
    }
};

QTEST_MAIN(MarksTest)
#include "tst_marks.moc"
