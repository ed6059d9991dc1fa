#pragma once

#include "slides/ProjSettings.h"
#include <QObject>
#include <QPointer>

class QFileDialog;
class QWidget;
class TSlideStrip;

// The File menu's project commands: "New", "Open" and "Save As...", with
// their dialogs OpenDialog1 and SaveDialog1, each remembering the name last
// chosen in it.
class TProjectCommands : public QObject
{
    Q_OBJECT

public:
    TProjectCommands(TSlideStrip *strip, QWidget *window, QObject *parent = nullptr);

    void SetProjectSettings(TfrmProjSettings *dialog) { m_projectSettings = dialog; }

    // New: every slide goes, the audio file is emptied, and the project
    // settings dialog is shown.
    void New1Click();
    // Open: adds the slides of the chosen project to the strip.
    void Open1Click();
    // Save As: writes the project to the chosen file.
    void Save2Click();

    // The work of Open and Save As once the file is chosen. Errors
    // propagate; a project whose records fail part-way keeps the slides read
    // before the failing one and the audio path, then fails with the
    // record's message.
    void OpenProjectFile(const QString &path);
    void SaveProjectFile(const QString &path);

    QFileDialog *SaveDialog1;
    QFileDialog *OpenDialog1;

private:
    QString AudioFile() const;

    TSlideStrip *m_strip;
    QPointer<TfrmProjSettings> m_projectSettings;
    QString m_lastSaved;
    QString m_lastOpened;
};

// Runs a file dialog showing the name last chosen in it (in its folder when
// it is a full path); the chosen path, or an empty one when it was
// cancelled. The dialogs start in the home folder.
QString RunFileDialog(QFileDialog *dialog, QString &lastName);
