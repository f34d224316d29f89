#pragma once

#include <QString>

// The way the program writes a time: "H:MM:SS:CC", every field truncated, never rounded.
// 75.25 -> "0:01:15:25", 59.996 -> "0:00:59:99". Negative times are written as 0.
QString TimeText(double seconds);
