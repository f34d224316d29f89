#include "sound/SoundViews.h"

#include "common/SettingsStore.h"
#include "player/MoviePlayer.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace {
struct ViewEntry
{
    SoundView view;
    const char* menuEntry;
    const char* stored; // its word in the settings store
    bool needsTwoChannels;
};

// clang-format off
constexpr ViewEntry entries[] = {
    {SoundView::BothChannels,  "mnuViewBothChannels",  "both",           false},
    {SoundView::LeftOnly,      "mnuViewLeftOnly",      "left",           true},
    {SoundView::RightOnly,     "mnuViewRightOnly",     "right",          true},
    {SoundView::Mono,          "mnuViewMono",          "mono",           true},
    {SoundView::WithoutCentre, "mnuViewWithoutCentre", "without-centre", true},
    {SoundView::BassOnly,      "mnuViewBassOnly",      "bass",           false},
    {SoundView::WithoutBass,   "mnuViewWithoutBass",   "without-bass",   false},
};
// clang-format on

const QString settingKey = QStringLiteral("SoundView");

const ViewEntry& entryOf(SoundView view)
{
    for (const ViewEntry& entry : entries) {
        if (entry.view == view)
            return entry;
    }
    return entries[0];
}
} // namespace

SoundViews::SoundViews(MoviePlayer& player, SettingsStore& settings, QObject* parent)
    : QObject(parent), m_player(player), m_settings(settings)
{
    const QString stored = settings.text(settingKey, QString::fromLatin1(entries[0].stored));
    for (const ViewEntry& entry : entries) {
        if (stored == QLatin1String(entry.stored))
            m_view = entry.view;
    }
    m_player.SetSoundView(m_view);
}

void SoundViews::choose(SoundView view)
{
    m_view = view;
    m_player.SetSoundView(view);
    m_settings.setText(settingKey, QString::fromLatin1(entryOf(view).stored));
}

QStringList SoundViews::showIn(QMenu& submenu)
{
    QStringList missing;
    auto* group = new QActionGroup(&submenu);
    for (const ViewEntry& entry : entries) {
        if (auto* action = submenu.findChild<QAction*>(QLatin1String(entry.menuEntry))) {
            action->setCheckable(true);
            group->addAction(action);
        } else {
            missing << QString::fromLatin1(entry.menuEntry);
        }
    }
    m_noteSeparator = submenu.addSeparator();
    m_oneChannelNote = submenu.addAction(QStringLiteral("This movie's sound has one channel"));
    m_oneChannelNote->setObjectName(QStringLiteral("mnuViewOneChannel"));
    m_oneChannelNote->setEnabled(false);
    connect(&submenu, &QMenu::aboutToShow, this, [this, &submenu] { submenu_aboutToShow(submenu); });
    submenu_aboutToShow(submenu);
    return missing;
}

void SoundViews::submenu_aboutToShow(QMenu& submenu)
{
    const bool oneChannel = m_player.Duration() > 0 && !m_player.HasTwoSoundChannels();
    for (const ViewEntry& entry : entries) {
        if (auto* action = submenu.findChild<QAction*>(QLatin1String(entry.menuEntry))) {
            action->setChecked(entry.view == m_view);
            action->setEnabled(!(oneChannel && entry.needsTwoChannels));
        }
    }
    m_noteSeparator->setVisible(oneChannel);
    m_oneChannelNote->setVisible(oneChannel);
}
