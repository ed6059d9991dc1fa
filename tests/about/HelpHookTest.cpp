#include "about/HelpHook.h"
#include "about/HelpPages.h"
#include "tests/support/TestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

class RecordingViewer : public THelpViewer
{
public:
    void DisplayTopic() override { calls << "topic"; }
    void DisplayContext(int context) override { calls << QStringLiteral("context %1").arg(context); }
    void DisplayIndex(const QString &keyword) override { calls << "index " + keyword; }
    void CloseAll() override { calls << "close"; }
    QStringList calls;
};

QString SourceHelp()
{
    return QStringLiteral(VISTRANO_SOURCE_DIR "/about/help");
}

} // namespace

TEST(HelpHook, CommandsTranslateAsTheTableSays)
{
    EXPECT_EQ(TranslateHelpCommand(HELP_CONTEXT, 10), (THtmlHelpCall{HH_HELP_CONTEXT, 10, {}}));
    EXPECT_EQ(TranslateHelpCommand(HELP_CONTEXTPOPUP, 42), (THtmlHelpCall{HH_HELP_CONTEXT, 42, {}}));
    EXPECT_EQ(TranslateHelpCommand(HELP_KEY, 0, "Print"), (THtmlHelpCall{HH_DISPLAY_INDEX, 0, "Print"}));
    EXPECT_EQ(TranslateHelpCommand(HELP_QUIT, 77), (THtmlHelpCall{HH_CLOSE_ALL, 0, {}}));
    EXPECT_EQ(TranslateHelpCommand(HELP_FINDER, 0), (THtmlHelpCall{HH_DISPLAY_TOPIC, 0, {}}));
    EXPECT_EQ(TranslateHelpCommand(3, 99), (THtmlHelpCall{HH_DISPLAY_TOPIC, 0, {}}));
    EXPECT_EQ(HH_HELP_CONTEXT, 15);
    EXPECT_EQ(HH_DISPLAY_INDEX, 2);
    EXPECT_EQ(HH_CLOSE_ALL, 18);
    EXPECT_EQ(HH_DISPLAY_TOPIC, 0);

    RecordingViewer viewer;
    TUseHTMLHelp hook(viewer);
    EXPECT_TRUE(hook.HelpCommand(HELP_FINDER, 0));
    EXPECT_TRUE(hook.HelpContext(10));
    EXPECT_TRUE(hook.HelpCommand(HELP_CONTEXTPOPUP, 10));
    EXPECT_TRUE(hook.HelpKeyword("slides"));
    EXPECT_TRUE(hook.HelpCommand(0x105, 3));
    EXPECT_TRUE(hook.HelpCommand(HELP_CONTEXT, int64_t(1) << 40));
    EXPECT_TRUE(hook.HelpCommand(HELP_QUIT, 0));
    EXPECT_EQ(viewer.calls, QStringList({"topic", "context 10", "context 10", "index slides", "topic", "topic",
                                         "close"}));
}

TEST(HelpHook, PagesBesideTheProgram)
{
    EXPECT_EQ(HelpContentsPage(), "index.html");
    EXPECT_EQ(HelpContextPage(10), "overview.html");
    EXPECT_EQ(HelpContextPage(11), "index.html");
    EXPECT_EQ(HelpFolderBeside("/usr/lib/vistrano"), "/usr/lib/vistrano/help");

    // The folder follows the executable, not the working folder.
    const QString before = QDir::currentPath();
    TestFolder elsewhere;
    ASSERT_TRUE(QDir::setCurrent(elsewhere.Root()));
    const QString folder = HelpFolder();
    QDir::setCurrent(before);
    EXPECT_EQ(QDir(folder).canonicalPath(), QDir(QStringLiteral(VISTRANO_BIN_DIR "/help")).canonicalPath());
    EXPECT_TRUE(QFile::exists(QDir(folder).filePath(HelpContentsPage())));
    EXPECT_TRUE(QFile::exists(QDir(folder).filePath(HelpContextPage(10))));
}

TEST(HelpHook, EveryPageIsShippedAndEveryLinkLeadsToAPage)
{
    const QDir source(SourceHelp());
    const QStringList pages = source.entryList({"*.html"}, QDir::Files);
    ASSERT_GE(pages.size(), 10);
    const QString contents = QString::fromUtf8(ReadFileBytes(source.filePath("index.html")));
    static const QRegularExpression link("href=\"([^\"#]*)(#[^\"]*)?\"");
    for (const QString &page : pages) {
        // Beside the built program, as the same bytes.
        EXPECT_EQ(ReadFileBytes(QStringLiteral(VISTRANO_BIN_DIR "/help/") + page), ReadFileBytes(source.filePath(page)))
            << page.toStdString();
        const QString html = QString::fromUtf8(ReadFileBytes(source.filePath(page)));
        EXPECT_TRUE(html.contains("<title>")) << page.toStdString();
        // Every page can be reached from the contents.
        if (page != "index.html")
            EXPECT_TRUE(contents.contains("href=\"" + page)) << page.toStdString();
        auto it = link.globalMatch(html);
        while (it.hasNext()) {
            const QString target = it.next().captured(1);
            if (target.isEmpty() || target.contains(':'))
                continue;
            EXPECT_TRUE(source.exists(target)) << page.toStdString() << " links to " << target.toStdString();
        }
    }
}

TEST(HelpHook, IndexOfKeywords)
{
    const QList<THelpIndexEntry> index = ReadHelpIndex(SourceHelp());
    ASSERT_FALSE(index.isEmpty());
    for (qsizetype i = 1; i < index.size(); ++i)
        EXPECT_LE(index[i - 1].Keyword.compare(index[i].Keyword, Qt::CaseInsensitive), 0);
    const int print = FindHelpKeyword(index, "print");
    ASSERT_GE(print, 0);
    EXPECT_EQ(index[print].Page, "printing.html");
    const int overview = FindHelpKeyword(index, "Overview");
    ASSERT_GE(overview, 0);
    EXPECT_EQ(index[overview].Page, "overview.html");
    EXPECT_EQ(FindHelpKeyword(index, "no such thing anywhere"), -1);
    EXPECT_EQ(FindHelpKeyword(index, "  "), -1);

    TestFolder folder;
    folder.Write("a.html", "<html><head><title>Alpha &amp; Beta</title>"
                           "<meta name=\"keywords\" content=\"zeta, gamma,, \"></head></html>");
    folder.Write("b.html", "no title here");
    EXPECT_EQ(ReadHelpIndex(folder.Root()), QList<THelpIndexEntry>({{"Alpha & Beta", "a.html"},
                                                                    {"gamma", "a.html"},
                                                                    {"zeta", "a.html"}}));
    EXPECT_EQ(FindHelpKeyword(ReadHelpIndex(folder.Root()), "amm"), 1);
    EXPECT_TRUE(ReadHelpIndex(folder.Path("missing")).isEmpty());

    // A keyword once per page: the same word in other letters on the same page
    // is one entry; on two pages it names each page.
    TestFolder twice;
    twice.Write("k.html", "<title>Keys</title><meta name=\"keywords\" content=\"Delete, delete, keys\">");
    twice.Write("s.html", "<title>Slides</title><meta name=\"keywords\" content=\"delete\">");
    EXPECT_EQ(ReadHelpIndex(twice.Root()), QList<THelpIndexEntry>({{"Delete (Keys)", "k.html"},
                                                                   {"delete (Slides)", "s.html"},
                                                                   {"Keys", "k.html"},
                                                                   {"Slides", "s.html"}}));
}
