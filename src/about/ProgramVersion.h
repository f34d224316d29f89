#pragma once

#include <QString>

// The program's version: three numbers, set once in the build.
struct ProgramVersion
{
    int major = 0;
    int minor = 0;
    int revision = 0;

    // The version of this build.
    static ProgramVersion current();

    // "Version 2.5.0": each number in plain decimal, without leading zeros.
    QString versionText() const;
};
