#pragma once

#include "slides/ScaledPicture.h"

#include <QWidget>

// A picture display: the picture centred and scaled to fit with its
// proportions kept (smaller pictures are enlarged), on the window's face
// colour.
class TPictureView : public QWidget
{
    Q_OBJECT

public:
    explicit TPictureView(QWidget *parent = nullptr);

    void SetPicture(const QImage &picture);
    const QImage &Picture() const { return m_picture.Picture(); }

    // Where the picture is drawn in the current size.
    QRect PictureRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TScaledPicture m_picture;
};
