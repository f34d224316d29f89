#include "fakes/MainWindowRig.h"

#include <QDir>
#include <QListWidget>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

// The time sliders, then the sound sliders in an order that sets the pitch sliders last, since
// each resets the other.
const char* const sliders[] = {"sldPosition", "sldBegin",     "sldEnd",      "sldTempo",
                               "sldSpeed",    "sldPitchSemi", "sldPitchGrad"};

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A main window playing a 1000-second movie, one mark set at 0:00:05, fine pitch at 50.
struct Rig : MainWindowRig
{
    Rig()
    {
        player.movies.insert("/movies/start.mp4", 1000);
        window.startUp({"reelquill", "/movies/start.mp4"});
        player.reportPosition(5);
        run("cmdAddMark");
        slider("sldPitchGrad")->setValue(50);
        player.clearCalls();
    }
    // Gives the Save or Load excerpt command, whose dialog answers `path` (cancels when empty).
    void excerpt(const char* command, const QString& path)
    {
        desktop.fileAnswers << path;
        run(command);
    }
    // The dialog showed excerpt files, and the message shown starts with `message` (none if empty).
    void checkMessage(const QString& message) const
    {
        QStringList shown;
        for (const FakeDesktop::Message& box : desktop.messages)
            shown << box.caption + '|' + box.text;
        QCOMPARE(shown.join('\n').left(message.size()), message);
        QCOMPARE(shown.isEmpty(), message.isEmpty());
        QCOMPARE(desktop.filtersShown, QStringList{"Reelquill excerpt files (*.rqx) |*.rqx"});
    }
};

} // namespace

class ExcerptTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_movie;

    // Movie (M for m_movie), loop mode, the time sliders' maximum/value, tempo, rate, semitones,
    // fine pitch, and the number of marks.
    QString state(Rig& rig) const
    {
        const QString movie = rig.player.FileName();
        QStringList shown{movie == m_movie ? "M" : QFileInfo(movie).fileName(),
                          rig.window.playbackState().LoopPlay ? "loop" : "play"};
        for (int i = 0; i < 7; ++i) {
            const QSlider* slider = rig.slider(sliders[i]);
            shown << (i < 3 ? QString("%1/").arg(slider->maximum()) : "") + QString::number(slider->value());
        }
        return shown.join(' ') + QString(", %1 marks").arg(rig.window.marksColumn().lstMark->count());
    }
    // The first `count` lines of an excerpt of m_movie (11 hours long), line `bad` replaced by `badText`.
    QByteArray lines(int count = 12, int bad = 0, const QString& badText = {}) const
    {
        QStringList text{m_movie, "True", "40000", "150", "210",  "40",
                         "220",   "60",   "-25",   "0",   "-120", "150"};
        if (bad > 0)
            text[bad - 1] = badText;
        return (text.mid(0, count).join("\r\n") + "\r\n").toUtf8();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QDir(m_folder.path()).mkdir("clips"));
        m_movie = m_folder.filePath(QString::fromUtf8("clips/Bach, \"Air\" – Größe 日本.mp4"));
        QVERIFY(writeFile(m_movie, "not really a movie"));
        QVERIFY(QFile::link(m_movie, m_folder.filePath("link.mp4")));
        QVERIFY(QDir::setCurrent(m_folder.path()));
    }

    // Each row loads a file onto the rig (`text` in a file, the excerpt at `path`, or none when
    // `path` is "cancel") and names the start of the message shown. The lines before a missing or
    // bad one stay applied, the marks are gone, and playback goes on where sldPosition stands.
    void load_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("path");
        const char* all = "M loop 40000/150 210/40 220/60 -25 150 0 -120, 0 marks";
        const char* untouched = "start.mp4 play 1000/5 1000/0 1000/1000 0 100 0 50, 0 marks";
        const QString missing = "Reelquill|Video file doesn't exist, or video media not loaded.";
        const auto row = [](const char* name, const QByteArray& text, const QString& message,
                            const char* shown, const QString& path = {}) {
            QTest::newRow(name) << text << message << QString(shown) << path;
        };
        row("a whole file", lines(), "", all);
        row("LF alone, blanks, letter case, no last line end, a 13th line",
            (m_movie + "\ntrue \n 40000\n150\n210\n40\n220\n60\t\n-25\n0\n-120\n150\nx").toUtf8(), "", all);
        row("an empty file", "", "Error|The excerpt file is empty.", untouched);
        // Semitones set reset the fine pitch, whose reaction resets them in turn; set again, they take.
        row("ends after line 10, semitones onto fine pitch", lines(10, 10, "-5"),
            "Error|The excerpt file ends after line 10;",
            "M loop 40000/150 210/40 220/60 -25 100 -5 0, 0 marks");
        row("line 2 Maybe", lines(12, 2, "Maybe"), "Error|Line 2 of the excerpt file is \"Maybe\", which",
            "M play 1000/5 1000/0 1000/1000 0 100 0 50, 0 marks");
        row("line 6 a number and letters", lines(12, 6, "40abc"),
            "Error|Line 6 of the excerpt file is \"40abc\"",
            "M loop 40000/150 210/0 1000/1000 0 100 0 50, 0 marks");
        row("line 9 past 16 bits", lines(12, 9, "100000"), "Error|Line 9 of the excerpt file holds",
            "M loop 40000/150 210/40 220/60 0 100 0 50, 0 marks");
        row("the movie through a link", lines(12, 1, m_folder.filePath("link.mp4")), "",
            "link.mp4 loop 40000/150 210/40 220/60 -25 150 0 -120, 0 marks");
        row("the movie gone", lines(3, 1, "/movies/gone.mp4"), missing, untouched);
        row("the movie a folder", lines(2, 1, m_folder.filePath("clips")), missing, untouched);
        row("the movie named relative to the folder that holds it",
            lines(2, 1, "clips/" + QFileInfo(m_movie).fileName()), missing, untouched);
        row("the excerpt a device", "", "Error|The excerpt file could not be opened", untouched, "/dev/zero");
        row("the dialog cancelled", "", "", "start.mp4 play 1000/5 1000/0 1000/1000 0 100 0 50, 1 marks",
            "cancel");
    }
    void load()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QFETCH(QString, path);
        if (path.isEmpty()) {
            path = m_folder.filePath("load.rqx");
            QVERIFY(writeFile(path, text));
        }
        Rig rig;
        rig.excerpt("tlbCmdLoadExcerpt", path == "cancel" ? "" : path);
        rig.checkMessage(message);
        QCOMPARE(state(rig), shown);
        const QStringList end{QString("Seek(%1)").arg(rig.slider("sldPosition")->value()), "Play()"};
        QCOMPARE(rig.player.calls.mid(rig.player.calls.size() - 2), path == "cancel" ? QStringList() : end);
    }

    // Saving over a longer earlier excerpt, the dialog answered or cancelled, with the disk full or
    // not. A movie named relative to the start folder is saved with its full path. Whatever
    // happens, no other file is left in the folder.
    void save_data()
    {
        QTest::addColumn<QString>("movie");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QByteArray>("written"); // empty: the earlier file stays as it was
        QTest::addColumn<QString>("message");
        const QString relative = "clips/" + QFileInfo(m_movie).fileName();
        const auto row = [](const char* name, const QString& movie, const char* how,
                            const QByteArray& written, const char* message) {
            QTest::newRow(name) << movie << QString(how) << written << QString(message);
        };
        row("saved", relative, "answered",
            m_movie.toUtf8() +
                "\r\nTrue\r\n3725\r\n1800\r\n3726\r\n1790\r\n3727\r\n1822\r\n-33\r\n0\r\n-75\r\n90\r\n",
            "");
        row("dialog cancelled", relative, "cancelled", {}, "");
        row("no movie open", "", "answered", {}, "");
        row("a line break in the movie's path", "/movies/two\nlines.mp4", "answered", {},
            "Error|The movie's path has a line break in it, which an excerpt file cannot hold.");
        row("disk full", relative, "disk full", {}, "Error|The excerpt file could not be saved: ");
    }
    void save()
    {
        QFETCH(QString, movie);
        QFETCH(QString, how);
        QFETCH(QByteArray, written);
        QFETCH(QString, message);
        QTemporaryDir folder;
        const QString target = folder.filePath("practice.rqx");
        const QByteArray earlier(500, '#');
        QVERIFY(writeFile(target, earlier));
        Rig rig;
        rig.player.setFileName(movie);
        rig.window.playbackState().LoopPlay = true;
        const int maxima[] = {3725, 3726, 3727}, values[] = {1800, 1790, 1822, -33, 90, 0, -75};
        for (int i = 0; i < 7; ++i) {
            if (i < 3)
                rig.slider(sliders[i])->setMaximum(maxima[i]);
            rig.slider(sliders[i])->setValue(values[i]);
        }
        // Past 20 bytes a write fails with EFBIG, as on a full disk.
        rlimit before{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &before) == 0);
        const rlimit limit{how == "disk full" ? 20 : before.rlim_cur, before.rlim_max};
        const auto handlerBefore = std::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(setrlimit(RLIMIT_FSIZE, &limit) == 0);
        rig.excerpt("tlbCmdSaveExcerpt", how == "cancelled" ? QString() : target);
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, handlerBefore);
        rig.checkMessage(message);
        QFile saved(target);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), written.isEmpty() ? earlier : written);
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"practice.rqx"});
    }
};

QTEST_MAIN(ExcerptTest)
#include "tst_excerpt.moc"
