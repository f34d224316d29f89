#include "trainer/frmSpeedTrainer.h"

#include "common/Twips.h"
#include "trainer/SpeedTraining.h"
#include "widgets/ToolWindowFrame.h"
#include "widgets/WindowParts.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace {
constexpr int clientWidth = 4800, clientHeight = 3600;
constexpr int captionLeft = 240, captionWidth = 2640;
constexpr int fieldLeft = 3000, fieldWidth = 1560, rowHeight = 330, rowPitch = 420, firstRowTop = 240;

QRect rowBox(int row, int left, int width)
{
    return twipsRect(left, firstRowTop + row * rowPitch, width, rowHeight);
}
} // namespace

frmSpeedTrainer::frmSpeedTrainer(SpeedTraining& training, SettingsStore& settings)
    : m_training(training), m_settings(settings)
{
    frameToolWindow(*this, QStringLiteral("frmSpeedTrainer"), QStringLiteral("Speed trainer"), clientWidth,
                    clientHeight);
    m_spnStartTempo = addNumberRow(0, "spnStartTempo", "Start tempo :", 20, 180, " %");
    m_spnStep = addNumberRow(1, "spnStep", "Raise the tempo by :", 1, 20, " %");
    m_spnEveryPasses = addNumberRow(2, "spnEveryPasses", "Passes at each tempo :", 1, 20, "");
    m_spnUpToTempo = addNumberRow(3, "spnUpToTempo", "Up to :", 20, 180, " %");

    addLabel(this, "lblPause", QStringLiteral("Pause between passes :"),
             rowBox(4, captionLeft, captionWidth));
    m_spnPause = new QDoubleSpinBox(this);
    m_spnPause->setObjectName(QStringLiteral("spnPause"));
    m_spnPause->setRange(0, 10);
    m_spnPause->setSingleStep(0.5);
    m_spnPause->setDecimals(1);
    m_spnPause->setSuffix(QStringLiteral(" s"));
    m_spnPause->setGeometry(rowBox(4, fieldLeft, fieldWidth));

    auto* start = new QPushButton(QStringLiteral("Start"), this);
    start->setObjectName(QStringLiteral("cmdStartTraining"));
    start->setGeometry(twipsRect(captionLeft, 2400, 2040, 420));
    start->setDefault(true);
    auto* stop = new QPushButton(QStringLiteral("Stop"), this);
    stop->setObjectName(QStringLiteral("cmdStopTraining"));
    stop->setGeometry(twipsRect(2520, 2400, 2040, 420));
    m_lblStatus = addLabel(this, "lblStatus", training.status(), twipsRect(captionLeft, 2940, 4320, 480));
    m_lblStatus->setWordWrap(true);

    showPlan(TrainingPlan::load(settings));
    for (QSpinBox* box : {m_spnStartTempo, m_spnStep, m_spnEveryPasses, m_spnUpToTempo})
        connect(box, &QSpinBox::valueChanged, this, &frmSpeedTrainer::savePlan);
    connect(m_spnPause, &QDoubleSpinBox::valueChanged, this, &frmSpeedTrainer::savePlan);
    connect(start, &QPushButton::clicked, this, [this] { m_training.start(plan()); });
    connect(stop, &QPushButton::clicked, &m_training, &SpeedTraining::stop);
    connect(&m_training, &SpeedTraining::statusChanged, m_lblStatus, &QLabel::setText);
}

QSpinBox* frmSpeedTrainer::addNumberRow(int row, const char* name, const char* caption, int lowest,
                                        int highest, const char* suffix)
{
    addLabel(this, "", QString::fromUtf8(caption), rowBox(row, captionLeft, captionWidth));
    auto* box = new QSpinBox(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(lowest, highest);
    box->setSuffix(QString::fromUtf8(suffix));
    box->setGeometry(rowBox(row, fieldLeft, fieldWidth));
    return box;
}

TrainingPlan frmSpeedTrainer::plan() const
{
    TrainingPlan plan;
    plan.startPercent = m_spnStartTempo->value();
    plan.stepPercent = m_spnStep->value();
    plan.everyPasses = m_spnEveryPasses->value();
    plan.upToPercent = m_spnUpToTempo->value();
    plan.pauseSeconds = m_spnPause->value();
    return plan;
}

void frmSpeedTrainer::showPlan(const TrainingPlan& plan)
{
    m_spnStartTempo->setValue(plan.startPercent);
    m_spnStep->setValue(plan.stepPercent);
    m_spnEveryPasses->setValue(plan.everyPasses);
    m_spnUpToTempo->setValue(plan.upToPercent);
    m_spnPause->setValue(plan.pauseSeconds);
}

void frmSpeedTrainer::savePlan()
{
    plan().save(m_settings);
}
