#include "app/CommandRoutes.h"

#include <QAbstractButton>
#include <QWidget>

CommandRoutes::CommandRoutes(std::vector<CommandRow> table) : m_rows(std::move(table))
{
    for (const CommandRow& row : m_rows) {
        for (const char* name : {row.toolbarButton, row.screenButton, row.menuEntry, row.hotKey.name}) {
            if (name)
                m_actions.insert(QString::fromLatin1(name), row.run);
        }
    }
}

QStringList CommandRoutes::connectButtons(QWidget* root) const
{
    QStringList missing;
    for (const CommandRow& row : m_rows) {
        for (const char* name : {row.toolbarButton, row.screenButton}) {
            if (!name)
                continue;
            if (auto* button = root->findChild<QAbstractButton*>(QString::fromLatin1(name)))
                QObject::connect(button, &QAbstractButton::clicked, button, [action = row.run] { action(); });
            else
                missing << QString::fromLatin1(name);
        }
    }
    return missing;
}
