#include "LoopClicks.h"
#include "SilenceGaps.h"
#include "Sound.h"
#include "ToneAnalysis.h"
#include "export/ExportCommands.h"
#include "export/SoundExport.h"
#include "fakes/MainWindowRig.h"
#include "sound/SoundViews.h"
#include "support/TestMedia.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QProcess>
#include <QProgressDialog>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <functional>
#include <linux/capability.h>
#include <numeric>
#include <span>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// 440.25 Hz for the first 1.6 s, then 660 Hz up to 4 s, an eighth of full scale, unbroken: where
// the one gives way to the other shows where each pass of a loop around it stands. A loop from 1 s
// to 2.5 s cuts both tones mid-cycle, so that a join without its fade clicks.
QString twoToneMovie()
{
    const QString path = TestMedia::outputPath("two tones.wav");
    const QString tone = "0.125*sin(2*PI*if(lt(t\\,1.6)\\,440.25*t\\,704.4+660*(t-1.6)))";
    QProcess::execute("ffmpeg",
                      {"-v", "error", "-f", "lavfi", "-i",
                       "aevalsrc=exprs=" + tone + '|' + tone + ":s=48000:d=4", "-c:a", "pcm_f32le", path});
    return path; // a movie that was not made has no sound to export
}

// Seconds into the sound where a tone above `splitHz` takes over from one below it.
std::vector<double> risesAbove(const std::vector<float>& samples, int rate, double splitHz)
{
    const std::size_t window = static_cast<std::size_t>(rate) / 100, hop = window / 4;
    std::vector<double> rises;
    bool high = true;
    for (std::size_t at = 0; at + window <= samples.size(); at += hop) {
        const double hz = ToneAnalysis::frequency(std::span(samples).subspan(at, window), rate);
        if (!high && hz > splitHz)
            rises.push_back(static_cast<double>(at + window / 2) / rate);
        high = hz > splitHz;
    }
    return rises;
}

// The title and comment tags of a file, as ffprobe reads them.
QString tags(const QString& path)
{
    QProcess ffprobe;
    ffprobe.start("ffprobe", {"-v", "error", "-show_entries", "format_tags=title,comment", "-of",
                              "default=noprint_wrappers=1", path});
    ffprobe.waitForFinished(30000);
    return QString::fromUtf8(ffprobe.readAllStandardOutput());
}

// Root writes into any folder whatever its permissions; turned off (for this thread and the
// threads it starts), a folder's permissions hold for the test as they do for a user.
bool overrideFolderPermissions(bool override)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    const unsigned bit = 1u << CAP_DAC_OVERRIDE;
    data[0].effective = override ? data[0].effective | (data[0].permitted & bit) : data[0].effective & ~bit;
    return syscall(SYS_capset, &header, data) == 0;
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

// A main window on the recording player with the two-tone movie open (its volume down 6 dB, which
// an export leaves out), and the export command's owner.
struct Rig : MainWindowRig
{
    QString movie = twoToneMovie();
    SoundViews views{player, settings};
    ExportCommands exporter{player, window.timeControls(), window.soundSliders(), views, settings, desktop,
                            &window};

    // Loop from sldBegin to sldEnd at this tempo (sldTempo) and pitch (semitones, or fine steps).
    Rig(int begin, int end, int tempo, int semitones, int fineSteps)
    {
        player.movies.insert(movie, 4.0);
        player.setFileName(movie);
        player.volume = -600;
        for (const char* name : {"sldBegin", "sldEnd"})
            slider(name)->setMaximum(4);
        slider("sldEnd")->setValue(end);
        slider("sldBegin")->setValue(begin);
        slider("sldTempo")->setValue(tempo);
        slider(fineSteps != 0 ? "sldPitchGrad" : "sldPitchSemi")
            ->setValue(fineSteps != 0 ? fineSteps : semitones);
    }

