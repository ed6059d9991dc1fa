#include "tests/support/TestFiles.h"

#include "tests/support/ChildLimits.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <gtest/gtest.h>

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

bool ToolAvailable(const QString &name)
{
    return !QStandardPaths::findExecutable(name).isEmpty();
}

void KeepUserCacheIn(const TestFolder &folder)
{
    qputenv("XDG_CACHE_HOME", folder.Root().toUtf8());
}
