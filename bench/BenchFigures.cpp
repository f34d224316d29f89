#include "BenchFigures.h"

#include <QJsonArray>
#include <QJsonValue>

namespace {
constexpr int labelWidth = 34, cellWidth = 12;

// JSON has no NaN: a figure that could not be measured is null.
QJsonValue number(double value)
{
    return std::isfinite(value) ? QJsonValue(value) : QJsonValue();
}

QJsonArray numbers(const std::vector<double>& values)
{
    QJsonArray array;
    for (const double value : values)
        array.append(number(value));
    return array;
}

QString cell(double value, int decimals)
{
    return std::isfinite(value) ? QString::number(value, 'f', decimals) : QStringLiteral("n/a");
}

QStringList cells(Comparison figure, int decimals)
{
    return {cell(figure.ours, decimals), cell(figure.mpv, decimals), cell(figure.ours / figure.mpv, 2)};
}

QString listText(const std::vector<double>& values, int decimals)
{
    QStringList texts;
    for (const double value : values)
        texts << cell(value, decimals);
    return texts.isEmpty() ? QStringLiteral("none") : texts.join(' ');
}

QJsonObject spreadJson(const SyncSpread& spread)
{
    return {{"median", number(spread.medianMs)},
            {"p5", number(spread.lowMs)},
            {"p95", number(spread.highMs)},
            {"within_30ms", number(spread.withinThirtyMs)},
            {"settled_after_seek_or_wrap", numbers(spread.settledMs)},
            {"offsets", numbers(spread.offsetsMs)}};
}

QString spreadText(const SyncSpread& spread)
{
    return QStringLiteral(
               "median %1, 90 % within %2..%3, %4 % within 30 ms; 300 ms after each seek or wrap: %5")
        .arg(cell(spread.medianMs, 1), cell(spread.lowMs, 1), cell(spread.highMs, 1),
             cell(100 * spread.withinThirtyMs, 0), listText(spread.settledMs, 0));
}

QJsonObject inserted(QJsonObject object, QStringList path, const QJsonValue& value)
{
    const QString key = path.takeFirst();
    object.insert(key, path.isEmpty() ? value : inserted(object.value(key).toObject(), path, value));
    return object;
}
} // namespace

void BenchFigures::insert(const QStringList& path, const QJsonValue& value)
{
    m_json = inserted(m_json, path, value);
}

void BenchFigures::row(const QString& label, const QStringList& cells)
{
    QString line = label.leftJustified(labelWidth);
    for (const QString& text : cells)
        line += text.rightJustified(cellWidth);
    m_lines << line;
}

void BenchFigures::add(const QStringList& path, const QString& label, Comparison figure, int decimals)
{
    insert(path, QJsonObject{{"ours", number(figure.ours)}, {"mpv", number(figure.mpv)}});
    row(label, cells(figure, decimals));
}

void BenchFigures::add(const QStringList& path, const QString& label, double value, int decimals)
{
    insert(path, number(value));
    row(label, {cell(value, decimals)});
}

void BenchFigures::addList(const QStringList& path, const QString& label, const std::vector<double>& values,
                           int decimals)
{
    insert(path, numbers(values));
    m_lines << QStringLiteral("  %1: %2").arg(label, listText(values, decimals));
}

void BenchFigures::addSpreads(const QStringList& path, const QString& phase, const SyncSpread& ours,
                              const SyncSpread& mpv)
{
    insert(path + QStringList{"ours"}, spreadJson(ours));
    insert(path + QStringList{"mpv"}, spreadJson(mpv));
    row(QStringLiteral("avsync median, %1 (ms)").arg(phase), cells({ours.medianMs, mpv.medianMs}, 1));
    m_lines << QStringLiteral("  our sound after picture, %1 (ms): %2").arg(phase, spreadText(ours))
            << QStringLiteral("  mpv's sound after picture, %1 (ms): %2").arg(phase, spreadText(mpv));
}

QString BenchFigures::table() const
{
    QString header = QStringLiteral("figure").leftJustified(labelWidth);
    for (const char* column : {"ours", "mpv", "ours/mpv"})
        header += QString::fromLatin1(column).rightJustified(cellWidth);
    return (QStringList{header} + m_lines).join('\n') + '\n';
}
