#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <cmath>
#include <vector>

// One figure measured for our player and for mpv's command-line player.
struct Comparison
{
    double ours = std::nan("");
    double mpv = std::nan("");
};

// Sound against picture as a viewer sees and hears it, from the flashes on the screen and the beeps
// in the sound of a clip that has both at each whole second: offsets in ms, above 0 when the sound
// comes after the picture.
struct SyncSpread
{
    double medianMs = std::nan("");
    double lowMs = std::nan("");          // 5th percentile
    double highMs = std::nan("");         // 95th percentile
    double withinThirtyMs = std::nan(""); // the fraction of offsets within 30 ms either way
    std::vector<double> offsetsMs;
    // After each seek or loop wrap: the offset at the first flash that comes 300 ms or more after it.
    std::vector<double> settledMs;
};

// What one benchmark run measured: each figure as a value in the JSON at a path of keys and as a
// line of the table, both in the order the figures came in. NaN marks a figure that could not be
// measured (null in the JSON, n/a in the table).
class BenchFigures
{
public:
    // {"ours": .., "mpv": ..}, and a row with both and their ratio.
    void add(const QStringList& path, const QString& label, Comparison figure, int decimals);
    // A single number.
    void add(const QStringList& path, const QString& label, double value, int decimals);
    // A list of values, one per wrap or seek, shown on an indented line.
    void addList(const QStringList& path, const QString& label, const std::vector<double>& values,
                 int decimals);
    // Both players' sound against picture under path + "ours" and "mpv", in a phase of the avsync
    // scenario: a row of their medians and a line each.
    void addSpreads(const QStringList& path, const QString& phase, const SyncSpread& ours,
                    const SyncSpread& mpv);

    const QJsonObject& json() const { return m_json; }
    QString table() const;

private:
    void insert(const QStringList& path, const QJsonValue& value);
    void row(const QString& label, const QStringList& cells);

    QJsonObject m_json;
    QStringList m_lines;
};
