#pragma once

#include <QImage>
#include <QWidget>

class MpvVideoWindow;
struct mpv_handle;

// The picture area: holds the native window that mpv draws the movie into (MpvVideoWindow), so
// that the main window, or the full-screen window when the area moves there, embeds the picture
// like any other widget. The picture window keeps its GL context when the area changes window.
class MpvVideoWidget : public QWidget
{
    Q_OBJECT

public:
    explicit MpvVideoWidget(QWidget* parent = nullptr);
    ~MpvVideoWidget() override;

    // The core whose picture to show; the renderer is made as soon as the picture can be drawn.
    void attach(mpv_handle* mpv);
    // Frees the renderer and forgets the core; must happen before the core is destroyed.
    void detach();
    bool hasRenderer() const;
    // The window the picture is drawn in, which receives the mouse over the picture.
    QWindow* pictureWindow() const;
    // What the picture window shows now.
    QImage grabPicture() const;

signals:
    // A renderer has just been made; mpv can show video from now on.
    void rendererCreated();
    void doubleClicked();

private:
    MpvVideoWindow* m_window;
};
