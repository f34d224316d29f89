#pragma once

#include "MovieMaker.h"

#include <QString>

// Movies and other files for the tests, in one temporary folder that lives as long as the test
// program. A movie is made once per set of parameters and reused; a path is empty (with a
// warning) when it could not be made.
class TestMedia
{
public:
    using Movie = MovieMaker::Movie;
    static QString movie(const Movie& movie);
    static QString movie() { return TestMedia::movie(Movie{}); }

    // A file of these bytes under this name (in the temporary folder unless absolute).
    static QString file(const QString& name, const QByteArray& contents);
    // Damaged copies of a movie: its first part only, as a download that broke off; or its first
    // bytes intact and everything behind them overwritten with noise.
    static QString cutAt(const QString& moviePath, double fraction);
    static QString noiseBehind(const QString& moviePath, qint64 intactBytes);
    // A copy of a movie (a good one unless given) at this path relative to the temporary folder;
    // folders are made.
    static QString copyAt(const QString& relativePath, const QString& moviePath = movie());

    // A fresh path in the temporary folder for a test to write to; the name says what it is.
    static QString outputPath(const QString& name);
};
