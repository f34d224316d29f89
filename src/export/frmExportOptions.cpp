#include "export/frmExportOptions.h"

#include "common/TimeText.h"
#include "common/Twips.h"
#include "widgets/ToolWindowFrame.h"
#include "widgets/WindowParts.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace {
constexpr int clientWidth = 6300, clientHeight = 4500;
constexpr int margin = 240, lineWidth = clientWidth - 2 * margin;
constexpr int maximumPasses = 50;

QString targetText(const QString& target)
{
    const QFileInfo file(target);
    QString text = QStringLiteral("Writes \u201c%1\u201d in %2.").arg(file.fileName(), file.absolutePath());
    if (file.exists())
        text +=
            QStringLiteral(" A file of that name is there: the new one takes its place once it is complete.");
    return text;
}
} // namespace

frmExportOptions::frmExportOptions(const SoundExport& draft, const QString& target,
                                   const TrainingPlan& trainer, QWidget* parent)
    : QDialog(parent), m_draft(draft), m_trainer(trainer)
{
    frameToolWindow(*this, QStringLiteral("frmExportOptions"), QStringLiteral("Export sound"), clientWidth,
                    clientHeight);
    setModal(true);
    addLabel(this, "lblTarget", targetText(target), twipsRect(margin, 180, lineWidth, 600))
        ->setWordWrap(true);

    m_optLoop = new QRadioButton(this);
    m_optLoop->setObjectName(QStringLiteral("optLoop"));
    m_optLoop->setGeometry(twipsRect(margin, 900, lineWidth, 300));
    m_optLoop->setText(draft.loop ? QStringLiteral("The &loop, %1 to %2")
                                        .arg(TimeText(draft.loop->first), TimeText(draft.loop->second))
                                  : QStringLiteral("The &loop (none is set)"));
    m_optLoop->setEnabled(draft.loop.has_value());
    m_optWholeMovie =
        new QRadioButton(QStringLiteral("The &whole movie, %1").arg(TimeText(draft.duration)), this);
    m_optWholeMovie->setObjectName(QStringLiteral("optWholeMovie"));
    m_optWholeMovie->setGeometry(twipsRect(margin, 1260, lineWidth, 300));
    (draft.loop && !draft.wholeMovie ? m_optLoop : m_optWholeMovie)->setChecked(true);

    auto* passesCaption = addLabel(this, "lblPasses", QStringLiteral("&Passes of the loop :"),
                                   twipsRect(margin + 300, 1710, 2400, 330));
    m_spnPasses = new QSpinBox(this);
    m_spnPasses->setObjectName(QStringLiteral("spnPasses"));
    m_spnPasses->setRange(1, maximumPasses);
    m_spnPasses->setValue(draft.passes);
    m_spnPasses->setGeometry(twipsRect(2760, 1680, 1200, 360));
    passesCaption->setBuddy(m_spnPasses);
    m_chkRaiseTempo = new QCheckBox(QStringLiteral("&Raise the tempo as the speed trainer is set"), this);
    m_chkRaiseTempo->setObjectName(QStringLiteral("chkRaiseTempo"));
    m_chkRaiseTempo->setGeometry(twipsRect(margin + 300, 2160, lineWidth - 300, 300));
    m_chkRaiseTempo->setChecked(draft.raise.has_value());
    addLabel(this, "lblTrainerPlan",
             QStringLiteral("from %1 % by %2 % every %3 passes, up to %4 %")
                 .arg(trainer.startPercent)
                 .arg(trainer.stepPercent)
                 .arg(trainer.everyPasses)
                 .arg(trainer.upToPercent),
             twipsRect(margin + 600, 2460, lineWidth - 600, 300));

    addLabel(this, "lblHeard",
             QStringLiteral("As heard now: %1. The volume is not applied.").arg(draft.heardText()),
             twipsRect(margin, 2880, lineWidth, 480))
        ->setWordWrap(true);
    m_lblLength = addLabel(this, "lblLength", QString(), twipsRect(margin, 3420, lineWidth, 300));

    auto* exportButton = new QPushButton(QStringLiteral("&Export"), this);
    exportButton->setObjectName(QStringLiteral("cmdExport"));
    exportButton->setGeometry(twipsRect(clientWidth - 2 * 1200 - 2 * margin + 120, 3900, 1200, 420));
    exportButton->setDefault(true);
    auto* cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cmdCancel"));
    cancelButton->setGeometry(twipsRect(clientWidth - 1200 - margin, 3900, 1200, 420));
    connect(exportButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    connect(m_optLoop, &QRadioButton::toggled, this, &frmExportOptions::choices_Change);
    connect(m_spnPasses, &QSpinBox::valueChanged, this, &frmExportOptions::choices_Change);
    connect(m_chkRaiseTempo, &QCheckBox::toggled, this, &frmExportOptions::choices_Change);
    choices_Change();
    (m_optLoop->isChecked() ? m_spnPasses : static_cast<QWidget*>(exportButton))->setFocus();
}

SoundExport frmExportOptions::chosen() const
{
    SoundExport chosen = m_draft;
    chosen.wholeMovie = !m_optLoop->isChecked();
    chosen.passes = m_spnPasses->value();
    chosen.raise = m_chkRaiseTempo->isChecked() ? std::optional(m_trainer) : std::nullopt;
    return chosen;
}

// Passes and the trainer's tempo belong to the loop; the length follows every choice.
void frmExportOptions::choices_Change()
{
    const bool loop = m_optLoop->isChecked();
    for (QWidget* part : {static_cast<QWidget*>(m_spnPasses), static_cast<QWidget*>(m_chkRaiseTempo),
                          findChild<QWidget*>(QStringLiteral("lblPasses")),
                          findChild<QWidget*>(QStringLiteral("lblTrainerPlan"))})
        part->setEnabled(loop);
    m_lblLength->setText(QStringLiteral("The file lasts %1.").arg(TimeText(chosen().renderPlan().seconds())));
}
