#include "about/HelpMenuCommands.h"
#include "app/HotKeyBindings.h"
#include "app/MenuBarLayout.h"

#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextDocument>

namespace {
// The help page as the build put it beside the program.
QString builtHelpPage()
{
    return HelpMenuCommands::helpFilePath(qEnvironmentVariable("REELQUILL_BUILD_DIR") + "/src");
}

QString simplifiedText(QString text)
{
    return text.replace(QChar::Nbsp, ' ').simplified();
}

// A menu caption as the reader sees it: without the access-key ampersands.
QString shownCaption(const char* caption)
{
    return simplifiedText(QString(caption).remove('&'));
}

// A key combination in the words of the page: "Ctrl+Page Down", "Shift+Left arrow".
QString keyWords(QKeyCombination keys)
{
    static const QHash<QString, QString> words{
        {"PgUp", "Page Up"}, {"PgDown", "Page Down"}, {"Left", "Left arrow"}, {"Right", "Right arrow"},
        {"Up", "Up arrow"},  {"Down", "Down arrow"},  {"Return", "Enter"}};
    QStringList parts = QKeySequence(keys).toString(QKeySequence::PortableText).split('+');
    parts.last() = words.value(parts.last(), parts.last());
    return parts.join('+');
}
} // namespace

// The help page must stay true to the program: it names every menu caption and hot key.
class HelpPageTest : public QObject
{
    Q_OBJECT

    QString m_html;
    QString m_text;
    QSet<QString> m_keys;

private slots:
    void initTestCase()
    {
        QFile page(builtHelpPage());
        QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(page.fileName()));
        m_html = QString::fromUtf8(page.readAll());
        QTextDocument document;
        document.setHtml(m_html);
        m_text = simplifiedText(document.toPlainText());
        static const QRegularExpression keyElement("<kbd>(.*?)</kbd>");
        for (const QRegularExpressionMatch& match : keyElement.globalMatch(m_html))
            m_keys << match.captured(1);
    }

    void namesEveryMenuCaption()
    {
        QStringList missing;
        for (const MenuBarEntry& entry : menuBarLayout()) {
            if (entry.kind != MenuBarEntry::Separator && !m_text.contains(shownCaption(entry.caption)))
                missing << shownCaption(entry.caption);
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(" | ")));
    }

    void namesEveryHotKey()
    {
        QStringList missing;
        for (const HotKeyBinding& binding : hotKeyBindings()) {
            if (!m_keys.contains(keyWords(binding.keys)))
                missing << QString("%1 (%2)").arg(keyWords(binding.keys), binding.name);
        }
        for (const MenuBarEntry& entry : menuBarLayout()) {
            if (entry.shortcut && !m_keys.contains(entry.shortcut))
                missing << entry.shortcut;
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(" | ")));
    }

    // Keys the program's tables do not hold yet but the program has: help and the excerpts.
    void namesTheMenuKeys_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::newRow("help") << "F1";
        QTest::newRow("save excerpt") << "Ctrl+S";
        QTest::newRow("load excerpt") << "Ctrl+L";
    }
    void namesTheMenuKeys()
    {
        QFETCH(QString, keys);
        QVERIFY(m_keys.contains(keys));
    }

    void picturesStandBesideThePage()
    {
        static const QRegularExpression picture("<img src=\"([^\"]+)\"");
        const QDir folder = QFileInfo(builtHelpPage()).dir();
        int count = 0;
        for (const QRegularExpressionMatch& match : picture.globalMatch(m_html)) {
            QVERIFY2(folder.exists(match.captured(1)), qPrintable(match.captured(1)));
            ++count;
        }
        QVERIFY(count > 0);
    }
};

QTEST_MAIN(HelpPageTest)
#include "tst_helppage.moc"
