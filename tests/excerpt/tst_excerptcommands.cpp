#include "excerpt/ExcerptRig.h"
#include "excerpt/modFileExists.h"
#include "fakes/FakeMoviePlayer.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/mount.h>

namespace {

const QString excerptFilter = "Reelquill excerpt files (*.rqx) |*.rqx";
const QString missingMovie = "Reelquill|Video file doesn't exist, or video media not loaded.|exclamation";
const QList<int> timeAtStart{1000, 500, 1000, 500, 1000, 500};
const QList<int> soundAtRest{0, 0, 0, 100};

QStringList messages(const FakeDesktop& desktop)
{
    QStringList shown;
    for (const FakeDesktop::Message& message : desktop.messages) {
        const char* icon = message.icon == Desktop::MessageIcon::Exclamation ? "exclamation" : "other icon";
        shown << QStringLiteral("%1|%2|%3").arg(message.caption, message.text, icon);
    }
    return shown;
}

QByteArray crLfLines(const QStringList& lines)
{
    return (lines.join("\r\n") + "\r\n").toUtf8();
}

// A player that, like the real one, raises events of its own after being opened or told a tempo;
// they arrive through the event loop and note what the window shows when they are handled.
class EventfulPlayer : public FakeMoviePlayer
{
public:
    std::function<QString()> windowState;

    void setFileName(const QString& path) override
    {
        FakeMoviePlayer::setFileName(path);
        raiseEvent("opened");
    }
    void SetTempo(qint16 percent) override
    {
        FakeMoviePlayer::SetTempo(percent);
        raiseEvent("tempo set");
    }

private:
    void raiseEvent(const QString& name)
    {
        QMetaObject::invokeMethod(
            this, [this, name] { calls << QStringLiteral("[%1: %2]").arg(name, windowState()); },
            Qt::QueuedConnection);
    }
};

// A tmpfs of the test's own, where a folder can be made read-only or the disk full even for a
// user whom file permissions do not stop. Mounting needs that user to be root.
class ScratchVolume
{
public:
    explicit ScratchVolume(const QString& folder) : m_folder(QFile::encodeName(folder))
    {
        m_mounted = ::mount("tmpfs", m_folder.constData(), "tmpfs", 0, "size=16k") == 0;
    }
    ~ScratchVolume()
    {
        if (m_mounted)
            ::umount2(m_folder.constData(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }
    bool makeReadOnly()
    {
        return ::mount(nullptr, m_folder.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    QByteArray m_folder;
    bool m_mounted = false;
};

bool fillDisk(const QString& filler)
{
    QFile file(filler);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray block(1024, 'x');
    while (file.write(block) == block.size()) {
    }
    return file.error() != QFileDevice::NoError;
}

} // namespace

class ExcerptCommandsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_movie;

    QString inFolder(const QString& name) const { return m_folder.filePath(name); }
    // The lines of an excerpt of m_movie whose every line differs from the rig's start state.
    QStringList wholeExcerpt() const
    {
        return {m_movie, "True", "200", "150", "210", "40", "220", "60", "-25", "0", "-120", "150"};
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        m_movie = inFolder(QString::fromUtf8("Bach, \"Air\" – Größe 日本.mp4"));
        QVERIFY(writeFile(m_movie, "not really a movie"));
        QVERIFY(QDir(m_folder.path()).mkdir("clips"));
        QVERIFY(writeFile(inFolder("movie.mp4"), "x"));
    }

    void saveCancelledOrWithoutAMovieDoesNothing_data()
    {
        QTest::addColumn<bool>("movieOpen");
        QTest::addColumn<bool>("fileChosen");
        QTest::newRow("dialog cancelled") << true << false;
        QTest::newRow("no movie open") << false << true;
    }
    void saveCancelledOrWithoutAMovieDoesNothing()
    {
        QFETCH(bool, movieOpen);
        QFETCH(bool, fileChosen);
        ExcerptRig<FakeMoviePlayer> rig;
        if (movieOpen)
            rig.player.setFileName(m_movie);
        const QString target = inFolder("nothing.rqx");
        if (fileChosen)
            rig.desktop.fileAnswers << target;
        rig.commands.tlbCmdSaveExcerpt();
        QVERIFY(!QFile::exists(target));
        QCOMPARE(messages(rig.desktop), QStringList());
        QCOMPARE(rig.desktop.filtersShown, QStringList{excerptFilter});
        // The dialog's own title and folder.
        QCOMPARE(rig.desktop.dialogTitles, QStringList{QString()});
        QCOMPARE(rig.desktop.dialogFolders, QStringList{QString()});
    }

    // Replaces a longer earlier file whole and leaves nothing else behind in the folder.
    void savesTheWindowAsTwelveCrLfLines()
    {
        QTemporaryDir folder;
        const QString target = folder.filePath("practice.rqx");
        QVERIFY(writeFile(target, QByteArray(500, '#')));
        ExcerptRig<FakeMoviePlayer> rig;
        rig.player.setFileName(m_movie);
        rig.state.LoopPlay = true;
        rig.setTimeSliders({3725, 1800, 3725, 1790, 3725, 1822});
        rig.sound.setValues({-33, 0, -75, 100});
        rig.save(target);
        QCOMPARE(messages(rig.desktop), QStringList());
        QCOMPARE(
            fileBytes(target),
            m_movie.toUtf8() +
                "\r\nTrue\r\n3725\r\n1800\r\n3725\r\n1790\r\n3725\r\n1822\r\n-33\r\n0\r\n-75\r\n100\r\n");
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"practice.rqx"});
    }

