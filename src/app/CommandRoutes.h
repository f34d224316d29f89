#pragma once

#include "app/CommandTable.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QWidget;

// What each route name ("tlbCmdOpen", "cmdOpen", "mnuOpen", "htkOpen") runs, from the command
// table. Wiring reports every name that stands for nothing, so that a renamed control or a
// misspelt row cannot leave a command unreachable without a word.
class CommandRoutes
{
public:
    using Action = std::function<void()>;

    CommandRoutes() = default;
    explicit CommandRoutes(std::vector<CommandRow> table);

    // Empty when the route has no action.
    Action actionFor(const QString& routeName) const { return m_actions.value(routeName); }
    const std::vector<CommandRow>& rows() const { return m_rows; }

    // Connects every button that a row names to its action; returns the names of the buttons not
    // found under `root`.
    QStringList connectButtons(QWidget* root) const;

private:
    std::vector<CommandRow> m_rows;
    QHash<QString, Action> m_actions;
};
