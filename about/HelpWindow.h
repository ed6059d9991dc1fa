#pragma once

#include "about/HelpPages.h"

#include <QMainWindow>

class QLineEdit;
class QListWidget;
class QTextBrowser;
class QUrl;

// The in-program help window: the index of keywords at the left, the page at
// the right, with Contents, Back and Forward. Links to the web and to mail
// open in the desktop's programs.
class THelpWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit THelpWindow(const QString &folder, QWidget *parent = nullptr);

    // Shows a page of the help folder, by its file name, and brings the
    // window up.
    void ShowPage(const QString &page);
    // Shows the index with the keyword looked up, and its page when found.
    void ShowIndex(const QString &keyword);

    QString CurrentPage() const;
    QTextBrowser *Browser() const { return m_browser; }
    QListWidget *Index() const { return m_index; }

private:
    void BringUp();
    void FilterIndex(const QString &text);
    void OpenIndexEntry();
    void PageChanged(const QUrl &url);

    QString m_folder;
    QList<THelpIndexEntry> m_entries;
    QTextBrowser *m_browser = nullptr;
    QLineEdit *m_find = nullptr;
    QListWidget *m_index = nullptr;
};