    // A movie named relative to the folder the program started in is written with its full path.
    void savesTheMoviesFullPath()
    {
        const QString started = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_folder.path()));
        ExcerptRig<FakeMoviePlayer> rig;
        rig.player.setFileName("clips/etude.mp4");
        rig.save(inFolder("relative.rqx"));
        QDir::setCurrent(started);
        QVERIFY(fileBytes(inFolder("relative.rqx"))
                    .startsWith((m_folder.path() + "/clips/etude.mp4\r\nFalse\r\n").toUtf8()));
    }

    // Save, change everything, load: the window and the player are back where they were.
    void roundTripOfEveryField_data()
    {
        QTest::addColumn<bool>("loop");
        QTest::addColumn<QList<int>>("time");
        QTest::addColumn<QList<int>>("sound");
        QTest::addColumn<QString>("soundCalls");
        QTest::newRow("loop, long movie at its end, lowest tempo, octave down")
            << true << QList<int>{7200, 7200, 7200, 0, 7200, 3600}
            << QList<int>{-80, -12, 0, 10} // The semitones reset the fine pitch that was set, which resets
                                           // them in turn; set again, they take.
            << "SetTempo(-80) SetPitch(0) SetPitch(0) SetPitch(0) SetPitch(-12) setRate(0.1)";
        QTest::newRow("play mode, one-second movie, top of every sound range")
            << false << QList<int>{1, 0, 1, 1, 1, 0} << QList<int>{80, 0, 600, 190}
            << "SetTempo(80) SetPitch(12) setRate(1.9)";
        QTest::newRow("loop, lowest fine pitch, normal rate")
            << true << QList<int>{100, 30, 100, 10, 100, 20} << QList<int>{-1, 0, -600, 100}
            << "SetTempo(-1) SetPitch(-12) setRate(1)";
    }
    void roundTripOfEveryField()
    {
        QFETCH(bool, loop);
        QFETCH(QList<int>, time);
        QFETCH(QList<int>, sound);
        QFETCH(QString, soundCalls);
        const QString excerpt = inFolder("round trip.rqx");
        const QString otherMovie = inFolder("other.mp4");
        QVERIFY(writeFile(otherMovie, "x"));
        ExcerptRig<FakeMoviePlayer> rig;
        rig.player.setFileName(m_movie);
        rig.state.LoopPlay = loop;
        rig.setTimeSliders(time);
        rig.sound.setValues(sound);
        rig.save(excerpt);

        rig.player.setFileName(otherMovie);
        rig.state.LoopPlay = !loop;
        rig.setTimeSliders({3000, 2000, 3000, 2500, 3000, 2900});
        rig.sound.setValues({30, 0, 100, 50});
        QCOMPARE(rig.sound.values(), (QList<int>{30, 0, 100, 50}));
        rig.player.clearCalls();
        rig.load(excerpt);

        QCOMPARE(messages(rig.desktop), QStringList());
        QCOMPARE(rig.player.FileName(), m_movie);
        QCOMPARE(rig.state.LoopPlay, loop);
        QCOMPARE(rig.timeSliders(), time);
        QCOMPARE(rig.sound.values(), sound);
        QCOMPARE(rig.player.calls.join(' '),
                 QString("setFileName(%1) %2 Seek(%3) Play()").arg(m_movie, soundCalls).arg(time[1]));
    }

    void loadCancelledDoesNothing()
    {
        ExcerptRig<FakeMoviePlayer> rig;
        rig.commands.tlbCmdLoadExcerpt();
        QCOMPARE(rig.desktop.filtersShown, QStringList{excerptFilter});
        QCOMPARE(rig.marksCleared, 0);
        QCOMPARE(rig.player.calls, QStringList());
        QCOMPARE(messages(rig.desktop), QStringList());
    }

    // The marks go first; then nothing after line 1 is applied; playback still goes on.
    void loadWithTheMovieMissing_data()
    {
        QTest::addColumn<QString>("movie");
        QTest::newRow("no such file") << inFolder("gone.mp4");
        QTest::newRow("a folder") << inFolder("clips");
        QTest::newRow("a device") << "/dev/null";
        QTest::newRow("volume not mounted") << "/media/no-such-volume/movie.mp4";
        QTest::newRow("relative path") << "movie.mp4";
        QTest::newRow("empty path") << "";
    }
    void loadWithTheMovieMissing()
    {
        QFETCH(QString, movie);
        const QString excerpt = inFolder("missing.rqx");
        QStringList lines = wholeExcerpt();
        lines[0] = movie;
        QVERIFY(writeFile(excerpt, crLfLines(lines)));
        ExcerptRig<FakeMoviePlayer> rig;
        rig.onClearMarks = [&rig] { rig.player.calls << "clearMarks()"; };
        // From the folder that holds a movie.mp4, which a relative path must still not find.
        const QString started = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_folder.path()));
        rig.load(excerpt);
        QDir::setCurrent(started);
        QCOMPARE(messages(rig.desktop), QStringList{missingMovie});
        QCOMPARE(rig.player.calls, (QStringList{"clearMarks()", "Seek(500)", "Play()"}));
        QCOMPARE(rig.state.LoopPlay, false);
        QCOMPARE(rig.timeSliders(), timeAtStart);
        QCOMPARE(rig.sound.values(), soundAtRest);
    }

    // Each row is a file that stops after some lines or has a bad one. The lines before stay
    // applied, then "Error" tells what was wrong, and playback goes on at sldPosition. The rig
    // starts with the time sliders at 1000/500, semitones at 3 and not in loop mode.
    void loadAppliesTheLinesBeforeAMissingOrBadOne_data()
    {
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<int>("badLine");
        QTest::addColumn<QString>("badText");
        QTest::addColumn<QString>("calls");
        QTest::addColumn<QList<int>>("time");
        QTest::addColumn<QList<int>>("sound");
        QTest::addColumn<bool>("loop");
        QTest::addColumn<QString>("error");
        const auto cut = [](int lines, const char* calls, QList<int> time, QList<int> sound, bool loop) {
            QTest::addRow("ends after line %d", lines)
                << lines << 0 << QString() << QString(calls) << time << sound << loop
                << QString("The excerpt file ends after line %1; it should have 12 lines.").arg(lines);
        };
        cut(1, "setFileName(M) Seek(500) Play()", {1000, 500, 1000, 500, 1000, 500}, {0, 3, 0, 100}, false);
        cut(2, "setFileName(M) Seek(500) Play()", {1000, 500, 1000, 500, 1000, 500}, {0, 3, 0, 100}, true);
        cut(3, "setFileName(M) Seek(200) Play()", {200, 200, 1000, 500, 1000, 500}, {0, 3, 0, 100}, true);
        cut(4, "setFileName(M) Seek(150) Play()", {200, 150, 1000, 500, 1000, 500}, {0, 3, 0, 100}, true);
        cut(5, "setFileName(M) Seek(150) Play()", {200, 150, 210, 210, 1000, 500}, {0, 3, 0, 100}, true);
        cut(6, "setFileName(M) Seek(150) Play()", {200, 150, 210, 40, 1000, 500}, {0, 3, 0, 100}, true);
        cut(7, "setFileName(M) Seek(150) Play()", {200, 150, 210, 40, 220, 220}, {0, 3, 0, 100}, true);
        cut(8, "setFileName(M) Seek(150) Play()", {200, 150, 210, 40, 220, 60}, {0, 3, 0, 100}, true);
        cut(9, "setFileName(M) SetTempo(-25) Seek(150) Play()", {200, 150, 210, 40, 220, 60},
            {-25, 3, 0, 100}, true);
        cut(10, "setFileName(M) SetTempo(-25) SetPitch(0) Seek(150) Play()", {200, 150, 210, 40, 220, 60},
            {-25, 0, 0, 100}, true);
        cut(11, "setFileName(M) SetTempo(-25) SetPitch(0) SetPitch(-2.4) Seek(150) Play()",
            {200, 150, 210, 40, 220, 60}, {-25, 0, -120, 100}, true);
        QTest::newRow("whole")
            << 12 << 0 << QString()
            << "setFileName(M) SetTempo(-25) SetPitch(0) SetPitch(-2.4) setRate(1.5) Seek(150) Play()"
            << QList<int>{200, 150, 210, 40, 220, 60} << QList<int>{-25, 0, -120, 150} << true << QString();
        QTest::newRow("line 2 neither True nor False")
            << 12 << 2 << "Maybe"
            << "setFileName(M) Seek(500) Play()" << timeAtStart << QList<int>{0, 3, 0, 100} << false
            << "Line 2 of the excerpt file is \"Maybe\", which is neither True nor False.";
        QTest::newRow("line 6 not a number")
            << 12 << 6 << "forty"
            << "setFileName(M) Seek(150) Play()" << QList<int>{200, 150, 210, 210, 1000, 500}
            << QList<int>{0, 3, 0, 100} << true
            << "Line 6 of the excerpt file is \"forty\", which is not a whole number.";
        QTest::newRow("line 9 too large for 16 bits")
            << 12 << 9 << "100000"
            << "setFileName(M) Seek(150) Play()" << QList<int>{200, 150, 210, 40, 220, 60}
            << QList<int>{0, 3, 0, 100} << true
            << "Line 9 of the excerpt file holds 100000, more than the largest number allowed there, 32767.";
    }
    void loadAppliesTheLinesBeforeAMissingOrBadOne()
    {
        QFETCH(int, lineCount);
        QFETCH(int, badLine);
        QFETCH(QString, badText);
        QFETCH(QString, calls);
        QFETCH(QList<int>, time);
        QFETCH(QList<int>, sound);
        QFETCH(bool, loop);
        QFETCH(QString, error);
        QStringList lines = wholeExcerpt().mid(0, lineCount);
        if (badLine > 0)
            lines[badLine - 1] = badText;
        const QString excerpt = inFolder("partial.rqx");
        QVERIFY(writeFile(excerpt, crLfLines(lines)));
        ExcerptRig<FakeMoviePlayer> rig;
        rig.sound.setValues({0, 3, 0, 100});
        rig.player.clearCalls();
        rig.load(excerpt);
        QCOMPARE(rig.player.calls.join(' '), QString(calls).replace("(M)", "(" + m_movie + ")"));
        QCOMPARE(rig.timeSliders(), time);
        QCOMPARE(rig.sound.values(), sound);
        QCOMPARE(rig.state.LoopPlay, loop);
        QCOMPARE(messages(rig.desktop),
                 error.isEmpty() ? QStringList() : QStringList{"Error|" + error + "|exclamation"});
        QCOMPARE(rig.marksCleared, 1);
    }

    // What the player raises while a line is applied is handled before the next line.
    void playerEventsRunBetweenTheLines()
    {
        const QString excerpt = inFolder("eventful.rqx");
        QVERIFY(writeFile(excerpt, crLfLines(wholeExcerpt())));
        ExcerptRig<EventfulPlayer> rig;
        rig.player.windowState = [&rig] {
            return QStringLiteral("loop %1, semitones %2")
                .arg(rig.state.LoopPlay ? "on" : "off")
                .arg(rig.sound.slider("sldPitchSemi")->value());
        };
        rig.sound.setValues({0, 3, 0, 100});
        rig.player.clearCalls();
        rig.load(excerpt);
        QCOMPARE(rig.player.calls.join(' '),
                 QString("setFileName(%1) [opened: loop off, semitones 3] SetTempo(-25) [tempo set: loop on, "
                         "semitones 3] SetPitch(0) SetPitch(-2.4) setRate(1.5) Seek(150) Play()")
                     .arg(m_movie));
    }

    void loadOfAFileThatCannotBeOpened_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("no such file") << inFolder("gone.rqx");
        QTest::newRow("a folder") << inFolder("clips");
        QTest::newRow("a device") << "/dev/zero";
    }
    void loadOfAFileThatCannotBeOpened()
    {
        QFETCH(QString, path);
        ExcerptRig<FakeMoviePlayer> rig;
        rig.load(path);
        QCOMPARE(messages(rig.desktop),
                 QStringList{"Error|The excerpt file could not be opened: there is no file at " + path +
                             "|exclamation"});
        QCOMPARE(rig.player.calls, (QStringList{"Seek(500)", "Play()"}));
        QCOMPARE(rig.marksCleared, 1);
    }

    // Damaged files of every sort: each load ends with Seek and Play and at most one message.
    void damagedFilesLoadWithoutACrash()
    {
        const QByteArray whole = crLfLines(wholeExcerpt());
        QRandomGenerator random(20240611);
        const auto randomBytes = [&random](int count) {
            QByteArray bytes(count, '\0');
            for (char& byte : bytes)
                byte = static_cast<char>(random.bounded(256));
            return bytes;
        };
        ExcerptRig<FakeMoviePlayer> rig;
        QHash<QString, int> outcomes;
        const QString excerpt = inFolder("damaged.rqx");
        constexpr int files = 120;
        for (int i = 0; i < files; ++i) {
            QByteArray text = whole;
            const int at = random.bounded(int(text.size()));
            switch (i % 6) {
            case 0:
                text.truncate(at);
                break;
            case 1:
                text[at] = static_cast<char>(random.bounded(256));
                break;
            case 2:
                text.insert(at, randomBytes(random.bounded(1, 20)));
                break;
            case 3:
                text.insert(at, QByteArray(random.bounded(1, 30), char('0' + random.bounded(10))));
                break;
            case 4:
                text.replace(at, random.bounded(1, 8), "\r\n");
                break;
            default:
                text = randomBytes(random.bounded(0, 400));
                break;
            }
            QVERIFY(writeFile(excerpt, text));
            rig.player.clearCalls();
            rig.desktop.messages.clear();
            rig.load(excerpt);
            QVERIFY2(rig.player.calls.size() >= 2, qPrintable(QString::number(i)));
            QCOMPARE(rig.player.calls.last(), "Play()");
            QVERIFY(rig.player.calls.at(rig.player.calls.size() - 2).startsWith("Seek("));
            const QStringList shown = messages(rig.desktop);
            QVERIFY2(shown.size() <= 1, qPrintable(shown.join('\n')));
            const QString outcome = shown.isEmpty()                 ? "loaded"
                                    : shown.first() == missingMovie ? "missing"
                                                                    : "error";
            if (outcome == "error")
                QVERIFY2(shown.first().startsWith("Error|") && shown.first().endsWith("|exclamation"),
                         qPrintable(shown.first()));
            ++outcomes[outcome];
        }
        QCOMPARE(rig.marksCleared, files);
        // The damage was of every kind the loader tells apart.
        QVERIFY2(outcomes.size() == 3, qPrintable(QStringList(outcomes.keys()).join(' ')));
    }

    void failedSaveLeavesTheEarlierExcerpt_data()
    {
        QTest::addColumn<bool>("diskFull");
        QTest::newRow("folder not writable") << false;
        QTest::newRow("disk full") << true;
    }
    void failedSaveLeavesTheEarlierExcerpt()
    {
        QFETCH(bool, diskFull);
        QTemporaryDir outer;
        const QString folder = outer.filePath("volume");
        QVERIFY(QDir().mkdir(folder));
        ScratchVolume volume(folder);
        if (!volume.mounted() && diskFull)
            QSKIP("Filling a disk needs a tmpfs of the test's own, which only root can mount");
        const QString target = folder + "/practice.rqx";
        const QByteArray earlier = crLfLines(wholeExcerpt());
        QVERIFY(writeFile(target, earlier));
        if (diskFull) {
            QVERIFY(fillDisk(folder + "/filler"));
        } else if (volume.mounted()) {
            QVERIFY(volume.makeReadOnly());
        } else {
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        }
        const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden);

        ExcerptRig<FakeMoviePlayer> rig;
        rig.player.setFileName(m_movie);
        rig.sound.setValues({10, 0, 0, 100});
        rig.save(target);

        QCOMPARE(fileBytes(target), earlier);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), entries);
        const QStringList shown = messages(rig.desktop);
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.first().startsWith("Error|The excerpt file could not be saved: ") &&
                     shown.first().endsWith("|exclamation"),
                 qPrintable(shown.first()));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void fileExists_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("exists");
        QTest::newRow("ordinary file") << m_movie << true;
        QTest::newRow("link to a file") << inFolder("link.mp4") << true;
        QTest::newRow("dangling link") << inFolder("dangling.mp4") << false;
        QTest::newRow("read-only file") << inFolder("read-only.mp4") << true;
        QTest::newRow("hidden file") << inFolder(".hidden.mp4") << true;
        QTest::newRow("folder") << inFolder("clips") << false;
        QTest::newRow("no such file") << inFolder("gone.mp4") << false;
        QTest::newRow("device") << "/dev/null" << false;
        QTest::newRow("volume not mounted") << "/media/no-such-volume/movie.mp4" << false;
        QTest::newRow("relative") << "movie.mp4" << false;
        QTest::newRow("empty") << "" << false;
    }
    void fileExists()
    {
        QFETCH(QString, path);
        QFETCH(bool, exists);
        QFile::link(m_movie, inFolder("link.mp4"));
        QFile::link(inFolder("gone.mp4"), inFolder("dangling.mp4"));
        QVERIFY(writeFile(inFolder("read-only.mp4"), "x"));
        QFile::setPermissions(inFolder("read-only.mp4"), QFile::ReadOwner);
        QVERIFY(writeFile(inFolder(".hidden.mp4"), "x"));
        const QString started = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_folder.path()));
        const bool found = modFileExists::FileExists(path);
        QDir::setCurrent(started);
        QCOMPARE(found, exists);
    }

    void driveReady_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("ready");
        QTest::newRow("root") << "/" << true;
        QTest::newRow("a file on a mounted volume") << m_movie << true;
        QTest::newRow("nothing mounted there") << "/media/no-such-volume/movie.mp4" << false;
    }
    void driveReady()
    {
        QFETCH(QString, path);
        QFETCH(bool, ready);
        QCOMPARE(modFileExists::DriveReady(path), ready);
    }
};

QTEST_MAIN(ExcerptCommandsTest)
#include "tst_excerptcommands.moc"
