#include "player/MpvVideoWidget.h"

#include "player/MpvVideoWindow.h"

#include <QVBoxLayout>

MpvVideoWidget::MpvVideoWidget(QWidget* parent) : QWidget(parent), m_window(new MpvVideoWindow)
{
    setObjectName(QStringLiteral("MpvVideoWidget"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // Black until the picture window first draws.
    setAutoFillBackground(true);
    setPalette(QPalette(Qt::black));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The container owns the picture window from here on.
    layout->addWidget(QWidget::createWindowContainer(m_window, this));
    connect(m_window, &MpvVideoWindow::rendererCreated, this, &MpvVideoWidget::rendererCreated);
    connect(m_window, &MpvVideoWindow::doubleClicked, this, &MpvVideoWidget::doubleClicked);
}

MpvVideoWidget::~MpvVideoWidget()
{
    // The renderer goes while the core that the player owns is still there.
    m_window->detach();
}

void MpvVideoWidget::attach(mpv_handle* mpv)
{
    m_window->attach(mpv);
}

void MpvVideoWidget::detach()
{
    m_window->detach();
}

bool MpvVideoWidget::hasRenderer() const
{
    return m_window->hasRenderer();
}

QWindow* MpvVideoWidget::pictureWindow() const
{
    return m_window;
}

QImage MpvVideoWidget::grabPicture() const
{
    return m_window->grabFramebuffer();
}

// Compiled here rather than with the other classes' meta-objects, so that a program using none of
// the player does not link libmpv.
#include "moc_MpvVideoWidget.cpp"
