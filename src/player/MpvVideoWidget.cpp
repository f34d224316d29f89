#include "player/MpvVideoWidget.h"

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

MpvVideoWidget::MpvVideoWidget(QWidget* parent) : QOpenGLWidget(parent)
{
    setObjectName(QStringLiteral("MpvVideoWidget"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

MpvVideoWidget::~MpvVideoWidget()
{
    detach();
    // QOpenGLWidget's destructor destroys the context after this object's members are gone.
    if (context() != nullptr)
        disconnect(context(), nullptr, this, nullptr);
}

void MpvVideoWidget::attach(mpv_handle* mpv)
{
    m_mpv = mpv;
    if (context() != nullptr && isValid()) {
        makeCurrent();
        createRenderer();
        doneCurrent();
    }
}

void MpvVideoWidget::detach()
{
    freeRenderer();
    m_mpv = nullptr;
}

void MpvVideoWidget::initializeGL()
{
    // The old context, if any, is gone by now and took the old renderer with it.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &MpvVideoWidget::freeRenderer,
            Qt::DirectConnection);
    createRenderer();
}

// Needs the widget's context current.
void MpvVideoWidget::createRenderer()
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
    mpv_render_context_set_update_callback(renderer, &MpvVideoWidget::onMpvUpdate, this);
    emit rendererCreated();
}

void MpvVideoWidget::freeRenderer()
{
    if (m_renderer == nullptr)
        return;
    // mpv frees its GL objects here, so the context they belong to must be current.
    makeCurrent();
    m_renderer.reset();
    doneCurrent();
}

void MpvVideoWidget::paintGL()
{
    if (m_renderer == nullptr) {
        QOpenGLFunctions* gl = context()->functions();
        gl->glClearColor(0, 0, 0, 1);
        gl->glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    renderFrame();
}

void MpvVideoWidget::renderFrame()
{
    const qreal scale = devicePixelRatioF();
    mpv_opengl_fbo target{static_cast<int>(defaultFramebufferObject()), qRound(width() * scale),
                          qRound(height() * scale), 0};
    int flipY = 1;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_OPENGL_FBO, &target},
                                 {MPV_RENDER_PARAM_FLIP_Y, &flipY},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    mpv_render_context_render(m_renderer.get(), params);
}

void MpvVideoWidget::onMpvUpdate(void* widget)
{
    QMetaObject::invokeMethod(static_cast<MpvVideoWidget*>(widget), &MpvVideoWidget::frameReady,
                              Qt::QueuedConnection);
}

void MpvVideoWidget::frameReady()
{
    if (m_renderer == nullptr)
        return;
    // Qt does not paint a hidden or minimised widget, but mpv waits for each frame it offers to
    // be rendered and would stall playback: render it ourselves then.
    if (!isVisible() || window()->isMinimized()) {
        makeCurrent();
        renderFrame();
        doneCurrent();
        return;
    }
    update();
}

void MpvVideoWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    QOpenGLWidget::mouseDoubleClickEvent(event);
}

// Compiled here rather than with the other classes' meta-objects, so that a program using none of
// the player does not link libmpv.
#include "moc_MpvVideoWidget.cpp"
