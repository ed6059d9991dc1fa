#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;
class QGroupBox;

// The Edit Bookmarks dialog fBMEdit: reorders, deletes and clears the
// bookmarks. Each time it is shown it reads its lines from the bookmarks
// file (keeping the lines it had when the file cannot be read) and selects
// the first line; the caller writes Lines() back after OK.
class TfBMEdit : public QDialog
{
    Q_OBJECT

public:
    explicit TfBMEdit(const QString &bookmarksFile, QWidget *parent = nullptr);

    QStringList Lines() const;
    void SetLines(const QStringList &lines);
    int SelectedLine() const;

public slots:
    void BitBtn3Click(); // Up
    void BitBtn4Click(); // Down
    void BitBtn5Click(); // Delete
    void BitBtn6Click(); // Clear

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ArrangeForFont();
    void FormShow();
    void Select(int line);

    QString m_file;
    QListWidget *ListBox1;
    QGroupBox *GroupBox1;
    QGroupBox *GroupBox2;
    QPushButton *BitBtn3;
    QPushButton *BitBtn4;
    QPushButton *BitBtn5;
    QPushButton *BitBtn6;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;
};
