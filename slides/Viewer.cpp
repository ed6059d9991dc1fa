#include "slides/Viewer.h"

#include "shell/BusyCursor.h"
#include "slides/PreviewScaling.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>

TfrmViewer::TfrmViewer(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmViewer"));
    setWindowTitle(tr("Viewer"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    resize(720, 485);
    if (const QScreen *screen = QApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void TfrmViewer::SetPicture(const QImage &picture, const QString &caption)
{
    m_picture.Set(picture);
    setWindowTitle(caption);
    update();
}

QRect TfrmViewer::PictureRect() const
{
    return PreviewPictureRect(size(), Picture().size());
}

void TfrmViewer::ShowPicturePreview(const QString &path, int angle)
{
    ShowPreviewOf(path, [&] { return LoadPreviewPicture(path, angle); });
}

void TfrmViewer::ShowFilePreview(const QString &path)
{
    ShowPreviewOf(path, [&] { return LoadFilePreviewPicture(path); });
}

void TfrmViewer::ShowPreviewOf(const QString &path, const std::function<QImage()> &load)
{
    QImage picture;
    {
        const TBusyCursor busy;
        picture = load();
    }
    SetPicture(picture, PreviewCaption(path, picture.size()));
    show();
    raise();
    activateWindow();
}

void TfrmViewer::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const QRect target = PictureRect();
    if (target.isEmpty())
        return;
    painter.drawPixmap(target.topLeft(), m_picture.ScaledTo(target.size(), devicePixelRatioF()));
}
