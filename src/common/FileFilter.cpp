#include "common/FileFilter.h"

#include <QRegularExpression>
#include <QStringList>

namespace {
QString qtPatterns(const QString& patterns)
{
    QStringList result;
    for (const QString& pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = pattern.trimmed();
        if (!trimmed.isEmpty())
            result << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
    }
    return result.join(QLatin1Char(' '));
}

// "DVD video files (*.vob)" -> "DVD video files": Qt reads the patterns from the last brackets,
// so a description that shows them already would otherwise show them twice.
QString withoutTrailingPatterns(const QString& description)
{
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*[*?][^()]*\\)\\s*$"));
    return QString(description).remove(trailingPatterns).trimmed();
}
} // namespace

QString qtFileDialogFilter(const QString& pipeSeparated)
{
    const QStringList fields = pipeSeparated.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        const QString patterns = qtPatterns(fields.at(i + 1));
        if (patterns.isEmpty())
            continue;
        QString description = withoutTrailingPatterns(fields.at(i));
        if (description.isEmpty())
            description = patterns;
        entries << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return entries.join(QStringLiteral(";;"));
}
