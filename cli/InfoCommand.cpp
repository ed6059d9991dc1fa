#include "cli/CliCommand.h"
#include "cli/InfoCommand.h"
#include "common/VistranoError.h"
#include "project/ProjectFile.h"
#include "project/SlideMotion.h"
#include "project/Transitions.h"

#include <QLocale>

#include <cstdio>

namespace {

QString Number(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

// One line per slide: a tab, a line break or a carriage return inside a text
// is written as \t, \n or \r so that the fields stay apart.
QString Field(QString text)
{
    text.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    text.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return text;
}

void PrintLine(const QString &line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
}

} // namespace

int RunInfo(const QStringList &args)
{
    if (args.size() != 1 || args[0].startsWith(QLatin1String("--")))
        throw UsageError();
    int number = 0;
    // The slides are listed as they are read, one at a time, so a large
    // project is never held whole.
    const auto printHeader = [](const ProjectHeader &header) {
        PrintLine(QStringLiteral("version %1").arg(header.version));
        PrintLine(QStringLiteral("slides %1").arg(header.slideCount));
        PrintLine(QStringLiteral("audio %1").arg(Field(header.audioPath)));
    };
    const OpenedProject project = ListProject(args[0], printHeader, [&](const RectBoxProperties &slide) {
        const QStringList fields = {
            QString::number(++number),
            QString::number(slide.Left()),
            QString::number(slide.Top()),
            QString::number(slide.Width()),
            QString::number(slide.Height()),
            Number(slide.AbLeft()),
            Number(slide.AbTop()),
            TransitionName(slide.AbTop()),
            QString::number(slide.Rotation()),
            QString::number(slide.PictureWidth()),
            QString::number(slide.PictureHeight()),
            Field(slide.FileName()),
            Field(slide.Caption()),
            // Last, so that the fields before it keep their places.
            SlideMotionNames().value(int(slide.Motion())),
        };
        PrintLine(fields.join(QLatin1Char('\t')));
    });
    std::fflush(stdout);
    // The slides before a record that cannot be read are listed; the
    // record's error ends the command.
    if (!project.Complete())
        throw VistranoError(project.error);
    return 0;
}
