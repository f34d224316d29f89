#include "player/MpvMoviePlayer.h"
#include "sound/SoundPanel.h"
#include "support/PcmAudio.h"
#include "support/TestMedia.h"
#include "support/ToneAnalysis.h"

#include <QElapsedTimer>
#include <QTest>

// The sound panel driving the real player. The whole movie plays into a WAV file as fast as it
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
        const auto times = [](int count, const QString& command) { return QStringList(count, command); };
        QTest::newRow("at rest") << QStringList{} << 1.0 << 440.0;
        QTest::newRow("tempo -50") << times(5, "cmdTempo10Down") << 2.0 << 440.0;
        QTest::newRow("tempo +50") << times(5, "cmdTempo10Up") << 1 / 1.5 << 440.0;
        QTest::newRow("octave up") << QStringList{"cmdPitch12UpSemi"} << 1.0 << 880.0;
        QTest::newRow("semitone down")
            << QStringList{"cmdPitch1DownSemi"} << 1.0 << 440 * std::exp2(-1 / 12.0);
        QTest::newRow("fine pitch, one semitone up")
            << QStringList{"cmdPitch10UpGrad"} << 1.0 << 440 * std::exp2(1 / 12.0);
        QTest::newRow("rate 50") << times(5, "cmdRate10Down") << 2.0 << 220.0;
        QTest::newRow("tempo -50, octave up, then reset all")
            << times(5, "cmdTempo10Down") + QStringList{"cmdPitch12UpSemi", "cmdResetAll"} << 1.0 << 440.0;
    }
    void whatThePlayerSounds()
    {
        QFETCH(QStringList, commands);
        QFETCH(double, lengthFactor);
        QFETCH(double, hz);
        const double movieSeconds = 3;
        TestMedia::Movie movie;
        movie.seconds = movieSeconds;
        const QString path = TestMedia::movie(movie);
        QVERIFY(!path.isEmpty());
        const QString wave = TestMedia::outputPath("sound.wav");
        {
            MpvMoviePlayer player({MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::WaveFile, wave});
            SoundPanel panel(player);
            player.setFileName(path);
            QVERIFY(player.Duration() > 0);
            for (const QString& command : commands)
                QVERIFY(panel.run(command));
            player.Play();
            QVERIFY(playsToTheEnd(player));
        }
        const std::optional<PcmAudio> sound = PcmAudio::readWav(wave);
        QVERIFY(sound);
        const double length = sound->seconds() / movieSeconds;
        QVERIFY2(qAbs(length - lengthFactor) < 0.05 * lengthFactor, qPrintable(QString::number(length)));
        // The tone away from the ends, where the stretcher starts up and runs out.
        const std::vector<float> steady = sound->channel(0, 0.5, sound->seconds() - 0.5);
        const double cents = ToneAnalysis::cents(ToneAnalysis::frequency(steady, sound->sampleRate), hz);
        QVERIFY2(qAbs(cents) < 5, qPrintable(QString::number(cents)));
        qInfo("length x%.3f, %.3f cents off %.2f Hz", length, cents, hz);
    }

private:
    // True once the position has come to rest at the end of the movie.
    static bool playsToTheEnd(const MoviePlayer& player)
    {
        QElapsedTimer timer;
        timer.start();
        double last = -1;
        while (timer.elapsed() < 60000) {
            QTest::qWait(300);
            if (player.Position() == last && last >= player.Duration() - 0.2)
                return true;
            last = player.Position();
        }
        return false;
    }
};

QTEST_MAIN(SoundControlsOnMpvTest)
#include "tst_soundcontrols_mpv.moc"
