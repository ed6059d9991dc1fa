#include "tests/web/WebShowTestSupport.h"

#include <QImage>
#include <QRegularExpression>

QList<BuildSlide> ColourSlides(const TestFolder &folder, const QString &middleCaption)
{
    const struct
    {
        const char *name;
        QColor colour;
        double duration;
        int transition;
        QString caption;
    } rows[] = {{"red.bmp", Qt::red, 2, 0, QStringLiteral("Red at the start")},
                {"green.bmp", Qt::green, 3, 1, middleCaption},
                {"blue.bmp", Qt::blue, 3, 2, QString()}};
    QList<BuildSlide> slides;
    for (const auto &row : rows) {
        QImage picture(320, 240, QImage::Format_RGB888);
        picture.fill(row.colour);
        const QString path = folder.Path(QString::fromLatin1(row.name));
        picture.save(path, "BMP");
        slides.append(BuildSlide{path, 0, row.duration, double(row.transition), row.caption});
    }
    return slides;
}

QList<QByteArray> PageJpegs(const QByteArray &page)
{
    static const QRegularExpression data(QStringLiteral("data:image/jpeg;base64,([A-Za-z0-9+/=]*)\""));
    QList<QByteArray> jpegs;
    for (const QRegularExpressionMatch &match : data.globalMatch(QString::fromLatin1(page)))
        jpegs.append(QByteArray::fromBase64(match.captured(1).toLatin1()));
    return jpegs;
}
