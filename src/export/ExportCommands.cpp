#include "export/ExportCommands.h"

#include "common/Desktop.h"
#include "common/SettingsStore.h"
#include "export/SoundExport.h"
#include "export/frmExportOptions.h"
#include "player/MoviePlayer.h"
#include "sound/SoundViews.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QSlider>
#include <QStandardPaths>
#include <QTimer>

#include <atomic>
#include <cmath>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {

const QString folderKey = QStringLiteral("ExportFolder");
const QString title = QStringLiteral("Export sound");
// The fine pitch slider steps by 2 cents.
constexpr double gradsPerSemitone = 50;
constexpr int tickMs = 100;

QString quoted(const QString& path)
{
    return QStringLiteral("\u201c%1\u201d").arg(QFileInfo(path).fileName());
}

QString timeLeftText(double seconds)
{
    const auto whole = static_cast<int>(std::ceil(seconds));
    return whole < 60 ? QStringLiteral("about %1 s left").arg(whole)
                      : QStringLiteral("about %1 min %2 s left").arg(whole / 60).arg(whole % 60);
}

} // namespace

// One export under way: the sound made and written on a thread of its own, at a lower priority
// than playback, and the progress dialog that follows it.
class ExportCommands::Run
{
public:
    Run(const SoundExport& job, const QString& targetPath, SoundFileFormat format, QWidget* dialogParent)
        : target(targetPath), replaces(QFileInfo::exists(target)),
          progress(std::make_unique<QProgressDialog>(dialogParent))
    {
        progress->setWindowTitle(title);
        progress->setObjectName(QStringLiteral("frmExportProgress"));
        QFont font = progress->font();
        font.setPointSize(8);
        progress->setFont(font);
        // The dialog's own button: one set in its place would leave Qt 6.4's Esc key for the first
        // behind, and Esc would then match two shortcuts and do nothing.
        progress->findChild<QPushButton*>()->setObjectName(QStringLiteral("cmdCancelExport"));
        progress->setWindowModality(Qt::WindowModal);
        progress->setAutoClose(false);
        progress->setAutoReset(false);
        progress->setMinimumWidth(360);
        progress->setRange(0, 100);
        progress->setMinimumDuration(0);
        progress->setLabelText(QStringLiteral("Writing %1").arg(quoted(target)));
        progress->setValue(0);
        clock.start();
        thread = std::thread([this, plan = job.renderPlan(),
                              tags = SoundFileWriter::Tags{job.title(), job.comment()},
                              format] { write(plan, tags, format); });
    }
    ~Run()
    {
        renderer.cancel();
        if (thread.joinable())
            thread.join();
    }

    void write(const SoundRenderer::Plan& plan, const SoundFileWriter::Tags& tags, SoundFileFormat format)
    {
        // Playback, on the same processors, goes first.
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
        {
            SoundFileWriter writer(SoundRenderer::rate);
            if (writer.open(target, format, tags)) {
                result = renderer.render(plan, [&writer](const float* frames, std::size_t count) {
                    return writer.write(frames, count);
                });
                if (result == SoundRenderer::Result::Done)
                    writer.finish();
                else if (result == SoundRenderer::Result::NoSound)
                    error = QStringLiteral("The movie's sound could not be read");
            }
            if (error.isEmpty())
                error = writer.error();
        } // an unfinished file goes with the writer
        done.store(true);
    }

    void showProgress()
    {
        const double part = renderer.progress();
        // The bar shows the percentage.
        QString text = QStringLiteral("Writing %1").arg(quoted(target));
        if (part > 0.01)
            text += '\n' + timeLeftText(static_cast<double>(clock.elapsed()) / 1000 * (1 - part) / part);
        progress->setLabelText(text);
        progress->setValue(static_cast<int>(part * 100));
    }

    const QString target;
    const bool replaces;
    SoundRenderer renderer;
    std::unique_ptr<QProgressDialog> progress;
    QTimer timer;
    QElapsedTimer clock;
    std::thread thread;
    // Written by the thread before `done`, read once it is set.
    SoundRenderer::Result result = SoundRenderer::Result::NoSound;
    QString error;
    std::atomic_bool done = false;
};

