#include "slides/PreviewScaling.h"

#include "common/Rounding.h"
#include "imaging/PictureLoading.h"
#include "imaging/Rotation.h"

QRect PreviewPictureRect(QSize client, QSize picture)
{
    const int cw = client.width(), ch = client.height();
    const int bw = picture.width(), bh = picture.height();
    if (cw <= 0 || ch <= 0 || bw <= 0 || bh <= 0)
        return {};
    const float sx = float(cw) / float(bw);
    const float sy = float(ch) / float(bh);
    int w, h;
    if (sx >= sy) {
        w = int(RoundHalfEven(float(bw) * sy));
        h = ch;
    } else {
        w = cw;
        h = int(RoundHalfEven(float(bh) * sx));
    }
    return QRect((cw - w) / 2, (ch - h) / 2, w, h);
}

QString PreviewCaption(const QString &path, QSize picture)
{
    return path + QStringLiteral("   (") + QString::number(picture.width()) + QStringLiteral(" X ")
        + QString::number(picture.height()) + QLatin1Char(')');
}

QImage LoadPreviewPicture(const QString &path, int angle)
{
    QImage picture = LoadPictureFile(path, JPEGReadScale::Whole);
    if (!picture.isNull())
        ApplyRotation(picture, angle);
    return picture;
}

QImage LoadFilePreviewPicture(const QString &path)
{
    return LoadUprightPicture(path, JPEGReadScale::Whole);
}
