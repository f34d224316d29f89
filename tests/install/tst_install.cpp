#include "about/HelpMenuCommands.h"

#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

namespace {
struct ToolRun
{
    int exitCode;
    QString output;
};

// What a tool prints, on standard output and standard error together.
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
} // namespace

// Installs the build into a scratch prefix, as a package or a user would, and checks that the
// desktop finds everything there: the launcher entry, the icon, the file types, the help page,
// the software centres' entry and the manual page.
class InstallTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_prefix;
    QString m_launcher;

    QString installed(const QString& relativePath) const { return m_prefix.filePath(relativePath); }
    // A key's value in the launcher entry, read as the desktop reads it (QSettings would take the
    // semicolons of a list for the start of a comment).
    QString launcherValue(const QString& key) const
    {
        return QRegularExpression('^' + key + "=(.*)$", QRegularExpression::MultilineOption)
            .match(m_launcher)
            .captured(1);
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
        QVERIFY2(mimeDatabase.exitCode == 0 && mimeDatabase.output.isEmpty(),
                 qPrintable(mimeDatabase.output));
        QFile launcher(installed("share/applications/reelquill.desktop"));
        QVERIFY(launcher.open(QIODevice::ReadOnly));
        m_launcher = QString::fromUtf8(launcher.readAll());
    }

    void installedProgramFindsItsHelpPage()
    {
        QVERIFY(QFileInfo(installed("bin/reelquill")).isExecutable());
        const QString folder = HelpMenuCommands::helpFolder(installed("bin"));
        QVERIFY2(QFileInfo::exists(HelpMenuCommands::helpFilePath(folder)), qPrintable(folder));
        QVERIFY(QFileInfo::exists(folder + "/reelquill-help/play.svg"));
    }

    // The launcher entry opens one file: the program takes its whole command line for one name.
    void launcherEntryIsValidAndOpensOneFile()
    {
        const ToolRun validate =
            runTool("desktop-file-validate", {installed("share/applications/reelquill.desktop")});
        QVERIFY2(validate.exitCode == 0 && validate.output.isEmpty(), qPrintable(validate.output));
        QCOMPARE(launcherValue("Exec"), "reelquill %f");
        QSvgRenderer icon(installed("share/icons/hicolor/scalable/apps/" + launcherValue("Icon") + ".svg"));
        QVERIFY(icon.isValid());
    }

    // Every file the open dialog offers, and excerpt files, are types the launcher entry opens.
    void launcherOpensFileType_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("type");
        const char* const rows[][3] = {
            {"an MPEG movie", "movie.mpg", "video/mpeg"},
            {"a WMV movie", "movie.wmv", "video/x-ms-wmv"},
            {"an AVI movie", "movie.avi", "video/x-msvideo"},
            {"a QuickTime movie", "movie.mov", "video/quicktime"},
            {"an MP4 movie", "movie.mp4", "video/mp4"},
            {"a 3GP movie", "movie.3gp", "video/3gpp"},
            {"a Flash video", "movie.flv", "video/x-flv"},
            {"an excerpt", "practice.rqx", "application/x-reelquill-excerpt"},
        };
        for (const auto& row : rows)
            QTest::newRow(row[0]) << row[1] << row[2];
    }
    void launcherOpensFileType()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, type);
        const QMimeType desktopType =
            QMimeDatabase().mimeTypeForFile(fileName, QMimeDatabase::MatchExtension);
        const QStringList desktopTypes = QStringList{desktopType.name()} + desktopType.aliases();
        QVERIFY2(desktopTypes.contains(type), qPrintable(desktopTypes.join(' ')));
        const QStringList launcherTypes = launcherValue("MimeType").split(';', Qt::SkipEmptyParts);
        QVERIFY2(launcherTypes.contains(type), qPrintable(launcherTypes.join(' ')));
    }

    // Software centres list the program from its AppStream entry, which names the launcher entry
    // (the validator checks that it is installed beside it).
    void softwareCentreEntryIsValidAndListsThisRelease()
    {
        const ToolRun validate = runTool("appstreamcli", {"validate-tree", "--no-net", m_prefix.path()});
        QVERIFY2(validate.exitCode == 0, qPrintable(validate.output));
        QFile entry(installed("share/metainfo/org.reelquill.reelquill.metainfo.xml"));
        QVERIFY(entry.open(QIODevice::ReadOnly));
        // The release it lists is the installed program's own version.
        const ToolRun version = runTool(installed("bin/reelquill"), {"--version"});
        const QString release =
            "<release version=\"" + version.output.section('\n', 0, 0).section(' ', 1) + '"';
        QVERIFY2(version.exitCode == 0 && QString::fromUtf8(entry.readAll()).contains(release),
                 qPrintable(release));
    }

    void manualPageRendersWithoutWarnings()
    {
        const ToolRun man = runTool("man", {"--warnings", "-l", installed("share/man/man1/reelquill.1")});
        QVERIFY2(man.exitCode == 0 && !man.output.contains("warning"), qPrintable(man.output));
        QVERIFY2(man.output.contains("reelquill 2.5.0") && man.output.contains("Alt+Backspace"),
                 qPrintable(man.output));
    }
};

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_install.moc"
