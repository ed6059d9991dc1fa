#pragma once

#include <QImage>
#include <QList>
#include <QString>

// A printed PDF read back with poppler's tools, the independent oracle.
struct PdfWord
{
    int Page = 0; // from 1
    QString Text;
    double XMin = 0, YMin = 0, XMax = 0, YMax = 0; // points from the top-left corner
};

struct PdfImage
{
    int Page = 0;
    int Width = 0;
    int Height = 0;
    int XPpi = 0;
};

QString PdfInfo(const QString &pdf);
QList<PdfWord> PdfWords(const QString &pdf);
QString PdfPageText(const QString &pdf, int page);
QList<PdfImage> PdfImages(const QString &pdf);
QImage PdfPageImage(const QString &pdf, int page, int dpi);

// The first word on the page with this text; a word with page 0 when none.
PdfWord FindWord(const QList<PdfWord> &words, int page, const QString &text);
int CountWords(const QList<PdfWord> &words, int page, const QString &text);
