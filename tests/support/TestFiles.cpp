#include "tests/support/TestFiles.h"

#include "tests/support/ChildLimits.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cmath>

TestFolder::TestFolder() : m_dir(std::make_unique<QTemporaryDir>())
{
    if (!m_dir->isValid())
        ADD_FAILURE() << "cannot create a temporary folder";
}

QString TestFolder::Root() const { return m_dir->path(); }

QString TestFolder::Path(const QString &name) const { return m_dir->filePath(name); }

QString TestFolder::Write(const QString &name, const QByteArray &bytes) const
{
    const QString path = Path(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
    return path;
}

QByteArray ReadFileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString BuiltProgram(const QString &name)
{
    return QString::fromUtf8(VISTRANO_BIN_DIR_FOR_SUPPORT) + QLatin1Char('/') + name;
}

QByteArray ByteString(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

int RunProgram(const QString &program, const QStringList &args, QByteArray *out, QByteArray *err, int timeoutMs)
{
    ChildLimits limits;
    limits.seconds = (timeoutMs + 999) / 1000;
    return RunLimitedProgram(limits, program, args, out, err);
}

void KeepUserCacheIn(const TestFolder &folder)
{
    qputenv("XDG_CACHE_HOME", folder.Root().toUtf8());
}

QByteArray ToneWav(double seconds, int rate)
{
    const int count = int(seconds * rate);
    QByteArray samples(2 * count, Qt::Uninitialized);
    for (int i = 0; i < count; ++i) {
        const auto value = qint16(8192 * std::sin(2 * M_PI * 440 * i / rate));
        samples[2 * i] = char(value & 0xFF);
        samples[2 * i + 1] = char((value >> 8) & 0xFF);
    }
    auto le32 = [](quint32 v) { return QByteArray(reinterpret_cast<const char *>(&v), 4); };
    auto le16 = [](quint16 v) { return QByteArray(reinterpret_cast<const char *>(&v), 2); };
    return "RIFF" + le32(36 + quint32(samples.size())) + "WAVEfmt " + le32(16) + le16(1) + le16(1) + le32(quint32(rate))
           + le32(quint32(rate) * 2) + le16(2) + le16(16) + "data" + le32(quint32(samples.size())) + samples;
}
