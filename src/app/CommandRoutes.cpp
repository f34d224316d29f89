#include "app/CommandRoutes.h"

#include <QAbstractButton>
#include <QWidget>

CommandRoutes::CommandRoutes(std::span<const CommandRow> table)
{
    for (const CommandRow& row : table) {
        for (const char* name : {row.toolbarButton, row.screenButton, row.menuEntry, row.hotKey}) {
            if (name)
                add(QString::fromLatin1(name), row.run);
        }
    }
}

void CommandRoutes::add(const QString& routeName, const Action& action)
{
    m_actions.insert(routeName, action);
}

void CommandRoutes::connectButtons(QWidget* root) const
{
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        if (auto* button = root->findChild<QAbstractButton*>(it.key()))
            QObject::connect(button, &QAbstractButton::clicked, button, [action = it.value()] { action(); });
    }
}
