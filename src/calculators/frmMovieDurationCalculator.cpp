#include "calculators/frmMovieDurationCalculator.h"

#include "widgets/ToolWindowFrame.h"

#include "common/Desktop.h"
#include "common/Rounding.h"
#include "common/Twips.h"
#include "player/MoviePlayer.h"
#include "widgets/PictureButton.h"
#include "widgets/WindowParts.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

namespace {
constexpr int clientWidth = 4560, clientHeight = 3120;
constexpr int fieldPointSize = 16;
constexpr int stepIconPixels = 11;
constexpr int resetIconPixels = 16;

// The speeds the player is asked for stay within 20 % to 180 % of normal, the tempo slider's
// range of -80 to 80.
constexpr int slowestPercent = 20, fastestPercent = 180;

// Hours have no cycle to wrap around, so their buttons stop at the ends; minutes and seconds
// wrap to the other end without carrying into the next field.
constexpr int mostHours = 99;
constexpr int lastMinuteOrSecond = 59;

// The fields of a duration rounded to whole seconds.
struct DurationFields
{
    int hours;
    int minutes;
    int seconds;
};

DurationFields splitDuration(double seconds)
{
    const int whole = roundHalfEven(seconds);
    return {whole / 3600, whole % 3600 / 60, whole % 3600 % 60};
}

QString hoursText(int hours)
{
    return QString::number(hours);
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

enum class Field
{
    Hour,
    Minute,
    Second
};

struct StepButton
{
    ButtonPlacement placement;
    Field field;
    int step;
};

constexpr int upRowTop = 1020, fieldRowTop = 1350, fieldHeight = 480, downRowTop = 1860;
constexpr int hourLeft = 600, hourWidth = 600;
constexpr int minuteLeft = 1440, secondLeft = 2400, fieldWidth = 720;

// The left button of a pair steps the tens, the right one the units, as the digits stand.
// clang-format off
constexpr StepButton stepButtons[] = {
    {{"cmdHourUp",       "Set hour",   "step-up",         750,              upRowTop,   300, 300}, Field::Hour,   1},
    {{"cmdHourDown",     "Set hour",   "step-down",       750,              downRowTop, 300, 300}, Field::Hour,   -1},
    {{"cmd10MinuteUp",   "Set minute", "step-up-large",   minuteLeft,       upRowTop,   360, 300}, Field::Minute, 10},
    {{"cmdMinuteUp",     "Set minute", "step-up",         minuteLeft + 360, upRowTop,   360, 300}, Field::Minute, 1},
    {{"cmd10MinuteDown", "Set minute", "step-down-large", minuteLeft,       downRowTop, 360, 300}, Field::Minute, -10},
    {{"cmdMinuteDown",   "Set minute", "step-down",       minuteLeft + 360, downRowTop, 360, 300}, Field::Minute, -1},
    {{"cmd10SecondUp",   "Set minute", "step-up-large",   secondLeft,       upRowTop,   360, 300}, Field::Second, 10},
    {{"cmdSecondUp",     "Set minute", "step-up",         secondLeft + 360, upRowTop,   360, 300}, Field::Second, 1},
    {{"cmd10SecondDown", "Set minute", "step-down-large", secondLeft,       downRowTop, 360, 300}, Field::Second, -10},
    {{"cmdSecondDown",   "Set minute", "step-down",       secondLeft + 360, downRowTop, 360, 300}, Field::Second, -1},
};
// clang-format on

constexpr ButtonPlacement resetButton = {"cmdReset", "Reset", "reset", 3480, 1425, 330, 330};

QLabel* addTimeField(QWidget* parent, const char* name, const char* toolTip, const QRect& geometry)
{
    QLabel* field = addLabel(parent, name, QString(), geometry);
    field->setToolTip(QString::fromLatin1(toolTip));
    field->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("DejaVu Sans Mono"), fieldPointSize, QFont::Bold);
    font.setStyleHint(QFont::Monospace);
    field->setFont(font);
    field->setFrameShape(QFrame::Panel);
    field->setFrameShadow(QFrame::Sunken);
    return field;
}

void stepHours(QLabel& field, int step)
{
    const int hours = field.text().toInt() + step;
    if (hours >= 0 && hours <= mostHours)
        field.setText(hoursText(hours));
}

void stepWrapping(QLabel& field, int step)
{
    int value = field.text().toInt() + step;
    if (value > lastMinuteOrSecond)
        value = 0;
    else if (value < 0)
        value = lastMinuteOrSecond;
    field.setText(twoDigits(value));
}
} // namespace

