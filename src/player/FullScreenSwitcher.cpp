#include "player/FullScreenSwitcher.h"

#include <QEvent>
#include <QLayout>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWidget>

namespace {

void paintBlack(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::black);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

FullScreenSwitcher::FullScreenSwitcher(QWidget* content, QObject* parent)
    : QObject(parent), m_content(content)
{}

FullScreenSwitcher::~FullScreenSwitcher()
{
    if (m_window == nullptr)
        return;
    putBackInPlace();
    delete m_window;
}

void FullScreenSwitcher::enter()
{
    if (m_content == nullptr)
        return;
    if (m_window != nullptr) {
        m_window->raise();
        m_window->activateWindow();
        return;
    }
    QScreen* screen = m_content->screen();
    m_home = m_content->parentWidget();
    m_homeGeometry = m_content->geometry();
    m_wasVisible = !m_content->isHidden();
    m_standInLaidOut = false;
    if (m_home != nullptr)
        m_standIn = makeStandIn(m_home);

    auto* window = new QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window->setWindowTitle(m_content->window()->windowTitle());
    paintBlack(window);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_content);
    m_content->show();
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), window), &QShortcut::activated, this,
            &FullScreenSwitcher::leave);
    window->installEventFilter(this);
    if (screen != nullptr)
        window->setGeometry(screen->geometry());
    m_window = window;
    window->showFullScreen();
    window->raise();
    window->activateWindow();
}

QWidget* FullScreenSwitcher::makeStandIn(QWidget* home)
{
    // The stand-in holds the content's place (a black area) while the content is away.
    auto* standIn = new QWidget(home);
    paintBlack(standIn);
    standIn->setSizePolicy(m_content->sizePolicy());
    standIn->setMinimumSize(m_content->minimumSize());
    standIn->setMaximumSize(m_content->maximumSize());
    if (home->layout() != nullptr) {
        if (QLayoutItem* old = home->layout()->replaceWidget(m_content, standIn)) {
            delete old;
            m_standInLaidOut = true;
            return standIn;
        }
    }
    standIn->setGeometry(m_homeGeometry);
    standIn->stackUnder(m_content);
    standIn->setVisible(m_wasVisible);
    return standIn;
}

void FullScreenSwitcher::leave()
{
    if (m_window == nullptr)
        return;
    putBackInPlace();
    QWidget* window = m_window;
    m_window = nullptr;
    window->removeEventFilter(this);
    window->hide();
    // Esc and the close button reach us from inside the window's own event handling.
    window->deleteLater();
}

void FullScreenSwitcher::putBackInPlace()
{
    if (m_content != nullptr) {
        m_content->setParent(m_home);
        if (m_home != nullptr && m_standInLaidOut && m_standIn != nullptr && m_home->layout() != nullptr) {
            delete m_home->layout()->replaceWidget(m_standIn, m_content);
        } else {
            m_content->setGeometry(m_homeGeometry);
            if (m_standIn != nullptr)
                m_content->stackUnder(m_standIn);
        }
        m_content->setVisible(m_wasVisible);
    }
    delete m_standIn;
}

bool FullScreenSwitcher::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Close) {
        event->ignore();
        leave();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
