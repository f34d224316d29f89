#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QWidget>

// The program's top-level windows of that name, visible or not.
inline QWidgetList windowsNamed(const QString& name)
{
    QWidgetList found;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == name)
            found << window;
    }
    return found;
}

// Clicks a button of the window with the mouse, the way the user does.
inline void click(QWidget* window, const QString& button)
{
    auto* target = window->findChild<QAbstractButton*>(button);
    QVERIFY2(target, qPrintable(button));
    QTest::mouseClick(target, Qt::LeftButton);
}

// Buttons named in a text separated by blanks, "name*3" for three clicks in a row.
inline void clickAll(QWidget* window, const QString& steps)
{
    for (const QString& step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList parts = step.split(QLatin1Char('*'));
        const int times = parts.size() > 1 ? parts[1].toInt() : 1;
        for (int i = 0; i < times; ++i)
            click(window, parts[0]);
    }
}

// Every control stands inside the window, and every text has room in its box.
inline void verifyControlsFit(const QWidget* window)
{
    for (const QWidget* control : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QString name = control->objectName();
        QVERIFY2(window->rect().contains(control->geometry()), qPrintable(name));
        if (const auto* label = qobject_cast<const QLabel*>(control); label && !label->text().isEmpty())
            QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(name));
        if (const auto* button = qobject_cast<const QAbstractButton*>(control);
            button && !button->text().isEmpty())
            QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(name));
    }
}
