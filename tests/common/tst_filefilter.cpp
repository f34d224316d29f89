#include "common/FileFilter.h"
#include "playback/TransportCommands.h"

#include <QTest>

class FileFilterTest : public QObject
{
    Q_OBJECT

private slots:
    void conversion_data()
    {
        QTest::addColumn<QString>("pipeSeparated");
        QTest::addColumn<QString>("qtFilter");
        QTest::newRow("one pair, blank before the bar") << "Reelquill excerpt files (*.rqx) |*.rqx"
                                                        << "Reelquill excerpt files (*.rqx)";
        QTest::newRow("patterns joined by blanks") << "Movies |*.mp4;*.avi"
                                                   << "Movies (*.mp4 *.avi)";
        QTest::newRow("pairs joined by double semicolons") << "FLV (*.flv)|*.flv|mpg (*.mpg)|*.mpg"
                                                           << "FLV (*.flv);;mpg (*.mpg)";
        QTest::newRow("all files also lists names without a dot") << "All Files (*.*)|*.*"
                                                                  << "All Files (*)";
        QTest::newRow("description without brackets gets the patterns") << "Pictures|*.png"
                                                                        << "Pictures (*.png)";
        QTest::newRow("brackets that are not patterns stay") << "Movies (old)|*.avi"
                                                             << "Movies (old) (*.avi)";
        QTest::newRow("empty description shows the patterns") << "|*.gif"
                                                              << "*.gif (*.gif)";
        QTest::newRow("pair without patterns is dropped") << "Nothing|;|Gif|*.gif"
                                                          << "Gif (*.gif)";
        QTest::newRow("dangling description is dropped") << "Gif|*.gif|Orphan"
                                                         << "Gif (*.gif)";
        QTest::newRow("empty filter") << ""
                                      << "";
    }
    void conversion()
    {
        QFETCH(QString, pipeSeparated);
        QFETCH(QString, qtFilter);
        QCOMPARE(qtFileDialogFilter(pipeSeparated), qtFilter);
    }

    // The open dialog's list keeps its eleven entries in order, each one readable by Qt.
    void movieFilterBecomesElevenQtEntries()
    {
        const QStringList entries = qtFileDialogFilter(TransportCommands::movieFilter()).split(";;");
        QCOMPARE(entries.size(), 11);
        QCOMPARE(entries.last(), "All Files (*)");
        for (const QString& entry : entries)
            QVERIFY2(entry.count('(') == 1 && entry.endsWith(')'), qPrintable(entry));
    }
};

QTEST_APPLESS_MAIN(FileFilterTest)
#include "tst_filefilter.moc"
