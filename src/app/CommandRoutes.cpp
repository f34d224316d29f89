#include "app/CommandRoutes.h"

#include <QAbstractButton>
#include <QWidget>

CommandRoutes::CommandRoutes(std::span<const CommandRoute> catalogue, const QHash<Command, Action>& actions)
{
    for (const CommandRoute& route : catalogue) {
        const Action action = actions.value(route.command);
        if (!action)
            continue;
        for (const char* name : {route.toolbarButton, route.screenButton, route.menuEntry, route.hotKey}) {
            if (name)
                add(QString::fromLatin1(name), action);
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
