#include "common/FileIdentity.h"

#include "common/FileNames.h"
#include "common/VistranoError.h"

#include <optional>

#include <sys/stat.h>

namespace {

struct Identity
{
    dev_t device;
    ino_t inode;

    bool operator==(const Identity &) const = default;
};

std::optional<Identity> IdentityOf(const QString &path)
{
    struct stat info = {};
    const QByteArray name = EncodeFileName(path);
    if (name.isEmpty() || ::stat(name.constData(), &info) != 0)
        return std::nullopt;
    return Identity{info.st_dev, info.st_ino};
}

} // namespace

bool SameFile(const QString &a, const QString &b)
{
    const auto first = IdentityOf(a);
    return first && first == IdentityOf(b);
}

QString InputAtOutput(const QString &output, const QStringList &inputs)
{
    const auto target = IdentityOf(output);
    if (!target)
        return {};
    for (const QString &input : inputs) {
        if (IdentityOf(input) == target)
            return input;
    }
    return {};
}

void RefuseWritingOverInputs(const QString &output, const QStringList &inputs)
{
    const QString input = InputAtOutput(output, inputs);
    if (!input.isEmpty())
        throw VistranoError(QStringLiteral("The output file %1 is the input file %2 itself. Choose another output file.")
                                .arg(output, input));
}
