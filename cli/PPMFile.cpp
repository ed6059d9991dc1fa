#include "cli/PPMFile.h"

#include "common/VistranoError.h"
#include "imaging/PictureLoading.h"

#include <QSaveFile>

#include <vector>

void WritePPMFile(const QImage &bitmap, const QString &path)
{
    const QImage bgr = MakeBitmap24(bitmap);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw EWriteError(QStringLiteral("Cannot create file %1").arg(path));
    const QByteArray header = QStringLiteral("P6\n%1 %2\n255\n").arg(bgr.width()).arg(bgr.height()).toLatin1();
    bool ok = file.write(header) == header.size();
    std::vector<char> row(size_t(bgr.width()) * 3);
    for (int y = 0; ok && y < bgr.height(); ++y) {
        const uchar *in = bgr.constScanLine(y);
        for (size_t x = 0; x < row.size(); x += 3) {
            row[x] = char(in[x + 2]);
            row[x + 1] = char(in[x + 1]);
            row[x + 2] = char(in[x]);
        }
        ok = file.write(row.data(), qint64(row.size())) == qint64(row.size());
    }
    if (!ok || !file.commit())
        throw EWriteError();
}
