#include "app/ProgramValues.h"
#include "common/SettingsStore.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeMoviePlayer.h"
#include "snapshot/SnapshotCommands.h"
#include "snapshot/SnapshotFileName.h"
#include "snapshot/frmSnapshot.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A recording player whose frame is a plain picture of a chosen size, written as a real file.
class PictureWritingPlayer : public FakeMoviePlayer
{
public:
    QImage frame{320, 240, QImage::Format_RGB32};
    PictureWritingPlayer() { frame.fill(Qt::darkCyan); }

    bool SaveBitmap(const QString& path) override
    {
        return FakeMoviePlayer::SaveBitmap(path) && frame.save(path, "BMP");
    }
    bool SaveSnapshot(const QString& path, qint16 format) override
    {
        return FakeMoviePlayer::SaveSnapshot(path, format) && frame.save(path);
    }
};

QWidget* openWindow(const char* name)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String(name) && window->isVisible())
            return window;
    }
    return nullptr;
}

int openWindowCount(const char* name)
{
    int count = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
        count += window->objectName() == QLatin1String(name) && window->isVisible();
    return count;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void click(QWidget* window, const char* button)
{
    QVERIFY(window);
    auto* found = window->findChild<QPushButton*>(QLatin1String(button));
    QVERIFY(found);
    QTest::mouseClick(found, Qt::LeftButton);
}

} // namespace

// Taking a snapshot and the preview window, on a player that writes a plain picture and a
// desktop that answers the Save As dialog.
class SnapshotTest : public QObject
{
    Q_OBJECT

    struct Rig
    {
        QTemporaryDir dir;
        SettingsStore settings{dir.filePath("reelquill.ini")};
        ProgramValues values{dir.filePath("shots/"), 1, {}};
        PictureWritingPlayer player;
        FakeDesktop desktop;
        QString previewPath = dir.filePath("cache/preview.bmp");
        SnapshotCommands commands{player, values, settings, desktop, nullptr, previewPath};

        Rig() { player.duration = 60; }
        QWidget* snapshot()
        {
            commands.tlbCmdSnapshot();
            return openWindow("frmSnapshot");
        }
    };

private slots:
    void cleanup()
    {
        // Each test's rig closes its windows; none may outlive it.
        QCOMPARE(openWindowCount("frmSnapshot") + openWindowCount("frmOptions"), 0);
    }

    void fileName_data()
    {
        QTest::addColumn<QDateTime>("takenAt");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<qint16>("format");
        QTest::addColumn<QString>("name");
        const QDateTime evening(QDate(2026, 12, 4), QTime(20, 15, 33));
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("0 bmp") << evening << english << qint16(0) << "Snapshot Dec-04-2026 20-15-33.bmp";
        QTest::newRow("1 jpg") << evening << english << qint16(1) << "Snapshot Dec-04-2026 20-15-33.jpg";
        QTest::newRow("2 png") << evening << english << qint16(2) << "Snapshot Dec-04-2026 20-15-33.png";
        QTest::newRow("3 tif") << evening << english << qint16(3) << "Snapshot Dec-04-2026 20-15-33.tif";
        QTest::newRow("4 gif") << evening << english << qint16(4) << "Snapshot Dec-04-2026 20-15-33.gif";
        QTest::newRow("5 names no format")
            << evening << english << qint16(5) << "Snapshot Dec-04-2026 20-15-33.";
        QTest::newRow("-1 names no format")
            << evening << english << qint16(-1) << "Snapshot Dec-04-2026 20-15-33.";
        QTest::newRow("one-digit day, hour, minute and second")
            << QDateTime(QDate(2027, 3, 7), QTime(9, 5, 2)) << english << qint16(2)
            << "Snapshot Mar-07-2027 09-05-02.png";
        QTest::newRow("the month in the user's language")
            << QDateTime(QDate(2026, 10, 4), QTime(8, 0, 0)) << QLocale(QLocale::Swedish, QLocale::Sweden)
            << qint16(1) << "Snapshot okt.-04-2026 08-00-00.jpg";
    }
    void fileName()
    {
        QFETCH(QDateTime, takenAt);
        QFETCH(QLocale, locale);
        QFETCH(qint16, format);
        QFETCH(QString, name);
        QCOMPARE(SnapshotFileName::make("/nowhere/shots/", format, takenAt, locale),
                 "/nowhere/shots/" + name);
    }

    void sameSecondKeepsTheEarlierSnapshot()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + "/";
        const QDateTime takenAt(QDate(2026, 12, 4), QTime(20, 15, 33));
        const QLocale english(QLocale::English);
        QStringList names;
        for (int shot = 0; shot < 3; ++shot) {
            names << SnapshotFileName::make(folder, 1, takenAt, english);
            QFile file(names.last());
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QCOMPARE(names, QStringList({folder + "Snapshot Dec-04-2026 20-15-33.jpg",
                                     folder + "Snapshot Dec-04-2026 20-15-33 (2).jpg",
                                     folder + "Snapshot Dec-04-2026 20-15-33 (3).jpg"}));
    }

