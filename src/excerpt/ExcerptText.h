#pragma once

#include "excerpt/Excerpt.h"

#include <QByteArray>
#include <QString>

// The text of an excerpt file: twelve lines ending in CR LF, the movie path in UTF-8, then
// "True" or "False", then ten decimal whole numbers. Pure conversions, apart from any file.

// The file's lines, counted from 1.
constexpr int excerptLineCount = 12;

QByteArray excerptText(const Excerpt& excerpt);

// What reading found: the values of the first `linesRead` lines (the rest keep their defaults)
// and, when the text stopped being an excerpt before line 12, why, naming the line.
struct ExcerptReading
{
    Excerpt excerpt;
    int linesRead = 0;
    QString error;
};

// Reads line by line and stops at the first line that is missing or not of its form. Lines may
// end in CR LF or LF alone; the twelfth needs no line end, and anything after it is ignored.
ExcerptReading readExcerptText(const QByteArray& text);
