// The slideshow player. A built show is a copy of this program with the
// show's sections appended; the player reads them from its own file.

#include "common/VistranoError.h"
#include "player/FrameExport.h"
#include "player/PlayerMessages.h"
#include "player/PlayerWindow.h"
#include "show/ShowPackage.h"

#include <QApplication>
#include <QFile>
#include <QScreen>

#include <cstdio>
#include <cstring>

namespace {

// The program's own file, mapped rather than read, since a show of many
// slides is large; the package views point into it.
class OwnFile
{
public:
    bool Open(const QString &path)
    {
        m_file.setFileName(path);
        if (!m_file.open(QIODevice::ReadOnly))
            return false;
        const qint64 size = m_file.size();
        if (uchar *mapped = size > 0 ? m_file.map(0, size) : nullptr) {
            m_bytes = QByteArrayView(reinterpret_cast<const char *>(mapped), size);
            return true;
        }
        m_copy = m_file.readAll();
        m_bytes = m_copy;
        return m_copy.size() == size;
    }
    QByteArrayView Bytes() const { return m_bytes; }

private:
    QFile m_file;
    QByteArray m_copy;
    QByteArrayView m_bytes;
};

const char *FramesFolder(int argc, char **argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--frames") == 0)
            return argv[i + 1];
    }
    return nullptr;
}

void PrintLines(const QStringList &lines)
{
    for (const QString &line : lines)
        std::fprintf(stderr, "%s\n", line.toUtf8().constData());
}

} // namespace

int main(int argc, char *argv[])
{
    const char *frames = FramesFolder(argc, argv);
    // Frames need no screen.
    if (frames && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    OwnFile own;
    if (!own.Open(QCoreApplication::applicationFilePath())) {
        std::fprintf(stderr, "The slideshow cannot read its own file.\n");
        return 1;
    }
    const ShowPackage show = ReadShowPackage(own.Bytes());
    const QString message = ShowMessage(show);
    PrintLines(show.problems);
    for (const ShowSlide &slide : show.slides)
        PrintLines(slide.problems);
    if (!message.isEmpty())
        std::fprintf(stderr, "%s\n", message.toUtf8().constData());

    if (frames) {
        try {
            ExportFrames(show, QString::fromLocal8Bit(frames));
        } catch (const VistranoError &error) {
            std::fprintf(stderr, "%s\n", error.message().toUtf8().constData());
            return 1;
        }
        return 0;
    }

    PlayerWindow window(show, message);
    // Without a window manager, full screen alone leaves the window small.
    if (QScreen *screen = QGuiApplication::primaryScreen())
        window.setGeometry(screen->geometry());
    window.showFullScreen();
    window.Start();
    return app.exec();
}
