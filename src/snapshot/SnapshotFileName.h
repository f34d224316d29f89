#pragma once

#include <QtGlobal>

class QDateTime;
class QLocale;
class QString;

// Where a snapshot goes and which Save As filter offers its type, by image format code
// (0 bmp, 1 jpg, 2 png, 3 tif, 4 gif).
namespace SnapshotFileName {

// The file name extension without the point; empty for a code that names no format.
QString extension(qint16 formatCode);
// The one "description|pattern" filter of the format; empty for a code that names no format.
QString saveAsFilter(qint16 formatCode);

// folder + "Snapshot " + the date and time as "MMM-dd-yyyy hh-mm-ss" in the locale + "." +
// extension. A snapshot taken within the same second as an earlier one that is still there gets
// " (2)", " (3)" ... before the point, so it never replaces the user's earlier picture.
QString make(const QString& folder, qint16 formatCode, const QDateTime& takenAt, const QLocale& locale);

} // namespace SnapshotFileName
