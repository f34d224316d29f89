#pragma once

#include "player/MpvRenderContext.h"

#include <QOpenGLWidget>

struct mpv_handle;

// Shows the picture of an mpv core through mpv's OpenGL render API. The renderer lives as long as
// the widget's GL context: Qt replaces that context when the widget moves to another top-level
// window (full screen and back), so the renderer is freed with the old context and made again
// for the new one.
class MpvVideoWidget : public QOpenGLWidget
{
    Q_OBJECT

public:
    explicit MpvVideoWidget(QWidget* parent = nullptr);
    ~MpvVideoWidget() override;

    // The core whose picture to show; the renderer is made as soon as a GL context exists.
    void attach(mpv_handle* mpv);
    // Frees the renderer and forgets the core; must happen before the core is destroyed.
    void detach();
    bool hasRenderer() const { return m_renderer != nullptr; }

signals:
    // A renderer has just been made; mpv can show video from now on.
    void rendererCreated();
    void doubleClicked();

protected:
    void initializeGL() override;
    void paintGL() override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void createRenderer();
    void freeRenderer();
    void renderFrame();
    // mpv asks for a new frame from one of its threads.
    static void onMpvUpdate(void* widget);
    void frameReady();

    mpv_handle* m_mpv = nullptr;
    MpvRenderContext m_renderer;
};
