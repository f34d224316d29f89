#include "widgets/PictureButton.h"

#include "common/Twips.h"

#include <QToolButton>

QIcon buttonIcon(const char* name)
{
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

QToolButton* addPictureButton(QWidget* parent, const ButtonPlacement& placement, int iconPixels)
{
    auto* button = new QToolButton(parent);
    const QString toolTip = QString::fromUtf8(placement.toolTip);
    button->setObjectName(QString::fromLatin1(placement.name));
    button->setToolTip(toolTip);
    button->setAccessibleName(toolTip);
    button->setIcon(buttonIcon(placement.icon));
    button->setIconSize(QSize(iconPixels, iconPixels));
    button->setGeometry(twipsRect(placement.left, placement.top, placement.width, placement.height));
    return button;
}

QList<QToolButton*> addPictureButtons(QWidget* parent, std::span<const ButtonPlacement> placements,
                                      int iconPixels)
{
    QList<QToolButton*> buttons;
    for (const ButtonPlacement& placement : placements)
        buttons << addPictureButton(parent, placement, iconPixels);
    return buttons;
}
