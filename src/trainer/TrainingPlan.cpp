#include "trainer/TrainingPlan.h"

#include "common/SettingsStore.h"

#include <cmath>

namespace {
const QString startKey = QStringLiteral("TrainerStartTempo");
const QString stepKey = QStringLiteral("TrainerStep");
const QString everyKey = QStringLiteral("TrainerEveryPasses");
const QString upToKey = QStringLiteral("TrainerUpToTempo");
const QString pauseKey = QStringLiteral("TrainerPause");

int storedNumber(const SettingsStore& settings, const QString& key, int fallback, int lowest, int highest)
{
    bool isNumber = false;
    const int value = settings.text(key, QString::number(fallback)).toInt(&isNumber);
    return isNumber ? std::clamp(value, lowest, highest) : fallback;
}
} // namespace

TrainingPlan TrainingPlan::load(const SettingsStore& settings)
{
    const TrainingPlan defaults;
    TrainingPlan plan;
    plan.startPercent = storedNumber(settings, startKey, defaults.startPercent, 20, 180);
    plan.stepPercent = storedNumber(settings, stepKey, defaults.stepPercent, 1, 20);
    plan.everyPasses = storedNumber(settings, everyKey, defaults.everyPasses, 1, 20);
    plan.upToPercent = storedNumber(settings, upToKey, defaults.upToPercent, 20, 180);
    // Kept in tenths of a second, so that the store holds no decimal point of any locale.
    plan.pauseSeconds = storedNumber(settings, pauseKey, 0, 0, 100) / 10.0;
    return plan;
}

void TrainingPlan::save(SettingsStore& settings) const
{
    settings.setText(startKey, QString::number(startPercent));
    settings.setText(stepKey, QString::number(stepPercent));
    settings.setText(everyKey, QString::number(everyPasses));
    settings.setText(upToKey, QString::number(upToPercent));
    settings.setText(pauseKey, QString::number(std::lround(pauseSeconds * 10)));
}
