#include "app/MarksColumnBuilder.h"

#include "common/Twips.h"
#include "widgets/PictureButton.h"

#include <QLabel>
#include <QListWidget>
#include <QToolButton>

namespace {
// clang-format off
constexpr ButtonPlacement buttons[] = {
    {"cmdAddMark",    "Add mark (F5)",                 "mark-add",    6675, 6150, 330, 330},
    {"cmdDeleteMark", "Remove selected mark",          "mark-delete", 6675, 6660, 330, 330},
    {"cmdClearMark",  "Clear all marks and hide list", "mark-clear",  6675, 7125, 330, 330},
};
// clang-format on
constexpr int iconPixels = 16;
} // namespace

MarksColumn buildMarksColumn(QWidget* parent)
{
    MarksColumn column;
    column.lblMark = new QLabel(QStringLiteral("Mark list"), parent);
    column.lblMark->setObjectName(QStringLiteral("lblMark"));
    column.lblMark->setGeometry(twipsRect(6495, 1485, 645, 240));
    // The caption was measured for a narrower font; it may reach right, towards the sound panel,
    // rather than lose its last letters.
    const int captionWidth = column.lblMark->fontMetrics().horizontalAdvance(column.lblMark->text()) + 2;
    if (captionWidth > column.lblMark->width())
        column.lblMark->resize(captionWidth, column.lblMark->height());

    column.lstMark = new QListWidget(parent);
    column.lstMark->setObjectName(QStringLiteral("lstMark"));
    column.lstMark->setToolTip(QStringLiteral("Click list item to play from specified position"));
    column.lstMark->setGeometry(twipsRect(6510, 2070, 645, 3540));
    // A mark ("0:12:34") is as wide as the list itself in the window's font: one point smaller,
    // and without a sideways scroll bar, each mark shows whole.
    QFont markFont = column.lstMark->font();
    markFont.setPointSizeF(markFont.pointSizeF() - 1);
    column.lstMark->setFont(markFont);
    column.lstMark->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    addPictureButtons(parent, buttons, iconPixels);
    const auto button = [parent](const char* name) {
        return parent->findChild<QToolButton*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    };
    column.cmdAddMark = button("cmdAddMark");
    column.cmdDeleteMark = button("cmdDeleteMark");
    column.cmdClearMark = button("cmdClearMark");

    column.lblMark->hide();
    column.lstMark->hide();
    column.cmdDeleteMark->hide();
    column.cmdClearMark->hide();
    return column;
}
