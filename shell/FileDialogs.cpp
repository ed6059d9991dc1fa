#include "shell/FileDialogs.h"

#include "shell/Settings.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QListView>
#include <QScreen>
#include <QTreeView>

namespace {

const char kSizedProperty[] = "vistranoSized";

} // namespace

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
    // Qt's own dialog opens so small that its columns cut sizes and types
    // short; it opens roomier, within the screen, and then keeps the size
    // the user gives it.
    if (!dialog->property(kSizedProperty).toBool()) {
        dialog->setProperty(kSizedProperty, true);
        QSize size = dialog->size().expandedTo(QSize(760, 480));
        if (const QScreen *screen = dialog->screen())
            size = size.boundedTo(screen->availableGeometry().size() - QSize(8, 40));
        dialog->resize(size);
        // Its columns as wide as what they show; the names take the rest.
        if (auto *files = dialog->findChild<QTreeView *>(QStringLiteral("treeView"))) {
            QHeaderView *columns = files->header();
            columns->setStretchLastSection(false);
            for (int column = 1; column < columns->count(); ++column)
                columns->setSectionResizeMode(column, QHeaderView::ResizeToContents);
            columns->setSectionResizeMode(0, QHeaderView::Stretch);
        }
        if (auto *places = dialog->findChild<QListView *>(QStringLiteral("sidebar")))
            places->setMinimumWidth(places->sizeHintForColumn(0) + 2 * places->frameWidth() + 8);
    }
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
