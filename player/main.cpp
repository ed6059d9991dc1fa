// The slideshow player. A built show is a copy of this program with the
// show's sections appended; the player reads them from its own file.

#include "common/VistranoError.h"
#include "player/FrameExport.h"
#include "player/PlayerMessages.h"
#include "player/PlayerWindow.h"
#include "show/ShowPackage.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
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

struct PlayerArguments
{
    bool help = false;
    const char *frames = nullptr; // the folder for --frames
    QString error;                // what is wrong with the arguments
};

// Read before the application exists, so that asking for the usage needs no
// display.
PlayerArguments ReadArguments(int argc, char **argv)
{
    PlayerArguments arguments;
    for (int i = 1; i < argc && arguments.error.isEmpty(); ++i) {
        const char *argument = argv[i];
        if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0)
            arguments.help = true;
        else if (std::strcmp(argument, "--frames") == 0 && i + 1 < argc)
            arguments.frames = argv[++i];
        else if (std::strcmp(argument, "--frames") == 0)
            arguments.error = QStringLiteral("The option --frames needs a folder");
        else
            arguments.error = QStringLiteral("Unknown argument: %1").arg(QString::fromLocal8Bit(argument));
    }
    return arguments;
}

void PrintUsage(std::FILE *out, const char *program)
{
    const QByteArray name = QFileInfo(QString::fromLocal8Bit(program)).fileName().toLocal8Bit();
    std::fprintf(out,
                 "Usage: %s [--frames FOLDER]\n"
                 "Plays the slideshow that this program holds, full screen.\n"
                 "  --frames FOLDER  writes every slide, and the middle of the transition into it,\n"
                 "                   as PNG files into FOLDER and lists the slides (number,\n"
                 "                   seconds, transition, caption), without a display\n"
                 "  --help           shows this text\n"
                 "While the show plays: Escape or Q ends it, Space pauses it or goes on,\n"
                 "Right arrow or Page Down goes to the next slide, Left arrow or Page Up\n"
                 "to the previous one.\n",
                 name.constData());
}

void PrintLines(const QStringList &lines)
{
    for (const QString &line : lines)
        std::fprintf(stderr, "%s\n", line.toUtf8().constData());
}

} // namespace

int main(int argc, char *argv[])
{
    const PlayerArguments arguments = ReadArguments(argc, argv);
    if (arguments.help || !arguments.error.isEmpty()) {
        if (!arguments.error.isEmpty())
            std::fprintf(stderr, "%s\n", arguments.error.toLocal8Bit().constData());
        PrintUsage(arguments.help && arguments.error.isEmpty() ? stdout : stderr, argv[0]);
        return arguments.error.isEmpty() ? 0 : 2;
    }
    const char *frames = arguments.frames;
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
        for (const ShowSlide &slide : show.slides)
            std::printf("%s\n", SlideLine(slide).toUtf8().constData());
        return std::fflush(stdout) == 0 ? 0 : 1;
    }

    PlayerWindow window(show, message);
    // Without a window manager, full screen alone leaves the window small.
    if (QScreen *screen = QGuiApplication::primaryScreen())
        window.setGeometry(screen->geometry());
    window.showFullScreen();
    window.Start();
    return app.exec();
}
