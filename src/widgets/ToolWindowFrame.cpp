#include "widgets/ToolWindowFrame.h"

#include "common/Twips.h"

#include <QDialog>

void frameToolWindow(QDialog& window, const QString& name, const QString& title, int widthTwips,
                     int heightTwips)
{
    constexpr int pointSize = 8;
    window.setObjectName(name);
    window.setWindowTitle(title);
    window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint);
    window.setAttribute(Qt::WA_QuitOnClose, false);
    QFont font = window.font();
    font.setPointSize(pointSize);
    window.setFont(font);
    window.setFixedSize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
}
