#include "browser/BookmarkEditor.h"

#include "browser/BookmarkEditing.h"
#include "browser/BookmarksFile.h"
#include "shell/DialogRows.h"

#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

TfBMEdit::TfBMEdit(const QString &bookmarksFile, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_file(bookmarksFile)
{
    setObjectName(QStringLiteral("fBMEdit"));
    setWindowTitle(tr("Edit Bookmarks"));
    setFixedSize(390, 273);
    setModal(true);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(8, 8, 281, 257);
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setTextElideMode(Qt::ElideMiddle);

    auto makeButton = [this](QWidget *parent, const char *name, const QString &caption, QStyle::StandardPixmap icon,
                             const QRect &place) {
        auto *button = new QPushButton(style()->standardIcon(icon), caption, parent);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(place);
        button->setAutoDefault(false);
        return button;
    };

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(297, 2, 85, 84);
    BitBtn3 = makeButton(GroupBox1, "BitBtn3", tr("Up"), QStyle::SP_ArrowUp, QRect(7, 18, 71, 27));
    BitBtn4 = makeButton(GroupBox1, "BitBtn4", tr("Down"), QStyle::SP_ArrowDown, QRect(7, 50, 71, 27));

    GroupBox2 = new QGroupBox(this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(297, 92, 85, 84);
    BitBtn5 = makeButton(GroupBox2, "BitBtn5", tr("Delete"), QStyle::SP_DialogDiscardButton, QRect(7, 18, 71, 27));
    BitBtn6 = makeButton(GroupBox2, "BitBtn6", tr("Clear"), QStyle::SP_DialogResetButton, QRect(7, 50, 71, 27));

    BitBtn1 = makeButton(this, "BitBtn1", tr("OK"), QStyle::SP_DialogOkButton, QRect(297, 204, 85, 27));
    BitBtn2 = makeButton(this, "BitBtn2", tr("Cancel"), QStyle::SP_DialogCancelButton, QRect(297, 238, 85, 27));
    BitBtn1->setDefault(true);

    ArrangeForFont();

    connect(BitBtn3, &QPushButton::clicked, this, &TfBMEdit::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TfBMEdit::BitBtn4Click);
    connect(BitBtn5, &QPushButton::clicked, this, &TfBMEdit::BitBtn5Click);
    connect(BitBtn6, &QPushButton::clicked, this, &TfBMEdit::BitBtn6Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TfBMEdit::ArrangeForFont()
{
    // The buttons' column widens for a wide font and grows down for a tall
    // one; the list takes the height the column needs.
    const QList<QPushButton *> buttons{BitBtn3, BitBtn4, BitBtn5, BitBtn6, BitBtn1, BitBtn2};
    int column = 85;
    for (QPushButton *button : buttons) {
        FitText(button);
        column = std::max(column, button->width() + (button->parentWidget() == this ? 0 : 14));
    }
    for (QPushButton *button : buttons)
        button->resize(button->parentWidget() == this ? column : column - 14, button->height());
    for (QGroupBox *group : {GroupBox1, GroupBox2}) {
        const QList<QPushButton *> inside = group->findChildren<QPushButton *>();
        const int bottom = FlowColumn({{{inside.value(0)}}, {{inside.value(1)}, 5}});
        group->resize(column, std::max(group->height(), bottom + 7));
    }
    const int bottom = FlowColumn({{{GroupBox1}}, {{GroupBox2}, 6}, {{BitBtn1}, 28}, {{BitBtn2}, 7}});
    const int height = std::max(273, bottom + 8);
    ListBox1->resize(ListBox1->width(), height - 16);
    setFixedSize(297 + column + 8, height);
}

QStringList TfBMEdit::Lines() const
{
    QStringList lines;
    for (int i = 0; i < ListBox1->count(); ++i)
        lines << ListBox1->item(i)->text();
    return lines;
}

void TfBMEdit::SetLines(const QStringList &lines)
{
    ListBox1->clear();
    ListBox1->addItems(lines);
}

int TfBMEdit::SelectedLine() const
{
    const QList<QListWidgetItem *> selected = ListBox1->selectedItems();
    return selected.isEmpty() ? -1 : ListBox1->row(selected.front());
}

void TfBMEdit::Select(int line)
{
    if (line >= 0 && line < ListBox1->count())
        ListBox1->setCurrentRow(line, QItemSelectionModel::ClearAndSelect);
    else
        ListBox1->clearSelection();
}

void TfBMEdit::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TfBMEdit::FormShow()
{
    if (const std::optional<QStringList> lines = ReadBookmarksFile(m_file))
        SetLines(*lines);
    if (ListBox1->count() > 0)
        Select(0);
}

void TfBMEdit::BitBtn3Click()
{
    QStringList lines = Lines();
    const int selected = MoveBookmarkUp(lines, SelectedLine());
    SetLines(lines);
    Select(selected);
}

void TfBMEdit::BitBtn4Click()
{
    QStringList lines = Lines();
    const int selected = MoveBookmarkDown(lines, SelectedLine());
    SetLines(lines);
    Select(selected);
}

void TfBMEdit::BitBtn5Click()
{
    QStringList lines = Lines();
    const int selected = DeleteBookmark(lines, SelectedLine());
    SetLines(lines);
    Select(selected);
}

void TfBMEdit::BitBtn6Click()
{
    ListBox1->clear();
}
