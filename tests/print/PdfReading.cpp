#include "PdfReading.h"

#include "tests/support/TestFiles.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocumentFragment>

QString PdfInfo(const QString &pdf)
{
    QByteArray out;
    RunProgram("pdfinfo", {pdf}, &out);
    return QString::fromUtf8(out);
}

QList<PdfWord> PdfWords(const QString &pdf)
{
    QByteArray out;
    RunProgram("pdftotext", {"-bbox", pdf, "-"}, &out);
    QList<PdfWord> words;
    static const QRegularExpression element(
        "<page |<word xMin=\"([-0-9.]+)\" yMin=\"([-0-9.]+)\" xMax=\"([-0-9.]+)\" yMax=\"([-0-9.]+)\">([^<]*)</word>");
    int page = 0;
    auto it = element.globalMatch(QString::fromUtf8(out));
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0).startsWith("<page")) {
            ++page;
            continue;
        }
        words.append({page, QTextDocumentFragment::fromHtml(m.captured(5)).toPlainText(), m.captured(1).toDouble(),
                      m.captured(2).toDouble(), m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    return words;
}

QString PdfPageText(const QString &pdf, int page)
{
    QByteArray out;
    RunProgram("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), pdf, "-"}, &out);
    return QString::fromUtf8(out);
}

QList<PdfImage> PdfImages(const QString &pdf)
{
    QByteArray out;
    RunProgram("pdfimages", {"-list", pdf}, &out);
    QList<PdfImage> images;
    const QList<QByteArray> lines = out.split('\n');
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QStringList f = QString::fromUtf8(lines[i]).simplified().split(' ');
        if (f.size() < 14)
            continue;
        // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
        images.append({f[0].toInt(), f[3].toInt(), f[4].toInt(), f[12].toInt()});
    }
    return images;
}

QImage PdfPageImage(const QString &pdf, int page, int dpi)
{
    QTemporaryDir dir;
    const QString stem = QDir(dir.path()).filePath("page");
    RunProgram("pdftoppm", {"-r", QString::number(dpi), "-f", QString::number(page), "-l", QString::number(page),
                            "-singlefile", "-png", pdf, stem});
    return QImage(stem + ".png").convertToFormat(QImage::Format_RGB32);
}

PdfWord FindWord(const QList<PdfWord> &words, int page, const QString &text)
{
    for (const PdfWord &word : words) {
        if (word.Page == page && word.Text == text)
            return word;
    }
    return {};
}

int CountWords(const QList<PdfWord> &words, int page, const QString &text)
{
    int count = 0;
    for (const PdfWord &word : words)
        count += word.Page == page && word.Text == text;
    return count;
}
