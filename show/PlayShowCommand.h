#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

class QProcess;
class TSlideshowCommand;

// The File menu's "Play Show" (F5): the strip, as it stands, is built with
// the current slideshow options into a package in the user's cache folder
// (on the build's worker thread, as "Create Slideshow" builds), the package
// is started, and it is deleted once the show has ended. So a show can be
// checked before it is saved or built.
class TPlayShowCommand : public QObject
{
    Q_OBJECT

public:
    explicit TPlayShowCommand(TSlideshowCommand *build, QObject *parent = nullptr);
    // Ends the shows still playing and deletes their packages.
    ~TPlayShowCommand() override;

    void PlayShow1Click();

    // Arguments given to every show started (none in the program).
    void SetPlayerArguments(const QStringList &arguments) { m_arguments = arguments; }
    QString PackageFolder() const { return m_folder; }
    int ShowsPlaying() const { return int(m_players.size()); }

signals:
    // A show has ended and its package is deleted.
    void ShowEnded(int exitCode);

private:
    void BuildFinished(bool succeeded);
    void StartPlayer(const QString &package);

    QPointer<TSlideshowCommand> m_build;
    QString m_folder;
    QString m_pending; // the package being built
    QStringList m_arguments;
    QList<QProcess *> m_players;
};
