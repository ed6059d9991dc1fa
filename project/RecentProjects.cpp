#include "project/RecentProjects.h"

#include <QFileInfo>

namespace {

// One file named two ways ("a/../b.vsw", "b.vsw" from another current
// folder) is one entry.
QString Canonical(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

QStringList WithRecentProject(const QStringList &recent, const QString &path)
{
    QStringList list = WithoutRecentProject(recent, path);
    list.prepend(Canonical(path));
    while (list.size() > kRecentProjectCount)
        list.removeLast();
    return list;
}

QStringList WithoutRecentProject(const QStringList &recent, const QString &path)
{
    const QString gone = path.isEmpty() ? QString() : Canonical(path);
    QStringList list;
    for (const QString &entry : recent) {
        if (!entry.isEmpty() && Canonical(entry) != gone && !list.contains(Canonical(entry)))
            list << Canonical(entry);
    }
    return list;
}
