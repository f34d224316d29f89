#include "app/SoundPanelBuilder.h"

#include "common/Twips.h"
#include "widgets/PictureButton.h"
#include "widgets/WindowParts.h"

#include <QFontMetrics>
#include <QLabel>
#include <QSlider>

#include <algorithm>
#include <tuple>
#include <utility>

namespace {
// One column of the panel, all positions in twips.
struct SliderColumn
{
    const char* heading;
    const char* headingName;
    const char* headingToolTip;
    int headingLeft, headingTop, headingWidth, headingHeight;
    const char* sliderName;
    const char* sliderToolTip;
    bool sliderEnabled;
    int sliderLeft;
    int minimum, maximum, value;
    const char* labelName;
    const char* labelText;
    int labelLeft;
};

// clang-format off
// The rate slider is disabled: the rate changes only through its buttons, menu entries and hot keys.
constexpr SliderColumn columns[] = {
    {"Tempo", "lblTempoHeading", nullptr, 7245, 1485, 600, 225,
     "sldTempo", nullptr, true, 7320, -80, 80, 0, "lblTempo", "100%", 7320},
    {"Pitch semitones", "lblPitchSemiHeading", "Click to calculate desired key", 7965, 1410, 705, 375,
     "sldPitchSemi", nullptr, true, 8115, -12, 12, 0, "lblPitchSemi", "0", 8145},
    {"Pitch gradual", "lblPitchGradHeading", nullptr, 8820, 1410, 735, 405,
     "sldPitchGrad", nullptr, true, 8940, -600, 600, 0, "lblPitchGrade", "0", 8925},
    {"Tempo pitch", "lblRateHeading", nullptr, 9660, 1410, 630, 465,
     "sldSpeed", "Use buttons to change tempo-pitch", false, 9750, 10, 190, 100, "lblRate", "100%", 9780},
};
constexpr int sliderTop = 1950, sliderWidth = 480, sliderHeight = 3675;
constexpr int labelTop = 5655, labelWidth = 540, labelHeight = 240;

// Rows under each column: step up large, step up small, reset, step down small, step down large.
constexpr int stepTops[] = {6210, 6465, 6690, 6960, 7185};
constexpr int stepWidth = 330, stepHeight = 225;
constexpr const char* stepIcons[] = {"step-up-large", "step-up", "reset", "step-down", "step-down-large"};

struct StepButton
{
    const char* name;
    const char* toolTip;
};
struct StepColumn
{
    int left;
    StepButton rows[5];
};
// Tempo steps name the percent and fine steps the interval, so that no tip is a bare number that
// could be read as the other column's unit.
constexpr StepColumn stepColumns[] = {
    {7395, {{"cmdTempo10Up", "+10%"}, {"cmdTempo1Up", "+1%"}, {"cmdTempoReset", "Reset"},
            {"cmdTempo1Down", "-1%"}, {"cmdTempo10Down", "-10%"}}},
    {8190, {{"cmdPitch12UpSemi", "+12"}, {"cmdPitch1UpSemi", "+1"}, {"cmdPitchResetSemi", "Reset"},
            {"cmdPitch1DownSemi", "-1"}, {"cmdPitch12DownSemi", "-12"}}},
    {9015, {{"cmdPitch10UpGrad", "+1 semitone"}, {"cmdPitch1UpGrad", "+2 cents"}, {"cmdPitchResetGrad", "Reset"},
            {"cmdPitch1DownGrad", "-2 cents"}, {"cmdPitch10DownGrad", "-1 semitone"}}},
    {9825, {{"cmdRate10Up", "+10"}, {"cmdRate1Up", "+1"}, {"cmdRateReset", "Reset"},
            {"cmdRate1Down", "-1"}, {"cmdRate10Down", "-10"}}},
};

constexpr ButtonPlacement resetAllButton = {"cmdResetAll", "Reset all", "reset-all", 8595, 6645, 330, 330};
constexpr ButtonPlacement gainButtons[] = {
    {"cmdGainDown", "Volume down", "volume-down", 3195, 5685, 180, 240},
    {"cmdGainUp",   "Volume up",   "volume-up",   3375, 5685, 180, 240},
};
// clang-format on

constexpr int stepIconPixels = 11;
constexpr int resetAllIconPixels = 16;
constexpr int gainIconPixels = 9;

// The headings' boxes were measured for a narrower font than the desktop's; a box that is too
// small for its words grows about its centre and upwards from its bottom edge, so the heading
// still stands centred just above its slider.
QRect headingBox(const QFontMetrics& metrics, const QString& text, QRect box)
{
    constexpr int padding = 2;
    int widest = 0;
    for (const QString& word : text.split(QLatin1Char(' ')))
        widest = std::max(widest, metrics.horizontalAdvance(word) + padding);
    if (widest > box.width())
        box.adjust(-(widest - box.width() + 1) / 2, 0, (widest - box.width()) / 2, 0);
    const int needed = metrics.boundingRect(QRect(0, 0, box.width(), 0), Qt::TextWordWrap, text).height();
    if (needed > box.height())
        box.setTop(box.bottom() + 1 - needed);
    return box;
}

std::pair<QSlider*, QLabel*> addColumn(QWidget* parent, const SliderColumn& column)
{
    const QString headingText = QString::fromUtf8(column.heading);
    QLabel* heading = addLabel(parent, column.headingName, headingText,
                               headingBox(parent->fontMetrics(), headingText,
                                          twipsRect(column.headingLeft, column.headingTop,
                                                    column.headingWidth, column.headingHeight)));
    heading->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    heading->setWordWrap(true);
    if (column.headingToolTip)
        heading->setToolTip(QString::fromUtf8(column.headingToolTip));

    auto* slider = new QSlider(Qt::Vertical, parent);
    slider->setObjectName(QString::fromLatin1(column.sliderName));
    slider->setRange(column.minimum, column.maximum);
    slider->setValue(column.value);
    slider->setTickPosition(QSlider::TicksBothSides);
    slider->setTickInterval((column.maximum - column.minimum) / 8);
    slider->setGeometry(twipsRect(column.sliderLeft, sliderTop, sliderWidth, sliderHeight));
    slider->setEnabled(column.sliderEnabled);
    if (column.sliderToolTip)
        slider->setToolTip(QString::fromUtf8(column.sliderToolTip));

    QLabel* value = addLabel(parent, column.labelName, QString::fromUtf8(column.labelText),
                             twipsRect(column.labelLeft, labelTop, labelWidth, labelHeight));
    value->setAlignment(Qt::AlignCenter);
    return {slider, value};
}

void addStepButtons(QWidget* parent, const StepColumn& column)
{
    for (int row = 0; row < 5; ++row) {
        const StepButton& button = column.rows[row];
        addPictureButton(
            parent,
            {button.name, button.toolTip, stepIcons[row], column.left, stepTops[row], stepWidth, stepHeight},
            stepIconPixels);
    }
}
} // namespace

SoundSliders buildSoundPanel(QWidget* parent)
{
    SoundSliders panel;
    std::tie(panel.sldTempo, panel.lblTempo) = addColumn(parent, columns[0]);
    std::tie(panel.sldPitchSemi, panel.lblPitchSemi) = addColumn(parent, columns[1]);
    std::tie(panel.sldPitchGrad, panel.lblPitchGrade) = addColumn(parent, columns[2]);
    std::tie(panel.sldSpeed, panel.lblRate) = addColumn(parent, columns[3]);
    for (const StepColumn& column : stepColumns)
        addStepButtons(parent, column);

    addPictureButton(parent, resetAllButton, resetAllIconPixels);
    addPictureButtons(parent, gainButtons, gainIconPixels);
    // Reaches further left than its measured box so that the colon is not cut off; the text
    // stays against the volume buttons.
    addLabel(parent, "lblVolume", QStringLiteral("Volume :"), twipsRect(2250, 5700, 945, 240))
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return panel;
}