    // Export sound as a user gives it: the save dialog answers `target`, the options dialog is set
    // to `passes` of the loop (0: the whole movie) and the trainer's tempo or not, and Enter
    // starts it. `whileWriting` runs once the progress dialog shows. True once the export ended.
    bool exportSound(const QString& target, int passes, bool raise,
                     const std::function<void()>& whileWriting = {})
    {
        desktop.fileAnswers << target;
        QTimer::singleShot(0, [=] {
            QWidget* options = QApplication::activeModalWidget();
            if (options == nullptr || options->objectName() != "frmExportOptions")
                return;
            (passes == 0 ? options->findChild<QRadioButton*>("optWholeMovie")
                         : options->findChild<QRadioButton*>("optLoop"))
                ->setChecked(true);
            options->findChild<QSpinBox*>("spnPasses")->setValue(std::max(passes, 1));
            options->findChild<QCheckBox*>("chkRaiseTempo")->setChecked(raise);
            QTest::keyClick(options, Qt::Key_Return);
        });
        QSignalSpy ended(&exporter, &ExportCommands::exportEnded);
        exporter.ExportSound();
        if (whileWriting && QTest::qWaitFor([&] { return window.findChild<QProgressDialog*>() != nullptr; }))
            whileWriting();
        return ended.wait(180000) || !ended.isEmpty();
    }
};

} // namespace

