#include "cli/PPMFile.h"

#include "common/FileReplacement.h"
#include "common/VistranoError.h"
#include "imaging/PictureLoading.h"

#include <vector>

void WritePPMFile(const QImage &bitmap, const QString &path)
{
    const QImage bgr = MakeBitmap24(bitmap);
    FileReplacement file(path);
    file.Write(QStringLiteral("P6\n%1 %2\n255\n").arg(bgr.width()).arg(bgr.height()).toLatin1());
    std::vector<char> row(size_t(bgr.width()) * 3);
    for (int y = 0; y < bgr.height(); ++y) {
        const uchar *in = bgr.constScanLine(y);
        for (size_t x = 0; x < row.size(); x += 3) {
            row[x] = char(in[x + 2]);
            row[x + 1] = char(in[x + 1]);
            row[x + 2] = char(in[x]);
        }
        file.Write(QByteArrayView(row.data(), qsizetype(row.size())));
    }
    file.Commit();
}
