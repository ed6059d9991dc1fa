#pragma once

#include "slides/ProjSettings.h"
#include <QObject>
#include <QPointer>
#include <QStringList>

class QFileDialog;
class QWidget;
class TProjectState;
class TSlideStrip;

// The File menu's project commands: "New", "Open", "Save", "Save As..." and
// "Recent Projects", with their dialogs OpenDialog1 and SaveDialog1, each
// remembering the name last chosen in it and starting in the folder last
// used for projects. The project's file and whether it has unsaved changes
// are kept in State(); before New, Open or the end of the program throws
// changes away, the user is asked whether to save them.
class TProjectCommands : public QObject
{
    Q_OBJECT

public:
    TProjectCommands(TSlideStrip *strip, QWidget *window, QObject *parent = nullptr);

    // The audio file field is part of the project.
    void SetProjectSettings(TfrmProjSettings *dialog);
    TProjectState *State() const { return m_state; }

    // New: every slide goes, the audio file is emptied, and the project
    // settings dialog is shown.
    void New1Click();
    // Open: adds the slides of the chosen project to the strip.
    void Open1Click();
    // Save: to the project's own file; Save As for a project without one.
    void Save1Click();
    // Save As: writes the project to the chosen file.
    void Save2Click();
    // Opens a project of the recent list as Open does; a file that is gone
    // is taken off the list with a message.
    void OpenRecentProject(const QString &path);
    QStringList RecentProjects() const { return m_recent; }

    // Asks "Save changes to the project?" when the strip holds changes that
    // are not saved, and saves them when the user says so. False when the
    // user cancelled (or the save did not happen): the command that asked
    // must not go on.
    bool QueryDiscardChanges();

    // The work of Open and Save As once the file is chosen. Errors
    // propagate; a project whose records fail part-way keeps the slides read
    // before the failing one and the audio path, then fails with the
    // record's message.
    void OpenProjectFile(const QString &path);
    void SaveProjectFile(const QString &path);

    QFileDialog *SaveDialog1;
    QFileDialog *OpenDialog1;

signals:
    void RecentProjectsChanged();

private:
    QString AudioFile() const;
    bool SaveProject();
    bool SaveProjectAs();
    void SetRecentProjects(const QStringList &recent);

    TSlideStrip *m_strip;
    TProjectState *m_state;
    QPointer<TfrmProjSettings> m_projectSettings;
    QString m_lastSaved;
    QString m_lastOpened;
    QStringList m_recent;
};
