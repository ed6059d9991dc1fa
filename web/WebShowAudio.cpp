#include "web/WebShowAudio.h"

#include "common/VistranoError.h"
#include "common/WholeFile.h"
#include "video/AacTrack.h"
#include "video/LoopedAudio.h"
#include "video/Mp4Muxer.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cmath>
#include <memory>

extern "C" {
#include <libavutil/log.h>
}

namespace {

QByteArray ConvertToAac(const QString &path, double showSeconds)
{
    // The libraries' own remarks are not for the user: every failure comes
    // back as an error code and is reported with a message of our own.
    av_log_set_level(AV_LOG_QUIET);
    auto audio = std::make_unique<LoopedAudio>(path);
    const QTemporaryDir folder;
    if (!folder.isValid())
        throw VistranoError(QStringLiteral("The background audio cannot be converted: no temporary folder"));
    const QString m4a = folder.filePath(QStringLiteral("audio.m4a"));
    const int64_t samples =
        std::max<int64_t>(1, int64_t(std::ceil(showSeconds * LoopedAudio::kSampleRate)));
    {
        Mp4Muxer muxer(m4a, QFileInfo(path).fileName());
        AacTrack sound(muxer, std::move(audio), samples);
        muxer.Open();
        sound.Finish();
        muxer.Finish();
    }
    return ReadWholeFile(m4a);
}

} // namespace

bool LooksLikeMp3(const QByteArray &bytes)
{
    if (bytes.startsWith("ID3"))
        return true;
    // Frame sync, MPEG version not reserved, layer III.
    return bytes.size() >= 4 && uchar(bytes[0]) == 0xFF && (uchar(bytes[1]) & 0xE0) == 0xE0
           && (uchar(bytes[1]) & 0x18) != 0x08 && (uchar(bytes[1]) & 0x06) == 0x02;
}

WebShowAudio MakeWebShowAudio(const QString &path, double showSeconds)
{
    QByteArray bytes = ReadWholeFile(path);
    if (LooksLikeMp3(bytes))
        return WebShowAudio{std::move(bytes), "audio/mpeg", true};
    bytes.clear();
    return WebShowAudio{ConvertToAac(path, showSeconds), "audio/mp4", false};
}
