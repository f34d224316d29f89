#include "app/TimeSlider.h"

#include "common/TimeText.h"

#include <QHelpEvent>
#include <QStyleOptionSlider>
#include <QToolTip>

TimeSlider::TimeSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent)
{
    connect(this, &QSlider::sliderPressed, this, &TimeSlider::showTimeTip);
    connect(this, &QSlider::sliderMoved, this, &TimeSlider::showTimeTip);
    connect(this, &QSlider::sliderReleased, this, [] { QToolTip::hideText(); });
}

QString TimeSlider::timeTip() const
{
    return TimeText(value());
}

void TimeSlider::showTimeTip()
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    // sliderMoved arrives before the thumb is redrawn, so place the tip by the new position.
    option.sliderPosition = sliderPosition();
    const QRect thumb = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    QToolTip::showText(mapToGlobal(thumb.topLeft()), TimeText(sliderPosition()), this);
}

bool TimeSlider::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), timeTip(), this);
        return true;
    }
    return QSlider::event(event);
}
