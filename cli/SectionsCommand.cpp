#include "cli/CliCommand.h"
#include "cli/SectionsCommand.h"
#include "common/VistranoError.h"
#include "show/PackageFile.h"
#include "show/PackageReader.h"

#include <cstdio>

int RunSections(const QStringList &args)
{
    if (args.isEmpty() || args.size() > 2)
        throw UsageError();
    const QString path = args[0];
    const QByteArray package = LoadFileAsBytes(path);

    const PackageIndex index(package);
    if (args.size() == 1) {
        const SectionListing &listing = index.Listing();
        for (const ListedSection &section : listing.sections)
            std::printf("%s\t%lld\n", section.key.constData(), static_cast<long long>(section.valueLength));
        std::fflush(stdout);
        if (!listing.problem.isEmpty())
            throw VistranoError(listing.problem);
        return 0;
    }

    const QString key = args[1];
    const SectionLookup found = index.Find(key.toUtf8());
    if (found.state == SectionState::Missing)
        throw VistranoError(QStringLiteral("No section %1 in %2").arg(key, path));
    if (found.state == SectionState::Damaged)
        throw VistranoError(QStringLiteral("The section %1 in %2 is cut off or damaged").arg(key, path));
    if (std::fwrite(found.value.data(), 1, size_t(found.value.size()), stdout) != size_t(found.value.size())
        || std::fflush(stdout) != 0)
        throw EWriteError();
    return 0;
}
