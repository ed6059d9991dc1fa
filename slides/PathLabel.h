#pragma once

#include <QLabel>

// A label for a file path: it keeps the whole path as its text and tooltip,
// and a path too long for the label loses letters in its middle, so that the
// file name at its end stays readable.
class TPathLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TPathLabel(QWidget *parent = nullptr);
    void SetPath(const QString &path);
    // The text as it is drawn in the current width.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};
