#include "about/WebLinks.h"

#include "about/MakerAddresses.h"

#include <QDesktopServices>
#include <QUrl>

void OpenMakerWebSite()
{
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kMakerWebAddress)));
}

void OpenSupportMail()
{
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + QString::fromLatin1(kMakerSupportEmail)));
}