ExportCommands::ExportCommands(MoviePlayer& player, const TimeControls& time, const SoundSliders& sound,
                               const SoundViews& views, SettingsStore& settings, Desktop& desktop,
                               QWidget* dialogParent, QObject* parent)
    : QObject(parent), m_player(player), m_time(time), m_sound(sound), m_views(views), m_settings(settings),
      m_desktop(desktop), m_dialogParent(dialogParent)
{}

ExportCommands::~ExportCommands() = default;

QString ExportCommands::exportFilter()
{
    return QStringLiteral("FLAC sound, lossless (*.flac)|*.flac|WAV sound, 16-bit (*.wav)|*.wav|MP3 sound, "
                          "192 kb/s (*.mp3)|*.mp3");
}

QString ExportCommands::startFolder() const
{
    const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    const QString fallback =
        QDir(music).exists() ? music : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return m_settings.text(folderKey, fallback);
}

void ExportCommands::ExportSound()
{
    if (m_run)
        return;
    if (m_player.Duration() <= 0 || m_player.FileName().isEmpty()) {
        m_desktop.showMessage(m_dialogParent,
                              QStringLiteral("Open a movie first: its sound is what is exported."),
                              Desktop::MessageIcon::Information);
        return;
    }
    SoundExport draft;
    draft.moviePath = QFileInfo(m_player.FileName()).absoluteFilePath();
    draft.duration = m_player.Duration();
    draft.loop = SoundExport::loopOf(m_time.sldBegin->value(), m_time.sldEnd->value(), draft.duration);
    draft.heard = {m_sound.sldTempo->value(),
                   m_sound.sldPitchSemi->value() + m_sound.sldPitchGrad->value() / gradsPerSemitone,
                   m_sound.sldSpeed->value(), m_views.current()};

    const QString suggested =
        SoundExport::suggestedName(draft.moviePath, m_sound.lblTempo->text(), SoundFileFormat::Flac);
    QString target = m_desktop.saveFileName(m_dialogParent, title, QDir(startFolder()).filePath(suggested),
                                            exportFilter());
    if (target.isEmpty())
        return;
    m_settings.setText(folderKey, QFileInfo(target).absolutePath());
    std::optional<SoundFileFormat> format = SoundFileWriter::formatOf(target);
    if (!format) {
        target += QStringLiteral(".flac");
        format = SoundFileFormat::Flac;
    }
    if (const QString missing = SoundFileWriter::missingEncoder(*format); !missing.isEmpty()) {
        showError(QStringLiteral("The sound cannot be written as %1: FFmpeg here has no %2 encoder. "
                                 "Choose another kind of file.")
                      .arg(QFileInfo(target).suffix().toUpper(), missing));
        return;
    }

    frmExportOptions options(draft, target, TrainingPlan::load(m_settings), m_dialogParent);
    if (options.exec() != QDialog::Accepted)
        return;
    m_run = std::make_unique<Run>(options.chosen(), target, *format, m_dialogParent);
    connect(m_run->progress.get(), &QProgressDialog::canceled, this,
            [run = m_run.get()] { run->renderer.cancel(); });
    connect(&m_run->timer, &QTimer::timeout, this, &ExportCommands::run_Tick);
    m_run->timer.start(tickMs);
}

void ExportCommands::run_Tick()
{
    if (!m_run->done.load()) {
        m_run->showProgress();
        return;
    }
    const std::unique_ptr<Run> run = std::move(m_run);
    run->thread.join();
    run->timer.stop();
    run->progress->hide();
    const QString kept =
        run->replaces ? QStringLiteral(" The earlier %1 is as it was.").arg(quoted(run->target)) : QString();
    if (run->result == SoundRenderer::Result::Cancelled)
        m_desktop.showCaptionedMessage(
            m_dialogParent, title, QStringLiteral("The export was cancelled: nothing was written.") + kept,
            Desktop::MessageIcon::Exclamation);
    else if (!run->error.isEmpty())
        showError(QStringLiteral("The sound could not be exported. %1.").arg(run->error) + kept);
    emit exportEnded();
}

void ExportCommands::showError(const QString& text)
{
    m_desktop.showCaptionedMessage(m_dialogParent, QStringLiteral("Error"), text,
                                   Desktop::MessageIcon::Exclamation);
}
