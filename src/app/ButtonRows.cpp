#include "app/ButtonRows.h"

#include "widgets/PictureButton.h"

#include <QToolButton>

namespace {
constexpr int toolbarTop = 480;

// clang-format off
constexpr ButtonPlacement toolbarRow[] = {
    {"tlbCmdOpen",           "Open audio file (Alt+O)",                          "open",            270,  toolbarTop, 300, 345},
    {"tlbCmdLoadExcerpt",    "Load excerpt (Ctrl+L)",                            "load-excerpt",    616,  toolbarTop, 300, 345},
    {"tlbCmdSaveExcerpt",    "Save excerpt (Ctrl+S)",                            "save-excerpt",    962,  toolbarTop, 300, 345},
    {"tlbCmdPause",          "Pause (Alt+Spacebar)",                             "pause",           1308, toolbarTop, 300, 345},
    {"tlbCmdRewind",         "5 seconds back (Alt+Left Arrow)",                  "rewind",          1654, toolbarTop, 300, 345},
    {"tlbCmdLoopWinBack",    "loop window 1 second back (Shift+Left arrow)",     "loop-back",       2000, toolbarTop, 300, 345},
    {"tlbCmdStop",           "Stop (Alt+Backspace)",                             "stop",            2346, toolbarTop, 300, 345},
    {"tlbCmdLoopWinForward", "loop window 1 second forward (Shift+Right arrow)", "loop-forward",    2692, toolbarTop, 300, 345},
    {"tlbCmdFForward",       "5 seconds forward (Alt+Right Arrow)",              "fforward",        3038, toolbarTop, 300, 345},
    {"tlbCmdPlayLoop",       "Play loop (Alt+L)",                                "play-loop",       3384, toolbarTop, 300, 345},
    {"tlbCmdPlay",           "Play (Alt+P)",                                     "play",            3730, toolbarTop, 300, 345},
    {"tlbCmdResize",         "Full screen (Alt+Tab)",                            "fullscreen",      4076, toolbarTop, 300, 345},
    {"tlbCmdSnapshot",       "Snapshot (Alt+S)",                                 "snapshot",        4422, toolbarTop, 300, 345},
    {"tlbCmdSnapshotFolder", "Choose snapshot location and format",              "snapshot-folder", 4768, toolbarTop, 300, 345},
    {"cmdKeyCalc",           "Transpose calculator",                             "key-calc",        5114, toolbarTop, 300, 345},
    {"cmdMovieSpeedCalc",    "Movie duration calculator",                        "movie-calc",      5460, toolbarTop, 300, 345},
    {"cmdHelp",              "Help",                                             "help",            5806, toolbarTop, 300, 330},
    {"cmdAbout",             "Help",                                             "about",           6152, toolbarTop, 300, 330},
};

constexpr int transportTop = 7695;
constexpr ButtonPlacement transportRow[] = {
    {"cmdOpen",           "OPEN (ALT+O)",                                     "open",         180,  transportTop, 600, 645},
    {"cmdPause",          "PAUSE (ALT+SPACEBAR)",                             "pause",        795,  transportTop, 600, 645},
    {"cmdRewind",         "5 SECONDS BACK (ALT+LEFT ARROW)",                  "rewind",       1455, transportTop, 600, 645},
    {"cmdLoopWinBack",    "LOOP WINDOW 1 SECOND BACK (SHIFT+LEFT ARROW)",     "loop-back",    2085, transportTop, 600, 645},
    {"cmdStop",           "STOP (ALT+BACKSPACE)",                             "stop",         2715, transportTop, 600, 645},
    {"cmdLoopWinForward", "LOOP WINDOW 1 SECOND FORWARD (SHIFT+RIGHT ARROW)", "loop-forward", 3360, transportTop, 600, 645},
    {"cmdFForward",       "5 SECONDS FORWARD (ALT+RIGHT ARROW)",              "fforward",     3990, transportTop, 600, 645},
    {"cmdPlayLoop",       "PLAY LOOP (ALT+L)",                                "play-loop",    4620, transportTop, 600, 645},
    {"cmdPlay",           "PLAY (ALT+P)",                                     "play",         5265, transportTop, 600, 645},
    {"cmdSnapshot",       "SNAPSHOT (ALT+S)",                                 "snapshot",     5895, transportTop, 600, 645},
};

// Lies below the visible client area, so users cannot reach it; its command stays routable.
constexpr ButtonPlacement windowedButton =
    {"tlbCmdWindowed", "In window (Esc)", "windowed", 270, 9045, 300, 345};
// clang-format on

constexpr int toolbarIconPixels = 16;
constexpr int transportIconPixels = 28;
} // namespace

void buildToolbarRow(QWidget* parent)
{
    // Flat until pointed at, like the buttons of a toolbar.
    for (QToolButton* button : addPictureButtons(parent, toolbarRow, toolbarIconPixels))
        button->setAutoRaise(true);
    addPictureButton(parent, windowedButton, toolbarIconPixels)->hide();
}

void buildTransportRow(QWidget* parent)
{
    addPictureButtons(parent, transportRow, transportIconPixels);
}
