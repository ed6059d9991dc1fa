#pragma once

#include <QStackedWidget>

class QAbstractItemView;
class QItemSelectionModel;
class QListView;
class QTreeView;
class TFileListModel;
class TThumbnailDelegate;

// The file list LV1: one model shown either as a report (rows with the four
// columns) or as large icons (thumbnails), with one selection shared by
// both views. Several rows can be selected; dragging selected rows starts a
// drag of their files.
class TFileListView : public QStackedWidget
{
    Q_OBJECT

public:
    enum ViewStyle { Report, Icons };

    TFileListView(TFileListModel *model, int thumbnailSize, QWidget *parent = nullptr);

    void SetViewStyle(ViewStyle style);
    ViewStyle CurrentViewStyle() const { return m_style; }

    QTreeView *ReportView() const { return m_report; }
    QListView *IconView() const { return m_icons; }
    QAbstractItemView *ActiveView() const;
    QItemSelectionModel *SelectionModel() const;

    // The selected rows, top to bottom.
    QList<int> SelectedRows() const;
    void ClearSelection();
    // Selects the row alone, makes it current and scrolls it wholly into view.
    void SelectOnly(int row);

    // Shows which column the list is sorted by, and in which direction.
    void ShowSortIndicator(int column, bool ascending);

signals:
    // A click anywhere in the list (LV1Click), a double click (LV1DblClick),
    // and a click on a column header (LV1ColumnClick).
    void Clicked();
    void DoubleClicked();
    void ColumnClicked(int column);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TFileListModel *m_model;
    QTreeView *m_report;
    QListView *m_icons;
    TThumbnailDelegate *m_delegate;
    ViewStyle m_style = Report;
};
