#include "about/HelpMenuCommands.h"

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

namespace {
struct ToolRun
{
    int exitCode;
    QString output;
};

ToolRun runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000))
        return {-1, program + " did not finish: " + process.errorString()};
    const int exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return {exitCode, QString::fromLocal8Bit(process.readAll())};
}

// A key's value in a launcher entry, read as the desktop reads it (QSettings would take the
// semicolons of a list for the start of a comment).
QString desktopEntryValue(const QString& path, const QString& key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    for (const QString& line : lines) {
        if (line.startsWith(key + '='))
            return line.mid(key.size() + 1);
    }
    return {};
}
} // namespace

// Installs the build into a scratch prefix, as a package or a user would, and checks that the
// desktop finds everything there: the launcher entry, the icon, the file types and the help page.
class InstallTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_prefix;
    QStringList m_entryMimeTypes;

    QString installed(const QString& relativePath) const { return m_prefix.filePath(relativePath); }

    // The desktop's own names for a file name, found through the installed shared-MIME database.
    static QStringList typeAndParents(const QString& fileName)
    {
        const QMimeType type = QMimeDatabase().mimeTypeForFile(fileName, QMimeDatabase::MatchExtension);
        return QStringList{type.name()} + type.aliases() + type.allAncestors();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_prefix.isValid());
        const ToolRun install =
            runTool(CMAKE_COMMAND,
                    {"--install", qEnvironmentVariable("REELQUILL_BUILD_DIR"), "--prefix", m_prefix.path()});
        QVERIFY2(install.exitCode == 0, qPrintable(install.output));
        // The MIME database reads its folders when first asked, which is after this.
        qputenv("XDG_DATA_DIRS", (installed("share") + ":/usr/share").toLocal8Bit());
        const ToolRun mimeDatabase = runTool("update-mime-database", {installed("share/mime")});
        QVERIFY2(mimeDatabase.exitCode == 0 && mimeDatabase.output.trimmed().isEmpty(),
                 qPrintable(mimeDatabase.output));
        m_entryMimeTypes = desktopEntryValue(installed("share/applications/reelquill.desktop"), "MimeType")
                               .split(';', Qt::SkipEmptyParts);
    }

    void installedFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("program") << "bin/reelquill";
        QTest::newRow("help page") << "share/reelquill/reelquill-help.html";
        QTest::newRow("help picture") << "share/reelquill/reelquill-help/play.svg";
        QTest::newRow("launcher entry") << "share/applications/reelquill.desktop";
        QTest::newRow("icon") << "share/icons/hicolor/scalable/apps/reelquill.svg";
        QTest::newRow("excerpt file type") << "share/mime/packages/reelquill.xml";
    }
    void installedFile()
    {
        QFETCH(QString, path);
        QVERIFY2(QFileInfo(installed(path)).isFile(), qPrintable(path));
    }

    void programIsExecutable() { QVERIFY(QFileInfo(installed("bin/reelquill")).isExecutable()); }

    void installedProgramFindsItsHelpPage()
    {
        const QString folder = HelpMenuCommands::helpFolder(installed("bin"));
        QVERIFY2(QFileInfo::exists(HelpMenuCommands::helpFilePath(folder)), qPrintable(folder));
    }

    void launcherEntryValidates()
    {
        const ToolRun validate =
            runTool("desktop-file-validate", {installed("share/applications/reelquill.desktop")});
        QVERIFY2(validate.exitCode == 0 && validate.output.trimmed().isEmpty(), qPrintable(validate.output));
    }

    void launcherEntryValue_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        // One path: the program takes its whole command line for one file name.
        QTest::newRow("Exec") << "Exec"
                              << "reelquill %f";
        QTest::newRow("Icon") << "Icon"
                              << "reelquill";
        QTest::newRow("Categories") << "Categories"
                                    << "AudioVideo;Video;Player;";
    }
    void launcherEntryValue()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QCOMPARE(desktopEntryValue(installed("share/applications/reelquill.desktop"), key), value);
    }

    void fileTypeDescriptionValidates()
    {
        const ToolRun validate =
            runTool("xmllint", {"--noout", installed("share/mime/packages/reelquill.xml")});
        QVERIFY2(validate.exitCode == 0, qPrintable(validate.output));
    }

    void iconIsAnSvgPicture()
    {
        QSvgRenderer icon(installed("share/icons/hicolor/scalable/apps/reelquill.svg"));
        QVERIFY(icon.isValid());
        QCOMPARE(icon.viewBox(), QRect(0, 0, 24, 24));
    }

    // Every file the open dialog offers, and excerpt files, are types the launcher entry opens.
    void launcherOpensFileType_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("type");
        QTest::newRow("mpg") << "movie.mpg"
                             << "video/mpeg";
        QTest::newRow("mpeg") << "movie.mpeg"
                              << "video/mpeg";
        QTest::newRow("wmv") << "movie.wmv"
                             << "video/x-ms-wmv";
        QTest::newRow("avi") << "movie.avi"
                             << "video/x-msvideo";
        QTest::newRow("mov") << "movie.mov"
                             << "video/quicktime";
        QTest::newRow("mp4") << "movie.mp4"
                             << "video/mp4";
        QTest::newRow("3gp") << "movie.3gp"
                             << "video/3gpp";
        QTest::newRow("flv") << "movie.flv"
                             << "video/x-flv";
        QTest::newRow("vob") << "movie.vob"
                             << "video/mpeg";
        QTest::newRow("excerpt") << "practice.rqx"
                                 << "application/x-reelquill-excerpt";
    }
    void launcherOpensFileType()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, type);
        const QStringList desktopTypes = typeAndParents(fileName);
        QVERIFY2(desktopTypes.contains(type), qPrintable(desktopTypes.join(' ')));
        QVERIFY2(m_entryMimeTypes.contains(type), qPrintable(m_entryMimeTypes.join(' ')));
    }
};

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_install.moc"
