#include "BenchFigures.h"

#include <QJsonArray>
#include <QJsonValue>
#include <QStringList>
#include <QTextStream>

namespace {
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

QJsonObject comparison(const Comparison& figure)
{
    return {{"ours", number(figure.ours)}, {"mpv", number(figure.mpv)}};
}

Comparison figureOf(const std::map<QString, Comparison>& figures, const QString& key)
{
    const auto found = figures.find(key);
    return found != figures.end() ? found->second : Comparison{};
}

QJsonObject comparisons(const std::map<QString, Comparison>& figures)
{
    QJsonObject object;
    for (const auto& [key, figure] : figures)
        object.insert(key, comparison(figure));
    return object;
}

QJsonObject singles(const std::map<QString, double>& figures)
{
    QJsonObject object;
    for (const auto& [key, value] : figures)
        object.insert(key, number(value));
    return object;
}

QJsonObject lists(const std::map<QString, std::vector<double>>& figures)
{
    QJsonObject object;
    for (const auto& [key, values] : figures)
        object.insert(key, numbers(values));
    return object;
}

QJsonObject syncSpread(const SyncSpread& spread)
{
    return {{"median", number(spread.medianMs)},
            {"p5", number(spread.lowMs)},
            {"p95", number(spread.highMs)},
            {"within_30ms", number(spread.withinThirtyMs)},
            {"settled_after_seek_or_wrap", numbers(spread.settledMs)},
            {"offsets", numbers(spread.offsetsMs)}};
}

QJsonObject syncSpreads(const std::map<QString, SyncSpread>& ours, const std::map<QString, SyncSpread>& mpv)
{
    QJsonObject object;
    for (const auto& [key, spread] : ours)
        object.insert(key, QJsonObject{{"ours", syncSpread(spread)}});
    for (const auto& [key, spread] : mpv) {
        QJsonObject both = object.value(key).toObject();
        both.insert("mpv", syncSpread(spread));
        object.insert(key, both);
    }
    return object;
}

QString listText(const std::vector<double>& values, int decimals = 0)
{
    QStringList texts;
    for (const double value : values)
        texts << QString::number(value, 'f', decimals);
    return texts.isEmpty() ? QStringLiteral("none") : texts.join(' ');
}

QString cell(double value, int decimals)
{
    return std::isfinite(value) ? QString::number(value, 'f', decimals) : QStringLiteral("n/a");
}
} // namespace

QJsonObject BenchFigures::toJson() const
{
    QJsonObject cpu;
    for (const auto& [key, figure] : cpuPerSecond)
        cpu.insert(key, comparison(figure));
    QJsonObject pitch;
    for (const auto& [key, cents] : pitchErrorCents)
        pitch.insert(key, number(cents));
    return {
        {"startup_ms", comparison(startupMs)},
        {"cold_start_ms", comparison(coldStartMs)},
        {"seek_ms", comparison(seekMs)},
        {"peak_rss_mb", comparison(peakRssMb)},
        {"cpu_per_s", cpu},
        {"decode_floor_cpu_per_s", number(decodeFloorCpuPerSecond)},
        {"loop_overshoot_ms", number(loopOvershootMs)},
        {"loop_restart_ms", number(loopRestartMs)},
        {"loop_avsync_ms", number(loopAvsyncMs)},
        {"pitch_error_cents", pitch},
        {"duration_error_ms", number(durationErrorMs)},
        {"windowed_cpu_per_s", comparison(figureOf(windowedCpuPerSecond, "360p"))},
        {"windowed_cpu_per_s_1080p", comparison(figureOf(windowedCpuPerSecond, "1080p"))},
        {"seek_ms_by_clip", comparisons(seekMsByClip)},
        {"avsync_after_seek_ms", singles(avsyncAfterSeeksMs)},
        {"loop_gap_ms", comparisons(loopGapMs)},
        {"loop_gaps_per_wrap_ms", QJsonObject{{"ours", lists(loopGapsOurs)}, {"mpv", lists(loopGapsMpv)}}},
        {"loop_click_ratio", comparisons(loopClickRatio)},
        {"loop_clicks_per_wrap", QJsonObject{{"ours", lists(loopClicksOurs)}, {"mpv", lists(loopClicksMpv)}}},
        {"avsync_ms", syncSpreads(avsyncOurs, avsyncMpv)}};
}

