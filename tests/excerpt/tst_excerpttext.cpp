#include "excerpt/ExcerptText.h"

#include <QTest>

Q_DECLARE_METATYPE(Excerpt)

// The excerpt file's text, apart from any file or window.
class ExcerptTextTest : public QObject
{
    Q_OBJECT

    static Excerpt excerpt(const QString& path, bool loop, QList<int> numbers)
    {
        Excerpt e{path, loop};
        int* fields[] = {&e.positionMaximum, &e.position,  &e.beginMaximum, &e.begin, &e.endMaximum, &e.end,
                         &e.tempo,           &e.pitchSemi, &e.pitchGrad,    &e.speed};
        for (int i = 0; i < numbers.size(); ++i)
            *fields[i] = numbers[i];
        return e;
    }

private slots:
    void writesTwelveLinesEndingInCrLf_data()
    {
        QTest::addColumn<Excerpt>("excerpt");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("loop, negative tempo and fine pitch")
            << excerpt("/home/ann/Movies/etude.mp4", true, {200, 150, 200, 40, 200, 60, -25, 0, -120, 150})
            << QByteArray("/home/ann/Movies/etude.mp4\r\nTrue\r\n200\r\n150\r\n200\r\n40\r\n200\r\n60\r\n"
                          "-25\r\n0\r\n-120\r\n150\r\n");
        QTest::newRow("32-bit ends, path with commas, quotes and non-ASCII letters")
            << excerpt(QString::fromUtf8("/m/Bach, \"Air\" – Größe 日本.mp4"), false,
                       {2147483647, -2147483648, 0, 0, 1, -1, -80, -12, 600, 10})
            << QByteArray("/m/Bach, \"Air\" \xE2\x80\x93 Gr\xC3\xB6\xC3\x9F"
                          "e "
                          "\xE6\x97\xA5\xE6\x9C\xAC.mp4\r\nFalse\r\n2147483647\r\n-"
                          "2147483648\r\n0\r\n0\r\n1\r\n-1\r\n"
                          "-80\r\n-12\r\n600\r\n10\r\n");
    }
    void writesTwelveLinesEndingInCrLf()
    {
        QFETCH(Excerpt, excerpt);
        QFETCH(QByteArray, text);
        QCOMPARE(excerptText(excerpt), text);
        const ExcerptReading back = readExcerptText(text);
        QCOMPARE(back.error, QString());
        QCOMPARE(back.linesRead, 12);
        QVERIFY(back.excerpt == excerpt);
    }

