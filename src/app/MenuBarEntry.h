#pragma once

// One row of the menu bar: a menu, an entry of the menu above it, or a separator there; or a
// submenu of that menu, with entries of its own. The key is the Qt object name; captions carry "&"
// before the access letter.
struct MenuBarEntry
{
    enum Kind
    {
        Menu,
        Item,
        Separator,
        Submenu,
        SubmenuItem
    };

    Kind kind;
    const char* key;
    const char* caption = nullptr;
    // The one menu shortcut of the program (F1 on the help contents); null elsewhere.
    const char* shortcut = nullptr;
};
