#include "tests/support/RequiredTools.h"

#include "tests/support/TestFiles.h"

#include <QFileInfo>
#include <QStandardPaths>

QString ConvertProgram()
{
    for (const char *candidate : {"/usr/bin/convert", "/usr/bin/convert-im6.q16", "/usr/bin/magick"})
        if (QFileInfo(QString::fromLatin1(candidate)).isExecutable())
            return QString::fromLatin1(candidate);
    return {};
}

QString PillowPython()
{
    static const QString found = [] {
        for (const QString &candidate : {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
            if (ToolAvailable(candidate) && RunProgram(candidate, {"-c", "import PIL.Image"}) == 0)
                return candidate;
        }
        return QString();
    }();
    return found;
}

bool ToolAvailable(const QString &name)
{
    if (name.contains(QLatin1Char('/')))
        return QFileInfo(name).isExecutable();
    return !QStandardPaths::findExecutable(name).isEmpty();
}

QString MissingTools(const QStringList &tools)
{
    QStringList missing;
    for (const QString &tool : tools) {
        const bool found = tool == QLatin1String("convert") ? !ConvertProgram().isEmpty()
                           : tool == QLatin1String("PIL")   ? !PillowPython().isEmpty()
                                                            : ToolAvailable(tool);
        if (!found)
            missing << (tool == QLatin1String("PIL") ? QStringLiteral("python3 with PIL (python3-pil)") : tool);
    }
    return missing.join(QStringLiteral(", "));
}

bool ToolsRequired()
{
    return !qEnvironmentVariableIsEmpty("VISTRANO_REQUIRE_TOOLS");
}
