#include "excerpt/ExcerptText.h"

#include <array>
#include <charconv>
#include <limits>
#include <optional>

namespace {

struct NumberLine
{
    int Excerpt::*field;
    int minimum;
    int maximum;
};

constexpr int wideMinimum = std::numeric_limits<qint32>::min();
constexpr int wideMaximum = std::numeric_limits<qint32>::max();
constexpr int narrowMinimum = std::numeric_limits<qint16>::min();
constexpr int narrowMaximum = std::numeric_limits<qint16>::max();

// Lines 3 to 12, in file order. The time sliders' numbers are 32-bit; the sound sliders' are
// read back as 16-bit numbers, although their ranges lie far inside that.
const std::array<NumberLine, 10> numberLines{{
    {&Excerpt::positionMaximum, wideMinimum, wideMaximum},
    {&Excerpt::position, wideMinimum, wideMaximum},
    {&Excerpt::beginMaximum, wideMinimum, wideMaximum},
    {&Excerpt::begin, wideMinimum, wideMaximum},
    {&Excerpt::endMaximum, wideMinimum, wideMaximum},
    {&Excerpt::end, wideMinimum, wideMaximum},
    {&Excerpt::tempo, narrowMinimum, narrowMaximum},
    {&Excerpt::pitchSemi, narrowMinimum, narrowMaximum},
    {&Excerpt::pitchGrad, narrowMinimum, narrowMaximum},
    {&Excerpt::speed, narrowMinimum, narrowMaximum},
}};

const QByteArray lineEnd = QByteArrayLiteral("\r\n");
const QByteArray trueText = QByteArrayLiteral("True");
const QByteArray falseText = QByteArrayLiteral("False");

// Gives the lines one by one without their line ends; nothing once the text is used up.
class LineReader
{
public:
    explicit LineReader(const QByteArray& text) : m_text(text) {}

    std::optional<QByteArray> next()
    {
        if (m_start >= m_text.size())
            return std::nullopt;
        qsizetype stop = m_text.indexOf('\n', m_start);
        const qsizetype following = stop < 0 ? m_text.size() : stop + 1;
        if (stop < 0)
            stop = m_text.size();
        QByteArray line = m_text.mid(m_start, stop - m_start);
        m_start = following;
        if (line.endsWith('\r'))
            line.chop(1);
        return line;
    }

private:
    const QByteArray& m_text;
    qsizetype m_start = 0;
};

// A line as a message may quote it: short, and with control characters made visible.
QString quoted(const QByteArray& line)
{
    constexpr qsizetype longest = 40;
    QString text = QString::fromUtf8(line.left(longest));
    for (QChar& character : text) {
        if (character.category() == QChar::Other_Control)
            character = QLatin1Char('?');
    }
    if (line.size() > longest)
        text += QStringLiteral("...");
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString linePrefix(int lineNumber)
{
    return QStringLiteral("Line %1 of the excerpt file").arg(lineNumber);
}

QString endsEarly(int linesRead)
{
    if (linesRead == 0)
        return QStringLiteral("The excerpt file is empty.");
    return QStringLiteral("The excerpt file ends after line %1; it should have %2 lines.")
        .arg(linesRead)
        .arg(excerptLineCount);
}

// Empty when the line holds a whole number that fits the rule, otherwise what is wrong with it.
// Blanks around the number are allowed.
QString readNumber(const QByteArray& line, int lineNumber, const NumberLine& rule, int& value)
{
    const QByteArray digits = line.trimmed();
    const char* first = digits.constData();
    const char* last = first + digits.size();
    long long number = 0;
    const auto [stop, problem] = std::from_chars(first, last, number);
    if (problem == std::errc::invalid_argument || stop != last)
        return QStringLiteral("%1 is %2, which is not a whole number.")
            .arg(linePrefix(lineNumber), quoted(line));
    const bool negative = digits.startsWith('-');
    const bool outOfRange = problem == std::errc::result_out_of_range;
    if ((outOfRange && !negative) || number > rule.maximum)
        return QStringLiteral("%1 holds %2, more than the largest number allowed there, %3.")
            .arg(linePrefix(lineNumber), QString::fromLatin1(digits))
            .arg(rule.maximum);
    if (outOfRange || number < rule.minimum)
        return QStringLiteral("%1 holds %2, less than the smallest number allowed there, %3.")
            .arg(linePrefix(lineNumber), QString::fromLatin1(digits))
            .arg(rule.minimum);
    value = static_cast<int>(number);
    return {};
}

} // namespace

QByteArray excerptText(const Excerpt& excerpt)
{
    QByteArray text = excerpt.moviePath.toUtf8() + lineEnd;
    text += (excerpt.loopPlay ? trueText : falseText) + lineEnd;
    for (const NumberLine& rule : numberLines)
        text += QByteArray::number(excerpt.*rule.field) + lineEnd;
    return text;
}

ExcerptReading readExcerptText(const QByteArray& text)
{
    ExcerptReading reading;
    LineReader lines(text);
    const auto stopWith = [&reading](const QString& error) {
        reading.error = error;
        return reading;
    };

    std::optional<QByteArray> line = lines.next();
    if (!line)
        return stopWith(endsEarly(0));
    reading.excerpt.moviePath = QString::fromUtf8(*line);
    reading.linesRead = 1;

    line = lines.next();
    if (!line)
        return stopWith(endsEarly(1));
    const QByteArray flag = line->trimmed().toLower();
    if (flag != trueText.toLower() && flag != falseText.toLower())
        return stopWith(
            QStringLiteral("%1 is %2, which is neither True nor False.").arg(linePrefix(2), quoted(*line)));
    reading.excerpt.loopPlay = flag == trueText.toLower();
    reading.linesRead = 2;

    for (const NumberLine& rule : numberLines) {
        line = lines.next();
        if (!line)
            return stopWith(endsEarly(reading.linesRead));
        const QString error = readNumber(*line, reading.linesRead + 1, rule, reading.excerpt.*rule.field);
        if (!error.isEmpty())
            return stopWith(error);
        ++reading.linesRead;
    }
    return reading;
}
