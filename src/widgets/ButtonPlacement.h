#pragma once

// Where a picture button stands and what it shows: its control name (also its Qt object name),
// tool tip, icon name and its rectangle in twips.
struct ButtonPlacement
{
    const char* name;
    const char* toolTip;
    const char* icon;
    int left;
    int top;
    int width;
    int height;
};
