#include "video/AudioInput.h"

#include "common/FileNames.h"
#include "common/VistranoError.h"
#include "video/LibavError.h"

#include <QFileInfo>

#include <sys/stat.h>

namespace {

// The containers background audio comes in. Others (playlists, concatenation
// lists) would make the demuxer open further files or addresses.
constexpr const char *kFormats = "wav,mp3,flac,ogg,aac,aiff,mov,mp4,m4a,3gp,3g2,mj2,matroska,webm";

} // namespace

InputPtr OpenAudioInput(const QString &path)
{
    // Only a regular file: a FIFO or a device would block or never end.
    struct stat info = {};
    const QByteArray name = EncodeFileName(QFileInfo(path).absoluteFilePath());
    if (::stat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        throw VistranoError(QStringLiteral("it is not a file that can be read"));
    const QByteArray url = "file:" + name;
    AVDictionary *options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    av_dict_set(&options, "format_whitelist", kFormats, 0);
    AVFormatContext *opened = nullptr;
    int result = avformat_open_input(&opened, url.constData(), nullptr, &options);
    av_dict_free(&options);
    if (result < 0)
        throw VistranoError(LibavErrorText(result));
    InputPtr input(opened);
    result = avformat_find_stream_info(input.get(), nullptr);
    if (result < 0)
        throw VistranoError(LibavErrorText(result));
    return input;
}

double AudioFileSeconds(const QString &path)
{
    av_log_set_level(AV_LOG_QUIET);
    try {
        const InputPtr input = OpenAudioInput(path);
        const int stream = av_find_best_stream(input.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
        if (stream < 0)
            throw VistranoError(QStringLiteral("it holds no sound"));
        // The stream's own length where the header gives one, else the
        // container's.
        const AVStream *audio = input->streams[stream];
        double seconds = -1;
        if (audio->duration != AV_NOPTS_VALUE && audio->duration > 0 && audio->time_base.den > 0)
            seconds = double(audio->duration) * av_q2d(audio->time_base);
        else if (input->duration != AV_NOPTS_VALUE && input->duration > 0)
            seconds = double(input->duration) / AV_TIME_BASE;
        if (!(seconds > 0) || !std::isfinite(seconds))
            throw VistranoError(QStringLiteral("its length is not known"));
        return seconds;
    } catch (const VistranoError &error) {
        throw VistranoError(QStringLiteral("The audio file %1 cannot be read: %2").arg(path, error.message()));
    }
}
