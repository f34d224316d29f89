#pragma once

#include "player/MpvRenderContext.h"

#include <QOpenGLWindow>

struct mpv_handle;

// A native window of its own that mpv draws the picture into through its OpenGL render API. Only
// this window is drawn with OpenGL on each frame; the window around it stays plain raster, so
// the time label and slider changing on every frame cost a small raster repaint instead of an
// OpenGL composition of the whole main window.
class MpvVideoWindow : public QOpenGLWindow
{
    Q_OBJECT

public:
    MpvVideoWindow();
    ~MpvVideoWindow() override;

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
    static void onMpvUpdate(void* window);
    void frameReady();

    mpv_handle* m_mpv = nullptr;
    MpvRenderContext m_renderer;
};
