#include "player/MpvVideoWindow.h"

#include <mpv/render_gl.h>

#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>

namespace {

void* glProcAddress(void*, const char* name)
{
    QOpenGLContext* context = QOpenGLContext::currentContext();
    return context ? reinterpret_cast<void*>(context->getProcAddress(name)) : nullptr;
}

} // namespace

// Each frame is drawn whole, straight into the window's own buffer: no extra framebuffer copy.
MpvVideoWindow::MpvVideoWindow() : QOpenGLWindow(QOpenGLWindow::NoPartialUpdate) {}

MpvVideoWindow::~MpvVideoWindow()
{
    detach();
    if (context() != nullptr)
        disconnect(context(), nullptr, this, nullptr);
}

void MpvVideoWindow::attach(mpv_handle* mpv)
{
    m_mpv = mpv;
    if (isValid()) {
        makeCurrent();
        createRenderer();
        doneCurrent();
    }
}

void MpvVideoWindow::detach()
{
    freeRenderer();
    m_mpv = nullptr;
}

void MpvVideoWindow::initializeGL()
{
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &MpvVideoWindow::freeRenderer,
            Qt::DirectConnection);
    createRenderer();
}

// Needs the window's context current.
void MpvVideoWindow::createRenderer()
{
    if (m_mpv == nullptr || m_renderer != nullptr)
        return;
    mpv_opengl_init_params glInit{glProcAddress, nullptr};
    char apiType[] = MPV_RENDER_API_TYPE_OPENGL;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_API_TYPE, apiType},
                                 {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glInit},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    mpv_render_context* renderer = nullptr;
    if (mpv_render_context_create(&renderer, m_mpv, params) < 0)
        return;
    m_renderer.reset(renderer);
    mpv_render_context_set_update_callback(renderer, &MpvVideoWindow::onMpvUpdate, this);
    emit rendererCreated();
}

void MpvVideoWindow::freeRenderer()
{
    if (m_renderer == nullptr)
        return;
    // mpv frees its GL objects here, so the context they belong to must be current.
    makeCurrent();
    m_renderer.reset();
    doneCurrent();
}

void MpvVideoWindow::paintGL()
{
    if (m_renderer == nullptr) {
        QOpenGLFunctions* gl = context()->functions();
        gl->glClearColor(0, 0, 0, 1);
        gl->glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    renderFrame();
}

void MpvVideoWindow::renderFrame()
{
    const qreal scale = devicePixelRatio();
    mpv_opengl_fbo target{static_cast<int>(defaultFramebufferObject()), qRound(width() * scale),
                          qRound(height() * scale), 0};
    int flipY = 1;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_OPENGL_FBO, &target},
                                 {MPV_RENDER_PARAM_FLIP_Y, &flipY},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    mpv_render_context_render(m_renderer.get(), params);
}

void MpvVideoWindow::onMpvUpdate(void* window)
{
    QMetaObject::invokeMethod(static_cast<MpvVideoWindow*>(window), &MpvVideoWindow::frameReady,
                              Qt::QueuedConnection);
}

void MpvVideoWindow::frameReady()
{
    if (m_renderer == nullptr)
        return;
    // Qt does not paint a window that is not exposed (hidden, minimised, covered), but mpv waits
    // for each frame it offers to be rendered and would stall playback: render it ourselves then.
    if (!isExposed()) {
        makeCurrent();
        renderFrame();
        doneCurrent();
        return;
    }
    update();
}

void MpvVideoWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    QOpenGLWindow::mouseDoubleClickEvent(event);
}
