#pragma once

#include <QString>

class QFileDialog;

// The settings that keep the folder last used for each kind of file, so
// that its dialogs start there and not in the home folder.
inline constexpr char kProjectFolderSetting[] = "ProjectFolder";
inline constexpr char kShowFolderSetting[] = "ShowFolder";
inline constexpr char kAudioFolderSetting[] = "AudioFolder";

// Runs a file dialog offering the name last chosen in it (a bare name in
// the folder the dialog shows). The dialog starts in the folder last used
// for its kind of file (the setting), else in the folder of the name last
// chosen; the folder of the chosen file becomes the one of its kind. The
// chosen path, or an empty one when the dialog was cancelled.
QString RunFileDialog(QFileDialog *dialog, QString &lastName, const QString &folderSetting = {});