    // Each row is a file's text; it names how many lines were taken, the error (none when all
    // twelve were), and the values read.
    void reads_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("linesRead");
        QTest::addColumn<QString>("error");
        QTest::addColumn<Excerpt>("expected");
        const Excerpt whole = excerpt("/m/a.mp4", true, {200, 150, 200, 40, 200, 60, -25, 0, -120, 150});
        const auto row = [](const char* name, const QByteArray& text, int lines, const char* error,
                            const Excerpt& expected) {
            QTest::newRow(name) << text << lines << QString::fromUtf8(error) << expected;
        };
        row("LF alone", "/m/a.mp4\nTrue\n200\n150\n200\n40\n200\n60\n-25\n0\n-120\n150\n", 12, "", whole);
        row("last line without its end, a 13th line ignored, blanks and letter case",
            "/m/a.mp4\r\ntrue \r\n 200\r\n150\r\n200\r\n40\r\n200\r\n60\t\r\n-25\r\n0\r\n-120\r\n150\r\nx",
            12, "", whole);
        row("last line without its end", "/m/a.mp4\nFALSE\n200\n150\n200\n40\n200\n60\n-25\n0\n-120\n150", 12,
            "", excerpt("/m/a.mp4", false, {200, 150, 200, 40, 200, 60, -25, 0, -120, 150}));
        row("blanks in the path stay", " /m/a b.mp4 \r\n", 1,
            "The excerpt file ends after line 1; it should have 12 lines.",
            excerpt(" /m/a b.mp4 ", false, {}));
        row("empty", "", 0, "The excerpt file is empty.", Excerpt{});
        row("line 2 neither", "/m/a.mp4\r\nYes\r\n200\r\n", 1,
            "Line 2 of the excerpt file is \"Yes\", which is neither True nor False.",
            excerpt("/m/a.mp4", false, {}));
        row("line 3 a number then letters", "/m/a.mp4\nTrue\n12abc\n", 2,
            "Line 3 of the excerpt file is \"12abc\", which is not a whole number.",
            excerpt("/m/a.mp4", true, {}));
        row("line 3 a sign alone", "/m/a.mp4\nTrue\n-\n", 2,
            "Line 3 of the excerpt file is \"-\", which is not a whole number.",
            excerpt("/m/a.mp4", true, {}));
        row("line 3 a fraction", "/m/a.mp4\nTrue\n1.5\n", 2,
            "Line 3 of the excerpt file is \"1.5\", which is not a whole number.",
            excerpt("/m/a.mp4", true, {}));
        row("line 3 two numbers", "/m/a.mp4\nTrue\n1 2\n", 2,
            "Line 3 of the excerpt file is \"1 2\", which is not a whole number.",
            excerpt("/m/a.mp4", true, {}));
        row("line 3 past 32 bits", "/m/a.mp4\nTrue\n2147483648\n", 2,
            "Line 3 of the excerpt file holds 2147483648, more than the largest number allowed there, "
            "2147483647.",
            excerpt("/m/a.mp4", true, {}));
        row("line 8 below 32 bits", "/m/a.mp4\nTrue\n1\n1\n1\n1\n1\n-2147483649\n", 7,
            "Line 8 of the excerpt file holds -2147483649, less than the smallest number allowed there, "
            "-2147483648.",
            excerpt("/m/a.mp4", true, {1, 1, 1, 1, 1}));
        row("line 9 100000 too large for 16 bits", "/m/a.mp4\nFalse\n1\n1\n1\n1\n1\n1\n100000\n", 8,
            "Line 9 of the excerpt file holds 100000, more than the largest number allowed there, 32767.",
            excerpt("/m/a.mp4", false, {1, 1, 1, 1, 1, 1}));
        row("line 9 at 16-bit ends", "/m/a.mp4\nFalse\n1\n1\n1\n1\n1\n1\n32767\n-32768\n", 10,
            "The excerpt file ends after line 10; it should have 12 lines.",
            excerpt("/m/a.mp4", false, {1, 1, 1, 1, 1, 1, 32767, -32768}));
        row("line 12 past any machine number",
            "/m/a.mp4\nFalse\n1\n1\n1\n1\n1\n1\n1\n1\n1\n-99999999999999999999\n", 11,
            "Line 12 of the excerpt file holds -99999999999999999999, less than the smallest number allowed "
            "there, -32768.",
            excerpt("/m/a.mp4", false, {1, 1, 1, 1, 1, 1, 1, 1, 1}));
        row("control characters and long lines are quoted shortened",
            QByteArray("/m/a.mp4\nTrue\n\x01"
                       "234567890123456789012345678901234567890123\n"),
            2,
            "Line 3 of the excerpt file is \"?234567890123456789012345678901234567890...\", which is not a "
            "whole "
            "number.",
            excerpt("/m/a.mp4", true, {}));
    }
    void reads()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, linesRead);
        QFETCH(QString, error);
        QFETCH(Excerpt, expected);
        const ExcerptReading reading = readExcerptText(text);
        QCOMPARE(reading.error, error);
        QCOMPARE(reading.linesRead, linesRead);
        QCOMPARE(reading.excerpt.moviePath, expected.moviePath);
        QVERIFY(reading.excerpt == expected);
    }
};

QTEST_MAIN(ExcerptTextTest)
#include "tst_excerpttext.moc"
