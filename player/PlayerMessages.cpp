#include "player/PlayerMessages.h"

#include "show/ShowPackage.h"

QString ShowMessage(const ShowPackage &show)
{
    if (!show.hasSections)
        return QStringLiteral("This slideshow holds no slides.");
    if (show.slides.empty()) {
        QString message = QStringLiteral("This slideshow is damaged and holds no slide to show.");
        if (!show.problems.isEmpty())
            message += QLatin1Char(' ') + show.problems.join(QLatin1Char(' '));
        return message;
    }
    return {};
}
