#include "shell/FileDialogs.h"

#include "shell/Settings.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>
#include <QFileInfo>

QString RunFileDialog(QFileDialog *dialog, QString &lastName, const QString &folderSetting)
{
    const QFileInfo last(lastName);
    if (!lastName.isEmpty() && last.isAbsolute())
        dialog->setDirectory(last.absolutePath());
    if (!folderSetting.isEmpty()) {
        const QString folder = ReadSetting(SettingsKey(), folderSetting, QString());
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            dialog->setDirectory(folder);
    }
    if (!lastName.isEmpty())
        dialog->selectFile(last.fileName());
    const int result = dialog->exec();
    // A name typed with the completion list showing can leave the list up
    // after the dialog has closed.
    for (QCompleter *completer : dialog->findChildren<QCompleter *>()) {
        if (completer->popup())
            completer->popup()->hide();
    }
    if (result != QDialog::Accepted)
        return {};
    const QStringList chosen = dialog->selectedFiles();
    if (chosen.isEmpty())
        return {};
    lastName = chosen.first();
    if (!folderSetting.isEmpty())
        WriteSetting(SettingsKey(), folderSetting, QFileInfo(lastName).absolutePath());
    return lastName;
}
