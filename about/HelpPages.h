#pragma once

#include <QList>
#include <QString>

// The help pages stand in the folder "help" beside the program's executable,
// wherever the program was started from.
QString HelpFolder();
QString HelpFolderBeside(const QString &programFolder);

// The page the help opens at: the contents.
QString HelpContentsPage();            // "index.html"
// The context number of the overview, the topic of "Help Overview".
constexpr int kOverviewHelpContext = 10;

// The page of a context number; the contents for a number no page has.
QString HelpContextPage(int context);  // 10: "overview.html"

// One entry of the help index: a keyword and the page it leads to.
struct THelpIndexEntry
{
    QString Keyword;
    QString Page;
    bool operator==(const THelpIndexEntry &) const = default;
};

// The index of the help pages in a folder: each page's title and the words of
// its "keywords" meta line (separated by commas), sorted without regard to
// letter case. Pages that cannot be read are left out.
QList<THelpIndexEntry> ReadHelpIndex(const QString &folder);

// The entry for a keyword: the first whose keyword equals it, else the first
// that begins with it, else the first that contains it (letter case ignored);
// -1 when none does.
int FindHelpKeyword(const QList<THelpIndexEntry> &index, const QString &keyword);
