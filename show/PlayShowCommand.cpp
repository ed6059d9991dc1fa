#include "show/PlayShowCommand.h"

#include "shell/Messages.h"
#include "show/PlayPackages.h"
#include "show/SlideshowCommand.h"

#include <QDir>
#include <QFile>
#include <QProcess>

TPlayShowCommand::TPlayShowCommand(TSlideshowCommand *build, QObject *parent) : QObject(parent), m_build(build)
{
    connect(build, &TSlideshowCommand::BuildFinished, this, &TPlayShowCommand::BuildFinished);
}

TPlayShowCommand::~TPlayShowCommand()
{
    for (QProcess *player : m_players) {
        disconnect(player, nullptr, this, nullptr);
        const QString package = player->program();
        player->kill();
        player->waitForFinished(5000);
        QFile::remove(package);
    }
    if (!m_pending.isEmpty())
        QFile::remove(m_pending);
}

void TPlayShowCommand::PlayShow1Click()
{
    if (!m_build || !m_build->MayBuild())
        return;
    m_folder = PlayPackageFolder();
    RemoveStalePlayPackages(m_folder);
    m_pending = NewPlayPackagePath(m_folder);
    m_build->Build(m_pending);
    if (!m_build->Running()) {
        QFile::remove(m_pending);
        m_pending.clear();
    }
}

void TPlayShowCommand::BuildFinished(bool succeeded)
{
    // Builds of "Create Slideshow" end here too.
    if (m_pending.isEmpty())
        return;
    const QString package = m_pending;
    m_pending.clear();
    if (!succeeded) {
        QFile::remove(package);
        return;
    }
    StartPlayer(package);
}

void TPlayShowCommand::StartPlayer(const QString &package)
{
    auto *player = new QProcess(this);
    player->setProgram(package);
    player->setArguments(m_arguments);
    player->setWorkingDirectory(QDir::homePath());
    player->setProcessChannelMode(QProcess::ForwardedChannels);
    m_players << player;
    auto ended = [this, player, package](int exitCode) {
        m_players.removeOne(player);
        player->deleteLater();
        QFile::remove(package);
        emit ShowEnded(exitCode);
    };
    connect(player, &QProcess::finished, this, [ended](int exitCode) { ended(exitCode); });
    connect(player, &QProcess::errorOccurred, this, [player, ended](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        ReportError(tr("The slideshow could not be started:\n%1").arg(player->errorString()));
        ended(-1);
    });
    player->start();
}
