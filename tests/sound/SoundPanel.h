#pragma once

#include "fakes/MainWindowRig.h"
#include "sound/SoundSliderView.h"

// The sound panel of a main window on the given player.
template <typename Player> struct SoundPanelWith : MainWindowRigWith<Player>, SoundSliderView
{
    template <typename... PlayerArguments>
    explicit SoundPanelWith(PlayerArguments&&... arguments)
        : MainWindowRigWith<Player>(std::forward<PlayerArguments>(arguments)...), SoundSliderView(this->window)
    {}

    using SoundSliderView::slider;
};

using SoundPanel = SoundPanelWith<FakeMoviePlayer>;
