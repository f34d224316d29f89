#include "about/ProgramVersion.h"

// The build hands the numbers of its project version to this file alone.
ProgramVersion ProgramVersion::current()
{
    return {REELQUILL_VERSION_MAJOR, REELQUILL_VERSION_MINOR, REELQUILL_VERSION_PATCH};
}

QString ProgramVersion::versionText() const
{
    return QStringLiteral("Version %1.%2.%3").arg(major).arg(minor).arg(revision);
}
