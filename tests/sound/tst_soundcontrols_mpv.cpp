#include "player/MpvMoviePlayer.h"
#include "sound/SoundPanel.h"
#include "support/PcmAudio.h"
#include "support/TestMedia.h"
#include "support/ToneAnalysis.h"

#include <QElapsedTimer>
#include <QTest>

// The main window's sound panel driving the real player. The whole movie plays into a WAV file as fast as it
// decodes; how long the sound lasts shows the tempo, its tone shows the pitch.
class SoundControlsOnMpvTest : public QObject
{
    Q_OBJECT

private slots:
    void whatThePlayerSounds_data()
    {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<double>("lengthFactor");
        QTest::addColumn<double>("hz");
        const QStringList slower(5, "cmdTempo10Down");
        QTest::newRow("tempo -50, octave up") << slower + QStringList{"cmdPitch12UpSemi"} << 2.0 << 880.0;
        QTest::newRow("fine pitch, one semitone down")
            << QStringList{"cmdPitch10DownGrad"} << 1.0 << 440 * std::exp2(-1 / 12.0);
        QTest::newRow("rate 50") << QStringList(5, "cmdRate10Down") << 2.0 << 220.0;
        QTest::newRow("reset all") << slower + QStringList{"cmdPitch12UpSemi", "cmdResetAll"} << 1.0 << 440.0;
    }
    void whatThePlayerSounds()
    {
        QFETCH(QStringList, commands);
        QFETCH(double, lengthFactor);
        QFETCH(double, hz);
        TestMedia::Movie movie;
        movie.seconds = 3;
        const QString path = TestMedia::movie(movie);
        QVERIFY(!path.isEmpty());
        const QString wave = TestMedia::outputPath("sound.wav");
        {
            SoundPanelWith<MpvMoviePlayer> panel(
                MpvPlayerOptions{MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::WaveFile, wave});
            MpvMoviePlayer& player = panel.player;
            player.setFileName(path);
            QVERIFY(player.Duration() > 0);
            // As a user would, change the sound of a movie that has stood open for a while: by
            // then its first second of sound is made and waiting, and must not be played as is.
            QTest::qWait(1000);
            for (const QString& command : commands)
                QVERIFY(panel.run(command));
            player.Play();
            // Until the position comes to rest at the end of the movie.
            QElapsedTimer timer;
            timer.start();
            double last = -1;
            while (!(player.Position() == last && last >= player.Duration() - 0.2)) {
                QVERIFY(timer.elapsed() < 60000);
                last = player.Position();
                QTest::qWait(300);
            }
        }
        const std::optional<PcmAudio> sound = PcmAudio::readWav(wave);
        QVERIFY(sound);
        const double length = sound->seconds() / movie.seconds;
        QVERIFY2(qAbs(length - lengthFactor) < 0.05 * lengthFactor, qPrintable(QString::number(length)));
        // The tone away from the ends, where the stretcher starts up and runs out.
        const std::vector<float> steady = sound->channel(0, 0.5, sound->seconds() - 0.5);
        const double cents = ToneAnalysis::cents(ToneAnalysis::frequency(steady, sound->sampleRate), hz);
        QVERIFY2(qAbs(cents) < 5, qPrintable(QString::number(cents)));
    }
};

QTEST_MAIN(SoundControlsOnMpvTest)
#include "tst_soundcontrols_mpv.moc"