class ExportTest : public QObject
{
    Q_OBJECT

private slots:
    // The loop from 1 s to 2.5 s (sldEnd 3: the player wraps half a second before it), or the whole
    // movie, written as heard to each kind of file and read back by ffmpeg: it lasts as long as its
    // passes at their tempos, each pass as long as its own tempo makes it, the tone at its pitch
    // and level, no silence and no click at any join, and the title and settings in its tags.
    void soundAsHeard_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("tempo");
        QTest::addColumn<int>("semitones");
        QTest::addColumn<int>("fineSteps");
        QTest::addColumn<int>("passes"); // of the loop; 0: the whole movie
        QTest::addColumn<bool>("raise");
        QTest::addColumn<QList<double>>("speeds"); // of each pass
        QTest::addColumn<QString>("comment");
        QTest::newRow("FLAC: three passes at tempo -30, 3 semitones up")
            << "solo.flac" << -30 << 3 << 0 << 3 << false << QList{0.7, 0.7, 0.7}
            << "tempo 70 %, pitch +3 semitones, rate 100 %, sound view: both channels";
        QTest::newRow("WAV: three passes at tempo -30, 3 semitones up")
            << "solo.wav" << -30 << 3 << 0 << 3 << false << QList{0.7, 0.7, 0.7} << "tempo 70 %, pitch +3";
        QTest::newRow("MP3: three passes at tempo -30, 3 semitones up")
            << "solo.mp3" << -30 << 3 << 0 << 3 << false << QList{0.7, 0.7, 0.7} << "tempo 70 %, pitch +3";
        QTest::newRow("FLAC: five passes raised as the trainer is set, 26 cents up")
            << "raised.flac" << -30 << 0 << 13 << 5 << true << QList{0.6, 0.6, 0.75, 0.75, 0.9}
            << "tempo from 60 % up by 15 % every 2 passes to 90 %, pitch +0.26 semitones";
        QTest::newRow("WAV: no loop set, the whole movie at tempo +20")
            << "whole.wav" << 20 << -2 << 0 << 0 << false << QList{1.2} << "the whole movie: tempo 120 %";
    }
    void soundAsHeard()
    {
        QFETCH(QString, file);
        QFETCH(int, tempo);
        QFETCH(int, semitones);
        QFETCH(int, fineSteps);
        QFETCH(int, passes);
        QFETCH(bool, raise);
        QFETCH(QList<double>, speeds);
        QFETCH(QString, comment);
        QTemporaryDir folder;
        Rig rig(passes == 0 ? 3 : 1, 3, tempo, semitones, fineSteps);
        rig.settings.setText("TrainerStartTempo", "60");
        rig.settings.setText("TrainerStep", "15");
        rig.settings.setText("TrainerEveryPasses", "2");
        rig.settings.setText("TrainerUpToTempo", "90");
        QVERIFY(rig.exportSound(folder.filePath(file), passes, raise));
        QCOMPARE(rig.desktop.messages.size(), 0);
        QCOMPARE(filesIn(folder.path()), QStringList{file});
        const auto sound = Sound::read(folder.filePath(file));
        QVERIFY(sound);

        // Where each pass starts, and where its 660 Hz part (1.6 s to 2.5 s of the movie) starts.
        const double length = passes == 0 ? 4.0 : 1.5, skipped = passes == 0 ? 0.0 : 1.0;
        std::vector<double> passStarts{0}, highStarts;
        for (const double speed : speeds) {
            highStarts.push_back(passStarts.back() + (1.6 - skipped) / speed);
            passStarts.push_back(passStarts.back() + length / speed);
        }
        const double expected = passStarts.back();
        QVERIFY2(std::abs(sound->seconds() - expected) < 0.01 * static_cast<double>(speeds.size()),
                 qPrintable(QStringLiteral("%1 s, not %2").arg(sound->seconds()).arg(expected)));

        const std::vector<float> left = sound->channel(0);
        const std::vector<double> rises =
            risesAbove(left, sound->sampleRate, 550 * std::exp2(semitones / 12.0));
        QCOMPARE(rises.size(), highStarts.size());
        double worstPass = 0, worstJoin = 0;
        for (std::size_t pass = 1; pass < rises.size(); ++pass) {
            const double measured = rises[pass] - rises[pass - 1],
                         planned = highStarts[pass] - highStarts[pass - 1];
            worstPass = std::max(worstPass, std::abs(measured - planned));
            QVERIFY2(
                std::abs(measured - planned) < 0.01,
                qPrintable(QStringLiteral("pass %1: %2 s, not %3").arg(pass).arg(measured).arg(planned)));
        }

        const double pitch = semitones + fineSteps / 50.0;
        const std::vector<float> high = sound->channel(0, highStarts.back() + 0.15, passStarts.back() - 0.15);
        const double cents =
            ToneAnalysis::cents(ToneAnalysis::frequency(high, sound->sampleRate), 660) - 100 * pitch;
        const double level = ToneAnalysis::rmsDecibels(high) - 20 * std::log10(0.125 / std::sqrt(2));
        qInfo("%s: %+.1f ms long, %+.4f cents, level %+.2f dB", qPrintable(file),
              (sound->seconds() - expected) * 1000, cents, level);
        QVERIFY2(std::abs(cents) < 0.01, qPrintable(QString::number(cents)));
        QVERIFY2(std::abs(level) < 0.5, qPrintable(QString::number(level)));

        QCOMPARE(SilenceGaps::lengthsMs(left, sound->sampleRate), std::vector<double>{});
        LoopClicks::Loop joins{0, expected * 1000, {}};
        for (std::size_t pass = 1; pass + 1 < passStarts.size(); ++pass)
            joins.wraps.push_back({passStarts[pass] * 1000, passStarts[pass] * 1000});
        for (const double ratio : LoopClicks::ratios(left, sound->sampleRate, joins)) {
            worstJoin = std::max(worstJoin, ratio);
            QVERIFY2(ratio < 3, qPrintable(QStringLiteral("a click %1 times the typical sound").arg(ratio)));
        }
        qInfo(
            "passes within %.1f ms of their lengths, joins at most %.2f times the typical sound above 4 kHz",
            worstPass * 1000, worstJoin);

        const QString written = tags(folder.filePath(file));
        QVERIFY2(written.contains("TAG:title=" + QFileInfo(rig.movie).completeBaseName() + '\n',
                                  Qt::CaseInsensitive),
                 qPrintable(written));
        QVERIFY2(written.contains(comment), qPrintable(written));
    }

    // The save dialog suggests the movie's name, dots and all, with the tempo as its label shows it
    // and the extension of the kind of file.
    void suggestedName_data()
    {
        QTest::addColumn<QString>("movie");
        QTest::addColumn<QString>("tempoLabel");
        QTest::addColumn<SoundFileFormat>("format");
        QTest::addColumn<QString>("name");
        QTest::newRow("solo at 70 %, FLAC") << "/films/solo.mp4"
                                            << "70%" << SoundFileFormat::Flac << "solo 70%.flac";
        QTest::newRow("dots in the name, MP3") << "/films/take.2 – Größe.mkv"
                                               << "100%" << SoundFileFormat::Mp3 << "take.2 – Größe 100%.mp3";
        QTest::newRow("no extension, WAV") << "/films/lesson"
                                           << "135%" << SoundFileFormat::Wav << "lesson 135%.wav";
    }
    void suggestedName()
    {
        QFETCH(QString, movie);
        QFETCH(QString, tempoLabel);
        QFETCH(SoundFileFormat, format);
        QFETCH(QString, name);
        QCOMPARE(SoundExport::suggestedName(movie, tempoLabel, format), name);
    }

    // Cancel halfway, a folder the user may not write to, a full disk: an earlier file of the name
    // stays as it was, nothing else is left in the folder, and a message box says what happened.
    void nothingIsLost_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("message"); // caption|text; %1 is the folder
        const QString kept = " The earlier \u201cpractice.flac\u201d is as it was.";
        QTest::newRow("cancelled halfway with Esc")
            << "cancel"
            << "Export sound|The export was cancelled: nothing was written." + kept;
        QTest::newRow("folder not writable")
            << "read-only"
            << "Error|The sound could not be exported. No file can be written in %1 (Permission denied)." +
                   kept;
        QTest::newRow("disk full") << "full"
                                   << "Error|The sound could not be exported. Writing "
                                      "\u201cpractice.flac\u201d failed (File too large)." +
                                          kept;
    }
    void nothingIsLost()
    {
        QFETCH(QString, how);
        QFETCH(QString, message);
        QTemporaryDir folder;
        const QString target = folder.filePath("practice.flac");
        const QByteArray earlier(500, '#');
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write(earlier) == earlier.size());
        old.close();
        Rig rig(1, 3, -30, 3, 0);

        {
            rlimit before{};
            QVERIFY(getrlimit(RLIMIT_FSIZE, &before) == 0);
            const auto handlerBefore = std::signal(SIGXFSZ, SIG_IGN);
            const auto permissionsBefore = QFile::permissions(folder.path());
            const auto restore = qScopeGuard([&] {
                setrlimit(RLIMIT_FSIZE, &before);
                std::signal(SIGXFSZ, handlerBefore);
                overrideFolderPermissions(true);
                QFile::setPermissions(folder.path(), permissionsBefore);
            });
            if (how == "full") {
                // Past 64 KiB a write fails with EFBIG, as on a full disk.
                const rlimit limit{64 * 1024, before.rlim_max};
                QVERIFY(setrlimit(RLIMIT_FSIZE, &limit) == 0);
            } else if (how == "read-only") {
                QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
                QVERIFY(overrideFolderPermissions(false));
                QVERIFY2(!QFile(folder.filePath("probe")).open(QIODevice::WriteOnly),
                         "the folder can be written to");
            }
            const auto cancelHalfway = [&] {
                auto* progress = rig.window.findChild<QProgressDialog*>();
                QVERIFY(QTest::qWaitFor([&] { return progress->value() >= 10; }, 60000));
                QTest::keyClick(progress, Qt::Key_Escape);
            };
            QVERIFY(rig.exportSound(target, 50, false,
                                    how == "cancel" ? std::function<void()>(cancelHalfway) : nullptr));
        }

        QCOMPARE(rig.desktop.messages.size(), 1);
        const FakeDesktop::Message& shown = rig.desktop.messages[0];
        QCOMPARE(shown.caption + '|' + shown.text, QString(message).replace("%1", folder.path()));
        QCOMPARE(shown.icon, Desktop::MessageIcon::Exclamation);
        QCOMPARE(filesIn(folder.path()), QStringList{"practice.flac"});
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), earlier);
    }
};

QTEST_MAIN(ExportTest)
#include "tst_export.moc"
