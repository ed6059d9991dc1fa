#include "project/ProjectFile.h"
#include "tests/bench/Bench.h"

#include <QDir>
#include <QFileInfo>

#include <memory>
#include <vector>

// Save As and Open of a project of 1000 slides with 200 by 150 thumbnails:
// the time should go to the thumbnails' bytes.
VISTRANO_BENCH(ProjectSaveAndOpen)
{
    constexpr int kSlides = 1000;
    std::vector<std::unique_ptr<RectBoxProperties>> slides;
    std::vector<const RectBoxProperties *> order;
    for (int i = 0; i < kSlides; ++i) {
        QImage thumbnail(200, 150, QImage::Format_BGR888);
        for (int y = 0; y < thumbnail.height(); ++y) {
            uchar *row = thumbnail.scanLine(y);
            for (int x = 0; x < 600; ++x)
                row[x] = uchar(x * 3 + y * 5 + i);
        }
        auto box = std::make_unique<RectBoxProperties>();
        box->SetLeft(10 + 143 * i);
        box->SetTop(10);
        box->SetWidth(133);
        box->SetHeight(100);
        box->SetDrawBoxes(false);
        box->SetPicture(thumbnail);
        box->SetPictureWidth(200);
        box->SetPictureHeight(150);
        box->SetRatio(static_cast<long double>(200) / 150);
        box->SetAbLeft(4);
        box->SetAbTop(i % 6);
        box->SetFileName(QStringLiteral("/home/user/Pictures/Holiday 2024/IMG_%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
        box->SetPopupMenu(kSlidePopupMenu);
        order.push_back(box.get());
        slides.push_back(std::move(box));
    }
    const QString path = QDir(context.workDir).filePath(QStringLiteral("bench.vsw"));
    const double save = MedianMilliseconds(5, [&] { SaveProject(path, order, QStringLiteral("/music/theme.mp3")); });
    PrintFigure(QStringLiteral("project save, 1000 slides of 200x150"), save, "ms",
                QStringLiteral("%1 MB").arg(double(QFileInfo(path).size()) / 1e6, 0, 'f', 1));
    size_t read = 0;
    const double open = MedianMilliseconds(5, [&] { read = OpenProject(path).slides.size(); });
    PrintFigure(QStringLiteral("project open, 1000 slides of 200x150"), open, "ms",
                QStringLiteral("%1 slides read").arg(read));
    // Slides that were read keep their BMP bytes and are written unchanged.
    const OpenedProject opened = OpenProject(path);
    std::vector<const RectBoxProperties *> again;
    for (const auto &slide : opened.slides)
        again.push_back(slide.get());
    const double resave = MedianMilliseconds(5, [&] { SaveProject(path, again, opened.header.audioPath); });
    PrintFigure(QStringLiteral("project save of the opened slides"), resave, "ms");
}

// The same without the disk: what the encoding and decoding cost alone.
VISTRANO_BENCH(ProjectInMemory)
{
    std::vector<std::unique_ptr<RectBoxProperties>> slides;
    std::vector<const RectBoxProperties *> order;
    for (int i = 0; i < 1000; ++i) {
        QImage thumbnail(200, 150, QImage::Format_BGR888);
        thumbnail.fill(Qt::red);
        auto box = std::make_unique<RectBoxProperties>();
        box->SetPicture(thumbnail);
        order.push_back(box.get());
        slides.push_back(std::move(box));
    }
    QByteArray bytes;
    PrintFigure(QStringLiteral("project bytes in memory, 1000 slides"), MedianMilliseconds(3, [&] { bytes = ProjectBytes(order, {}); }), "ms");
    PrintFigure(QStringLiteral("project read from memory, 1000 slides"), MedianMilliseconds(3, [&] { ReadProject({reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size())}); }), "ms");
}
