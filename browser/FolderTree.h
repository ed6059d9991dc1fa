#pragma once

#include <QTreeView>

class QFileSystemModel;
class QTimer;

// The folder tree STV1: the folders of the file system from the root down
// (the home folder among them), read-only. Choosing a folder expands it;
// every change of the selected folder is signalled.
class TFolderTree : public QTreeView
{
    Q_OBJECT

public:
    explicit TFolderTree(QWidget *parent = nullptr);

    // The selected folder's full path; empty when nothing is selected.
    QString SelectedFolder() const;

    // Selects the folder (its parents expand, it scrolls into view). False
    // when there is no such folder; the selection is then left alone.
    bool SelectFolder(const QString &path);

    // Brings the row into view up and down only: the names of deep folders
    // are read from their left end, so the tree stays scrolled sideways as
    // the user left it.
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

signals:
    // The selected folder changed (STV1Change).
    void FolderChanged();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void CurrentChanged(const QModelIndex &current);
    void KeepChosenInView();
    void UserTookOver();

    QFileSystemModel *m_model;
    // The folder last chosen, and whether the model is rearranging its rows
    // (while it does, a moved current row is not a choice of the user).
    QString m_selectedPath;
    int m_modelChanging = 0;
    // A folder chosen by the program (at start-up, from a bookmark) stays in
    // view while the background reader fills in and sorts its neighbours,
    // until the user scrolls, clicks or types in the tree.
    bool m_keepChosenInView = false;
    QTimer *m_scrollTimer;
};
