#pragma once

#include "excerpt/ExcerptText.h"

#include <QString>

// Excerpt files on disk.

// Writes the twelve lines to a new file beside the target and puts it in the target's place only
// once all of it is written, so that a failed save leaves an earlier file there untouched.
// Returns an empty text, or a description of the failure for the user.
QString writeExcerptFile(const QString& path, const Excerpt& excerpt);

// Reads an excerpt file; a file that cannot be opened gives no lines and says why.
ExcerptReading readExcerptFile(const QString& path);
