#include "project/Transitions.h"

#include <cmath>

const QStringList &TransitionNames()
{
    static const QStringList names = {
        QStringLiteral("Cut"),
        QStringLiteral("Dissolve"),
        QStringLiteral("Wipe From Left"),
        QStringLiteral("Wipe From Right"),
        QStringLiteral("Wipe From Top"),
        QStringLiteral("Wipe From Bottom"),
    };
    return names;
}

QString TransitionName(double code)
{
    if (code != std::floor(code) || code < 0 || code >= TransitionNames().size())
        return {};
    return TransitionNames()[qsizetype(code)];
}

std::optional<int> TransitionCode(const QString &nameOrCode)
{
    const QStringList &names = TransitionNames();
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names[i].compare(nameOrCode.trimmed(), Qt::CaseInsensitive) == 0)
            return int(i);
    }
    bool ok = false;
    const int code = nameOrCode.toInt(&ok);
    if (ok && code >= 0 && code < names.size())
        return code;
    return std::nullopt;
}