    // What one snapshot command does with the player, the folder and the preview window.
    void takeSnapshot_data()
    {
        QTest::addColumn<double>("duration");
        QTest::addColumn<bool>("frameWritten");
        QTest::addColumn<bool>("folderMade");
        QTest::addColumn<bool>("previewShown");
        QTest::newRow("movie open") << 60.0 << true << true << true;
        QTest::newRow("no frame to write") << 60.0 << false << true << false;
        QTest::newRow("no movie open") << 0.0 << false << false << false;
    }
    void takeSnapshot()
    {
        QFETCH(double, duration);
        QFETCH(bool, frameWritten);
        QFETCH(bool, folderMade);
        QFETCH(bool, previewShown);
        Rig rig;
        rig.player.duration = duration;
        rig.player.snapshotsSucceed = frameWritten;
        rig.values.SnapshotFolder = rig.dir.filePath("not yet/made/");

        rig.commands.tlbCmdSnapshot();
        const QRegularExpression dated(QRegularExpression::anchoredPattern(
            QRegularExpression::escape(rig.dir.filePath("not yet/made/Snapshot ")) +
            R"(\w{3}-\d\d-\d{4} \d\d-\d\d-\d\d\.jpg)"));
        QVERIFY2(dated.match(rig.values.SnapshotFile).hasMatch(), qPrintable(rig.values.SnapshotFile));
        QCOMPARE(rig.player.calls, QStringList({"SaveSnapshot(" + rig.values.SnapshotFile + ",1)",
                                                "SaveBitmap(" + rig.previewPath + ")"}));
        QCOMPARE(QDir(rig.values.SnapshotFolder).exists(), folderMade);
        QCOMPARE(openWindow("frmSnapshot") != nullptr, previewShown);
    }

