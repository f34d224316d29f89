#pragma once

#include <QSlider>

// A horizontal slider on the time axis, in whole seconds. Its tip shows the value as a time,
// and follows the thumb while the user drags it.
class TimeSlider : public QSlider
{
    Q_OBJECT

public:
    explicit TimeSlider(QWidget* parent = nullptr);

    QString timeTip() const;

protected:
    bool event(QEvent* event) override;

private:
    void showTimeTip();
};