frmMovieDurationCalculator::frmMovieDurationCalculator(MoviePlayer& player, QSlider& sldTempo,
                                                       Desktop& desktop)
    : m_player(player), m_sldTempo(sldTempo), m_desktop(desktop)
{
    frameToolWindow(*this, QStringLiteral("frmMovieDurationCalculator"),
                    QStringLiteral("Movie duration calculator"), clientWidth, clientHeight);
    buildControls();

    m_lblDuration->setText(durationText(movieDuration()));
    showDurationInFields(movieDuration());
}

QString frmMovieDurationCalculator::durationText(double seconds)
{
    const DurationFields fields = splitDuration(seconds);
    return QStringLiteral("%1:%2:%3")
        .arg(hoursText(fields.hours), twoDigits(fields.minutes), twoDigits(fields.seconds));
}

void frmMovieDurationCalculator::buildControls()
{
    addLabel(this, "Label1", QStringLiteral("Current movie duration :"), twipsRect(240, 240, 2280, 255));
    m_lblDuration = addLabel(this, "lblDuration", QString(), twipsRect(2580, 240, 1200, 255));
    addLabel(this, "Label2", QStringLiteral("Preferred movie duration :"), twipsRect(240, 600, 2280, 255));

    m_lblQTimerHour =
        addTimeField(this, "lblQTimerHour", "Hour", twipsRect(hourLeft, fieldRowTop, hourWidth, fieldHeight));
    m_lblQTimerMinute = addTimeField(this, "lblQTimerMinute", "Minute",
                                     twipsRect(minuteLeft, fieldRowTop, fieldWidth, fieldHeight));
    m_lblQTimerSecond = addTimeField(this, "lblQTimerSecond", "Second",
                                     twipsRect(secondLeft, fieldRowTop, fieldWidth, fieldHeight));
    for (const int left : {hourLeft + hourWidth, minuteLeft + fieldWidth}) {
        QLabel* colon =
            addLabel(this, "", QStringLiteral(":"), twipsRect(left, fieldRowTop, 240, fieldHeight));
        colon->setFont(m_lblQTimerMinute->font());
        colon->setAlignment(Qt::AlignCenter);
    }
    addStepButtons();

    QToolButton* reset = addPictureButton(this, resetButton, resetIconPixels);
    connect(reset, &QToolButton::clicked, this, &frmMovieDurationCalculator::cmdReset_Click);

    auto* apply = new QPushButton(QStringLiteral("Apply new movie speed"), this);
    apply->setObjectName(QStringLiteral("cmdApply"));
    apply->setGeometry(twipsRect(840, 2460, 2880, 420));
    connect(apply, &QPushButton::clicked, this, &frmMovieDurationCalculator::cmdApply_Click);
}

void frmMovieDurationCalculator::addStepButtons()
{
    for (const StepButton& stepButton : stepButtons) {
        QToolButton* button = addPictureButton(this, stepButton.placement, stepIconPixels);
        const int step = stepButton.step;
        switch (stepButton.field) {
        case Field::Hour:
            connect(button, &QToolButton::clicked, this, [this, step] { stepHours(*m_lblQTimerHour, step); });
            break;
        case Field::Minute:
            connect(button, &QToolButton::clicked, this,
                    [this, step] { stepWrapping(*m_lblQTimerMinute, step); });
            break;
        case Field::Second:
            connect(button, &QToolButton::clicked, this,
                    [this, step] { stepWrapping(*m_lblQTimerSecond, step); });
            break;
        }
    }
}

double frmMovieDurationCalculator::movieDuration() const
{
    const double duration = m_player.Duration();
    return duration > 0 ? duration : 0;
}

void frmMovieDurationCalculator::showDurationInFields(double seconds)
{
    const DurationFields fields = splitDuration(seconds);
    m_lblQTimerHour->setText(hoursText(fields.hours));
    m_lblQTimerMinute->setText(twoDigits(fields.minutes));
    m_lblQTimerSecond->setText(twoDigits(fields.seconds));
}

qint64 frmMovieDurationCalculator::preferredSeconds() const
{
    return m_lblQTimerHour->text().toLongLong() * 3600 + m_lblQTimerMinute->text().toInt() * 60 +
           m_lblQTimerSecond->text().toInt();
}

void frmMovieDurationCalculator::cmdReset_Click()
{
    showDurationInFields(movieDuration());
}

void frmMovieDurationCalculator::cmdApply_Click()
{
    const double duration = movieDuration();
    const qint64 preferred = preferredSeconds();
    if (duration == 0 || preferred == 0)
        return;
    const int percent = roundHalfEven(duration * 100 / static_cast<double>(preferred));
    if (percent < slowestPercent || percent > fastestPercent) {
        m_desktop.showMessage(this,
                              QStringLiteral("Software doesn't support speed changes larger than 80% ."),
                              Desktop::MessageIcon::Information);
        cmdReset_Click();
        return;
    }
    if (percent == 100) {
        cmdReset_Click();
        return;
    }
    m_sldTempo.setValue(percent - 100);
    close();
}