QString BenchFigures::toTable() const
{
    QString text;
    QTextStream out(&text);
    const auto row = [&out](const QString& name, const Comparison& figure, int decimals) {
        out << qSetFieldWidth(34) << Qt::left << name << qSetFieldWidth(12) << Qt::right
            << cell(figure.ours, decimals) << cell(figure.mpv, decimals) << cell(figure.ours / figure.mpv, 2)
            << qSetFieldWidth(0) << '\n';
    };
    const auto single = [&out](const QString& name, double value, int decimals) {
        out << qSetFieldWidth(34) << Qt::left << name << qSetFieldWidth(12) << Qt::right
            << cell(value, decimals) << qSetFieldWidth(0) << '\n';
    };
    out << qSetFieldWidth(34) << Qt::left << "figure" << qSetFieldWidth(12) << Qt::right << "ours"
        << "mpv"
        << "ours/mpv" << qSetFieldWidth(0) << '\n';
    row("start-up to first report (ms)", startupMs, 1);
    row("cold start to first frame (ms)", coldStartMs, 1);
    row("seek to first report (ms)", seekMs, 1);
    for (const auto& [key, figure] : cpuPerSecond)
        row("CPU s per s, " + key, figure, 3);
    row("peak memory (MB)", peakRssMb, 1);
    single("CPU s per s, decoding alone", decodeFloorCpuPerSecond, 3);
    single("loop overshoot (ms)", loopOvershootMs, 1);
    single("loop restart (ms)", loopRestartMs, 1);
    single("avsync after wraps (ms)", loopAvsyncMs, 1);
    for (const auto& [key, cents] : pitchErrorCents)
        single("pitch error, " + key + " (cents)", cents, 3);
    single("output duration error (ms)", durationErrorMs, 1);
    for (const auto& [key, figure] : windowedCpuPerSecond)
        row("CPU s per s, windowed, " + key, figure, 3);
    for (const auto& [key, figure] : seekMsByClip)
        row("seek, " + key + " (ms)", figure, 1);
    for (const auto& [key, value] : avsyncAfterSeeksMs)
        single("avsync after seeks, " + key + " (ms)", value, 1);
    for (const auto& [key, figure] : loopGapMs)
        row("loop gap, " + key + " (ms)", figure, 1);
    for (const auto& [key, gaps] : loopGapsOurs)
        out << "  our gaps per wrap, " << key << " (ms): " << listText(gaps) << '\n';
    for (const auto& [key, gaps] : loopGapsMpv)
        out << "  mpv gaps per wrap, " << key << " (ms): " << listText(gaps) << '\n';
    for (const auto& [key, figure] : loopClickRatio)
        row("loop click ratio, " + key, figure, 1);
    for (const auto& [key, ratios] : loopClicksOurs)
        out << "  our clicks per wrap, " << key << ": " << listText(ratios, 1) << '\n';
    for (const auto& [key, ratios] : loopClicksMpv)
        out << "  mpv clicks per wrap, " << key << ": " << listText(ratios, 1) << '\n';
    const auto spreads = [&](const char* who, const std::map<QString, SyncSpread>& figures) {
        for (const auto& [key, spread] : figures)
            out << "  " << who << " sound after picture, " << key << " (ms): median "
                << cell(spread.medianMs, 1) << ", 90 % within " << cell(spread.lowMs, 1) << ".."
                << cell(spread.highMs, 1) << ", " << cell(100 * spread.withinThirtyMs, 0)
                << " % within 30 ms; 300 ms after each seek or wrap: " << listText(spread.settledMs) << '\n';
    };
    for (const auto& [key, spread] : avsyncOurs)
        row("avsync median, " + key + " (ms)",
            {spread.medianMs, avsyncMpv.contains(key) ? avsyncMpv.at(key).medianMs : std::nan("")}, 1);
    single("avsync recording's drift (ms)", avsyncRecordingDriftMs, 2);
    spreads("our", avsyncOurs);
    spreads("mpv", avsyncMpv);
    return text;
}
