#include "app/TimeAreaBuilder.h"

#include "app/TimeSlider.h"
#include "common/TimeText.h"
#include "common/Twips.h"

#include <QFont>
#include <QLabel>

namespace {
// Until a movie is opened the sliders stand half way along a length of 1000 seconds.
constexpr int designMaximum = 1000;
constexpr int designValue = 500;

struct TimeRow
{
    const char* caption;
    const char* captionName;
    int captionLeft, captionTop, captionWidth, captionHeight;
    const char* sliderName;
    int sliderTop;
};

// clang-format off
constexpr TimeRow rows[] = {
    {"Position :",       "lblPositionCaption", 285, 5925, 1185, 195, "sldPosition", 6120},
    {"Begin position :", "lblBeginCaption",    285, 6397, 1875, 255, "sldBegin",    6630},
    {"End position :",   "lblEndCaption",      285, 6930, 1845, 255, "sldEnd",      7125},
};
// clang-format on
constexpr int sliderLeft = 135, sliderWidth = 6450, sliderHeight = 300;

QSlider* addRow(QWidget* parent, const TimeRow& row)
{
    auto* caption = new QLabel(QString::fromUtf8(row.caption), parent);
    caption->setObjectName(QString::fromLatin1(row.captionName));
    caption->setGeometry(twipsRect(row.captionLeft, row.captionTop, row.captionWidth, row.captionHeight));

    auto* slider = new TimeSlider(parent);
    slider->setObjectName(QString::fromLatin1(row.sliderName));
    slider->setRange(0, designMaximum);
    slider->setValue(designValue);
    slider->setGeometry(twipsRect(sliderLeft, row.sliderTop, sliderWidth, sliderHeight));
    return slider;
}

QLabel* addPreviewTime(QWidget* parent)
{
    auto* label = new QLabel(TimeText(0), parent);
    label->setObjectName(QStringLiteral("lblPreviewTime"));
    QFont font(QStringLiteral("DejaVu Sans Mono"), 19, QFont::Bold);
    font.setStyleHint(QFont::Monospace);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(twipsRect(7410, 615, 2835, 435));
    return label;
}
} // namespace

TimeControls buildTimeArea(QWidget* parent)
{
    TimeControls controls;
    controls.sldPosition = addRow(parent, rows[0]);
    controls.sldBegin = addRow(parent, rows[1]);
    controls.sldEnd = addRow(parent, rows[2]);
    controls.lblPreviewTime = addPreviewTime(parent);
    return controls;
}
