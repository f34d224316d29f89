#include "playback/LoopWindow.h"

#include <QSlider>

LoopWindow::LoopWindow(const TimeControls& controls, QObject* parent) : QObject(parent), m_controls(controls)
{}

void LoopWindow::LoopWinBack()
{
    QSlider& begin = *m_controls.sldBegin;
    QSlider& end = *m_controls.sldEnd;
    if (begin.value() - 1 < end.minimum())
        return;
    end.setValue(end.value() - 1);
    begin.setValue(begin.value() - 1);
}

void LoopWindow::LoopWinForward()
{
    QSlider& begin = *m_controls.sldBegin;
    QSlider& end = *m_controls.sldEnd;
    if (end.value() + 1 > end.maximum())
        return;
    end.setValue(end.value() + 1);
    begin.setValue(begin.value() + 1);
}
