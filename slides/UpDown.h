#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// Up-down arrows attached to an edit: the arrows step the number in the edit
// by one within Min..Max (no wrap-around), and so do the Up and Down keys in
// the edit. The edit keeps whatever text is typed into it; the position read
// from it is that text's number brought into Min..Max, or the last position
// when the text is no number.
class TUpDown : public QWidget
{
    Q_OBJECT

public:
    TUpDown(QLineEdit *associate, int min, int max, int position, QWidget *parent = nullptr);

    int Min() const { return m_min; }
    int Max() const { return m_max; }
    // Reads the edit's text (see above).
    int Position() const;
    // Brought into Min..Max; the edit shows it.
    void SetPosition(int position);

    // One step up (+1) or down (-1).
    void Step(int delta);

    QToolButton *UpButton() const { return m_up; }
    QToolButton *DownButton() const { return m_down; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_associate;
    QToolButton *m_up;
    QToolButton *m_down;
    int m_min;
    int m_max;
    mutable int m_position;
};
