#pragma once

#include "app/Command.h"
#include "app/CommandRoute.h"

#include <QHash>
#include <QString>

#include <functional>
#include <span>

class QWidget;

// The action behind each route name ("tlbCmdOpen", "cmdOpen", "mnuOpen", "htkOpen"), from the
// command catalogue and the actions the owners supply. A route whose action has no owner yet
// has no action, so its menu entry and hot key are left out rather than doing nothing.
class CommandRoutes
{
public:
    using Action = std::function<void()>;

    CommandRoutes() = default;
    CommandRoutes(std::span<const CommandRoute> catalogue, const QHash<Command, Action>& actions);

    void add(const QString& routeName, const Action& action);
    // Empty when the route has no action.
    Action actionFor(const QString& routeName) const { return m_actions.value(routeName); }

    // Connects every button under `root` that a route names to its action.
    void connectButtons(QWidget* root) const;

private:
    QHash<QString, Action> m_actions;
};