    void previewGeometry_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QRect>("pctPreview");
        QTest::addColumn<QRect>("fraButtons");
        // Twips: window height = 2 x 600 + picture + 200; width = the wider of picture and 3765;
        // buttons at picture height + 300. Pixels are twips / 15.
        QTest::newRow("picture wider than the buttons")
            << QSize(320, 240) << QSize(320, 333) << QRect(0, 1, 320, 240) << QRect(34, 260, 251, 40);
        QTest::newRow("picture narrower than the buttons")
            << QSize(100, 50) << QSize(251, 143) << QRect(75, 1, 100, 50) << QRect(0, 70, 251, 40);
        QTest::newRow("720p movie") << QSize(1280, 720) << QSize(1280, 813) << QRect(0, 1, 1280, 720)
                                    << QRect(514, 740, 251, 40);
    }
    void previewGeometry()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, window);
        QFETCH(QRect, pctPreview);
        QFETCH(QRect, fraButtons);
        Rig rig;
        rig.player.frame = rig.player.frame.scaled(picture);
        QWidget* preview = rig.snapshot();
        QVERIFY(preview);
        QCOMPARE(preview->size(), window);
        QCOMPARE(preview->findChild<QLabel*>("pctPreview")->geometry(), pctPreview);
        QCOMPARE(preview->findChild<QLabel*>("pctPreview")->pixmap().size(), picture);
        QCOMPARE(preview->findChild<QWidget*>("fraButtons")->geometry(), fraButtons);
    }

    void previewControls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("cmdSave") << "cmdSave"
                                 << "Save"
                                 << "Save snapshot under generic file name";
        QTest::newRow("cmdSaveAs") << "cmdSaveAs"
                                   << "Save As"
                                   << "Save As";
        QTest::newRow("cmdDiscard") << "cmdDiscard"
                                    << "Discard"
                                    << "Discard snapshot";
    }
    void previewControls()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, toolTip);
        Rig rig;
        QWidget* preview = rig.snapshot();
        QCOMPARE(preview->windowTitle(), "Snapshot preview");
        const auto* button = preview->findChild<QWidget*>("fraButtons")->findChild<QPushButton*>(name);
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->toolTip(), toolTip);
    }

    void secondSnapshotReusesTheOpenPreview()
    {
        Rig rig;
        const QPointer<QWidget> preview = rig.snapshot();
        const QString first = rig.values.SnapshotFile;
        rig.player.frame = rig.player.frame.scaled(100, 50);
        const QWidget* again = rig.snapshot();
        QVERIFY(preview);
        QVERIFY(again == preview.data());
        QCOMPARE(openWindowCount("frmSnapshot"), 1);
        // Neither reloaded nor resized.
        QCOMPARE(preview->size(), QSize(320, 333));
        QCOMPARE(preview->findChild<QLabel*>("pctPreview")->pixmap().size(), QSize(320, 240));
        QCOMPARE(QImage(rig.previewPath).size(), QSize(100, 50));
        // The buttons act on the new snapshot.
        QVERIFY(rig.values.SnapshotFile != first);
        click(preview, "cmdDiscard");
        QVERIFY(!QFile::exists(rig.values.SnapshotFile));
        QVERIFY(QFile::exists(first));
    }

    void saveAsDialog_data()
    {
        QTest::addColumn<qint16>("format");
        QTest::addColumn<QString>("filter");
        QTest::newRow("0 bmp") << qint16(0) << "Bitmap files (*.bmp)|*.bmp";
        QTest::newRow("1 jpg") << qint16(1) << "JPG files (*.jpg)|*.jpg";
        QTest::newRow("2 png") << qint16(2) << "PNG files (*.png)|*.png";
        QTest::newRow("3 tif") << qint16(3) << "TIF files (*.tif)|*.tif";
        QTest::newRow("4 gif") << qint16(4) << "GIF files (*.gif)|*.gif";
        QTest::newRow("7 names no format") << qint16(7) << "";
    }
    void saveAsDialog()
    {
        QFETCH(qint16, format);
        QFETCH(QString, filter);
        Rig rig;
        rig.values.SnapshotFormat = format;
        QWidget* preview = rig.snapshot();
        click(preview, "cmdSaveAs");
        QCOMPARE(rig.desktop.dialogTitles, QStringList{"Save snapshot as ..."});
        QCOMPARE(rig.desktop.dialogFolders, QStringList{rig.values.SnapshotFolder});
        QCOMPARE(rig.desktop.filtersShown, QStringList{filter});
    }

    // Save As moves the snapshot where it can, and never overwrites or reports anything; the
    // preview stays open.
    void saveAs_data()
    {
        QTest::addColumn<QString>("answer"); // relative to the test folder; empty cancels
        QTest::addColumn<bool>("moved");
        QTest::newRow("new name") << "kept/fingering.jpg" << true;
        QTest::newRow("name without extension") << "fingering" << true;
        QTest::newRow("onto an existing file") << "existing.jpg" << false;
        QTest::newRow("into a missing folder") << "missing/fingering.jpg" << false;
        QTest::newRow("cancelled") << "" << false;
    }
    void saveAs()
    {
        QFETCH(QString, answer);
        QFETCH(bool, moved);
        Rig rig;
        QVERIFY(QDir(rig.dir.path()).mkpath("kept"));
        QFile existing(rig.dir.filePath("existing.jpg"));
        QVERIFY(existing.open(QIODevice::WriteOnly) && existing.write("an older picture") > 0);
        existing.close();
        QWidget* preview = rig.snapshot();
        const QString generated = rig.values.SnapshotFile;
        const QByteArray snapshot = contents(generated);
        const QString chosen = answer.isEmpty() ? QString() : rig.dir.filePath(answer);
        rig.desktop.fileAnswers << chosen;

        click(preview, "cmdSaveAs");
        QCOMPARE(QFile::exists(generated), !moved);
        if (moved)
            QCOMPARE(contents(chosen), snapshot);
        QCOMPARE(contents(existing.fileName()), "an older picture");
        QCOMPARE(rig.values.SnapshotFile, generated);
        QCOMPARE(openWindow("frmSnapshot"), preview);
        QVERIFY(rig.desktop.messages.isEmpty());
    }

    void discardAfterSaveAsDeletesNothing()
    {
        Rig rig;
        QWidget* preview = rig.snapshot();
        const QString chosen = rig.dir.filePath("chord shape.jpg");
        rig.desktop.fileAnswers << chosen;
        click(preview, "cmdSaveAs");
        click(preview, "cmdDiscard");
        QVERIFY(QFile::exists(chosen));
        QVERIFY(!openWindow("frmSnapshot"));
    }

    // Every way out of the preview closes it; only Discard removes the snapshot, and nothing
    // removes the preview picture or says anything.
    void closingThePreview_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("snapshotGoneBefore");
        QTest::addColumn<bool>("snapshotKept");
        QTest::newRow("Save") << "cmdSave" << false << true;
        QTest::newRow("close box") << "close" << false << true;
        QTest::newRow("Discard") << "cmdDiscard" << false << false;
        QTest::newRow("Discard of a snapshot already gone") << "cmdDiscard" << true << false;
    }
    void closingThePreview()
    {
        QFETCH(QString, action);
        QFETCH(bool, snapshotGoneBefore);
        QFETCH(bool, snapshotKept);
        Rig rig;
        QWidget* preview = rig.snapshot();
        if (snapshotGoneBefore)
            QVERIFY(QFile::remove(rig.values.SnapshotFile));
        if (action == "close")
            preview->close();
        else
            click(preview, action.toLatin1());
        QVERIFY(!openWindow("frmSnapshot"));
        QCOMPARE(QFile::exists(rig.values.SnapshotFile), snapshotKept);
        QVERIFY(QFile::exists(rig.previewPath));
        QVERIFY(rig.desktop.messages.isEmpty());
    }

    void reopenedPreviewLoadsTheNewPicture()
    {
        Rig rig;
        click(rig.snapshot(), "cmdSave");
        rig.player.frame = rig.player.frame.scaled(100, 50);
        QWidget* preview = rig.snapshot();
        QVERIFY(preview);
        QCOMPARE(preview->size(), QSize(251, 143));
    }
};

QTEST_MAIN(SnapshotTest)
#include "tst_snapshot.moc"
