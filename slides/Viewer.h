#pragma once

#include "slides/ScaledPicture.h"

#include <QWidget>

#include <functional>

// The preview window frmViewer: one picture at full resolution, scaled to
// fit the window (enlarged too), centred on black. Closing it hides it; it
// is reused for every preview.
class TfrmViewer : public QWidget
{
    Q_OBJECT

public:
    explicit TfrmViewer(QWidget *parent = nullptr);

    // Takes the picture (a copy) and the caption; does not show the window.
    void SetPicture(const QImage &picture, const QString &caption);
    const QImage &Picture() const { return m_picture.Picture(); }

    // The rectangle the picture is drawn in for the current client area.
    QRect PictureRect() const;

    // ShowPicturePreview: loads the file whole, turns it by the angle, and
    // shows it with its caption; the window comes to the front. A load error
    // propagates and leaves the window, its picture and caption unchanged.
    void ShowPicturePreview(const QString &path, int angle);
    // The same for a file of the file list: shown upright as its
    // orientation tag says.
    void ShowFilePreview(const QString &path);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void ShowPreviewOf(const QString &path, const std::function<QImage()> &load);

    TScaledPicture m_picture;
};
