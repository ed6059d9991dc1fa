#include "cli/CliArguments.h"
#include "cli/CliCommand.h"
#include "cli/FormatsCommand.h"
#include "imaging/FileFormatList.h"
#include "imaging/FormatRegistration.h"

#include <cstdio>

int RunFormats(const QStringList &args)
{
    CliArguments::Parse(args, {}, 0, 0);
    const TFileFormatList *list = FileFormatList();
    for (int i = 0; list && i < list->ExtensionCount(); ++i) {
        const TFileFormatList::ExtensionRecord &record = list->Extension(i);
        std::printf("%s\t%s\t%s\n", record.extension.toUtf8().constData(),
                    list->HandedOnDescription(i).toUtf8().constData(), record.classRecord->graphicClass->name);
    }
    return 0;
}
