#include "about/HelpPages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocumentFragment>

#include <algorithm>

namespace {

constexpr qint64 kLargestPage = 1 << 20;

// Context numbers of the help pages.
struct TContextPage
{
    int Context;
    const char *Page;
};
constexpr TContextPage kContextPages[] = {
    {kOverviewHelpContext, "overview.html"},
};

QString PlainText(const QString &html)
{
    return QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
}

} // namespace

QString HelpFolderBeside(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("help"));
}

QString HelpFolder()
{
    return HelpFolderBeside(QCoreApplication::applicationDirPath());
}

QString HelpContentsPage()
{
    return QStringLiteral("index.html");
}

QString HelpContextPage(int context)
{
    for (const TContextPage &entry : kContextPages) {
        if (entry.Context == context)
            return QString::fromLatin1(entry.Page);
    }
    return HelpContentsPage();
}

QList<THelpIndexEntry> ReadHelpIndex(const QString &folder)
{
    static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption
                                              | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression keywords(
        QStringLiteral("<meta\\s+name=\"keywords\"\\s+content=\"([^\"]*)\""), QRegularExpression::CaseInsensitiveOption);
    struct Found
    {
        QString Keyword;
        QString Page;
        QString Title;
    };
    QList<Found> found;
    const QStringList pages = QDir(folder).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    for (const QString &page : pages) {
        QFile file(QDir(folder).filePath(page));
        if (file.size() > kLargestPage || !file.open(QIODevice::ReadOnly))
            continue;
        const QString html = QString::fromUtf8(file.readAll());
        QString pageTitle;
        if (const QRegularExpressionMatch m = title.match(html); m.hasMatch())
            pageTitle = PlainText(m.captured(1));
        if (!pageTitle.isEmpty())
            found.append({pageTitle, page, pageTitle});
        if (const QRegularExpressionMatch m = keywords.match(html); m.hasMatch()) {
            for (const QString &word : PlainText(m.captured(1)).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                const QString keyword = word.trimmed();
                if (!keyword.isEmpty())
                    found.append({keyword, page, pageTitle.isEmpty() ? page : pageTitle});
            }
        }
    }
    // A keyword appears once for each page it leads to; when it leads to
    // several, each carries its page's title.
    QList<THelpIndexEntry> index;
    for (qsizetype i = 0; i < found.size(); ++i) {
        bool seen = false;
        bool elsewhere = false;
        for (qsizetype j = 0; j < found.size(); ++j) {
            if (j == i || found[j].Keyword.compare(found[i].Keyword, Qt::CaseInsensitive) != 0)
                continue;
            if (found[j].Page == found[i].Page)
                seen = seen || j < i;
            else
                elsewhere = true;
        }
        if (seen)
            continue;
        const QString keyword = elsewhere && found[i].Title.compare(found[i].Keyword, Qt::CaseInsensitive) != 0
            ? found[i].Keyword + QStringLiteral(" (") + found[i].Title + QLatin1Char(')')
            : found[i].Keyword;
        index.append({keyword, found[i].Page});
    }
    std::stable_sort(index.begin(), index.end(), [](const THelpIndexEntry &a, const THelpIndexEntry &b) {
        return a.Keyword.compare(b.Keyword, Qt::CaseInsensitive) < 0;
    });
    return index;
}

int FindHelpKeyword(const QList<THelpIndexEntry> &index, const QString &keyword)
{
    const QString wanted = keyword.trimmed();
    if (wanted.isEmpty())
        return -1;
    for (auto test : {0, 1, 2}) {
        for (qsizetype i = 0; i < index.size(); ++i) {
            const QString &entry = index[i].Keyword;
            const bool found = test == 0   ? entry.compare(wanted, Qt::CaseInsensitive) == 0
                               : test == 1 ? entry.startsWith(wanted, Qt::CaseInsensitive)
                                           : entry.contains(wanted, Qt::CaseInsensitive);
            if (found)
                return int(i);
        }
    }
    return -1;
}
