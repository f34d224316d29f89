#pragma once

#include "app/CommandTable.h"

#include <QHash>
#include <QString>

#include <functional>
#include <span>

class QWidget;

// What each route name ("tlbCmdOpen", "cmdOpen", "mnuOpen", "htkOpen") runs, from the command
// table. A name that no row routes has no action, so its menu entry and hot key are left out
// rather than doing nothing.
class CommandRoutes
{
public:
    using Action = std::function<void()>;

    CommandRoutes() = default;
    explicit CommandRoutes(std::span<const CommandRow> table);

    void add(const QString& routeName, const Action& action);
    // Empty when the route has no action.
    Action actionFor(const QString& routeName) const { return m_actions.value(routeName); }

    // Connects every button under `root` that a route names to its action.
    void connectButtons(QWidget* root) const;

private:
    QHash<QString, Action> m_actions;
};
