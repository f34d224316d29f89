#pragma once

#include <QKeyCombination>

// One hot key: the name of its control and the key combination that runs it. Some keys come
// twice on a keyboard (Enter on the main block and on the keypad) and both count.
struct HotKeyBinding
{
    const char* name;
    QKeyCombination keys;
    QKeyCombination twinKeys = QKeyCombination();
};
