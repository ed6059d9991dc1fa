#include "slides/SlideStrip.h"

#include "browser/DroppedFiles.h"
#include "browser/FileListModel.h"
#include "project/SlideLayout.h"
#include "project/SlideMaking.h"
#include "shell/BusyCursor.h"
#include "shell/GaugePercent.h"
#include "shell/Messages.h"
#include "shell/StatusBar.h"
#include "slides/IntegerText.h"
#include "slides/ProjSettings.h"
#include "slides/RectBox.h"
#include "slides/SlideProperties.h"
#include "project/SlideRotation.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// The report of a file that could not become a slide names the file.
QString DropErrorText(const QString &path, const QString &message)
{
    if (message.contains(path))
        return message;
    return QStringLiteral("Error loading file %1\n%2").arg(path, message);
}

} // namespace

TSlideStrip::TSlideStrip(QScrollArea *scrollBox, TStatusBar *status, QObject *parent)
    : QObject(parent), m_scrollBox(scrollBox), m_canvas(scrollBox->widget()), m_status(status)
{
    setObjectName(QStringLiteral("SlideStrip"));
    if (!m_canvas) {
        m_canvas = new QWidget;
        scrollBox->setWidget(m_canvas);
    }
    m_canvas->setAcceptDrops(true);
    // The strip takes the keyboard focus (a click on a slide gives it too).
    m_canvas->setFocusPolicy(Qt::StrongFocus);
    m_canvas->setAccessibleName(tr("Slide strip"));
    m_canvas->installEventFilter(this);
    scrollBox->viewport()->installEventFilter(this);

    pmRectBox = new QMenu(scrollBox);
    pmRectBox->setObjectName(QStringLiteral("pmRectBox"));
    auto item = [this](const char *name, const QString &caption, void (TSlideStrip::*handler)()) {
        QAction *action = pmRectBox->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
        return action;
    };
    Properties1 = item("Properties1", tr("Properties"), &TSlideStrip::Properties1Click);
    Preview1 = item("Preview1", tr("Preview"), &TSlideStrip::Preview1Click);
    pmRectBox->addSeparator()->setObjectName(QStringLiteral("N2"));
    RotateLeft1 = item("RotateLeft1", tr("Rotate CCW"), &TSlideStrip::RotateLeft1Click);
    RotateRight1 = item("RotateRight1", tr("Rotate CW"), &TSlideStrip::RotateRight1Click);
    pmRectBox->addSeparator()->setObjectName(QStringLiteral("N3"));
    Delete1 = item("Delete1", tr("Delete"), &TSlideStrip::Delete1Click);

    connect(&m_dropJobs, &TBackgroundJobs::Finished, this, &TSlideStrip::EndDrop);
    UpdateExtent();
}

TSlideStrip::~TSlideStrip()
{
    if (m_drop) {
        m_dropJobs.Stop();
        QApplication::restoreOverrideCursor();
    }
}

void TSlideStrip::SetProjectSettings(TfrmProjSettings *dialog)
{
    if (m_projectSettings)
        disconnect(m_projectSettings, nullptr, this, nullptr);
    m_projectSettings = dialog;
    if (!dialog)
        return;
    connect(dialog, &TfrmProjSettings::ApplyToAllSlides, this, &TSlideStrip::ApplyToAll);
}

void TSlideStrip::ApplyToAll(int duration, int transition, SlideMotion motion)
{
    const QList<TRectBox *> slides = Slides();
    int changed = 0;
    for (TRectBox *box : slides) {
        const bool newDuration = box->SetAbLeft(duration);
        const bool newTransition = box->SetAbTop(transition);
        const bool newMotion = box->SetMotion(motion);
        changed += newDuration || newTransition || newMotion ? 1 : 0;
    }
    if (m_status)
        m_status->SetPanelText(TStatusBar::ThumbnailsPanel,
                               tr("%1 of %2 slides changed").arg(changed).arg(slides.size()));
}

DurationFit TSlideStrip::FitDurations(double audioSeconds)
{
    const QList<TRectBox *> slides = SlidesInDisplayOrder();
    const DurationFit fit = FitDurationsToAudio(int(slides.size()), audioSeconds);
    for (qsizetype i = 0; i < slides.size(); ++i)
        slides[i]->SetAbLeft(fit.durations[size_t(i)]);
    return fit;
}

void TSlideStrip::SetSlideProperties(TfrmSlideProperties *dialog)
{
    m_slideProperties = dialog;
}

QWidget *TSlideStrip::Canvas() const
{
    return m_canvas;
}

QList<TRectBox *> TSlideStrip::Slides() const
{
    QList<TRectBox *> slides;
    if (!m_canvas)
        return slides;
    for (QObject *child : m_canvas->children()) {
        if (auto *box = qobject_cast<TRectBox *>(child))
            slides << box;
    }
    return slides;
}

int TSlideStrip::SlideCount() const
{
    return int(Slides().size());
}

QList<TRectBox *> TSlideStrip::SlidesInDisplayOrder() const
{
    QList<TRectBox *> order = Slides();
    std::stable_sort(order.begin(), order.end(), [](const TRectBox *a, const TRectBox *b) { return a->Left() < b->Left(); });
    return order;
}

QList<const RectBoxProperties *> TSlideStrip::SlidesInSlideOrder() const
{
    QList<const RectBoxProperties *> order;
    for (TRectBox *box : SlidesInDisplayOrder())
        order << box;
    return order;
}

TRectBox *TSlideStrip::CurrentSlide() const
{
    const QList<TRectBox *> slides = Slides();
    for (auto it = slides.rbegin(); it != slides.rend(); ++it) {
        if ((*it)->Focus())
            return *it;
    }
    return nullptr;
}

void TSlideStrip::ClearSlideFocus()
{
    const QList<TRectBox *> slides = Slides();
    if (!slides.isEmpty())
        ::ClearSlideFocus(slides.first());
}

void TSlideStrip::LayoutSlides()
{
    std::vector<RectBoxProperties *> boxes;
    for (TRectBox *box : Slides())
        boxes.push_back(box);
    ::LayoutSlides(boxes);
    SlidesChanged();
}

void TSlideStrip::SlidesChanged()
{
    UpdateExtent();
    WriteSlideCount();
}

void TSlideStrip::WriteSlideCount()
{
    if (m_status)
        m_status->SetPanelText(TStatusBar::SlidesPanel, QStringLiteral("Slide count: %1").arg(SlideCount()));
}

void TSlideStrip::UpdateExtent()
{
    if (!m_scrollBox || !m_canvas)
        return;
    const QList<TRectBox *> slides = Slides();
    const QSize client = m_scrollBox->viewport()->size();
    // Behind the rightmost slide there is always one client width of free
    // strip, to scroll to and to drop further files on.
    int64_t width = client.width();
    if (!slides.isEmpty()) {
        int64_t right = 0;
        for (TRectBox *box : slides)
            right = std::max(right, int64_t(box->Left()) + box->Width());
        width = std::max<int64_t>(width, right + client.width());
    }
    width = std::min<int64_t>(width, QWIDGETSIZE_MAX);
    const QSize size(int(width), client.height());
    if (m_canvas->size() != size)
        m_canvas->resize(size);
}

void TSlideStrip::Wire(TRectBox *box)
{
    box->SetOnPaint(&TSlideStrip::PaintSlide);
    box->SetPopupMenu(kSlidePopupMenu);
    connect(box, &TRectBox::MouseUp, this, [this] { LayoutSlides(); });
    connect(box, &TRectBox::Resized, this, [this] { UpdateExtent(); });
    // The dialog opens once the double click's mouse events are through.
    connect(box, &TRectBox::DblClick, this,
            [this](TRectBox *slide) { RunCommand([this, slide] { EditSlideProperties(slide); }); },
            Qt::QueuedConnection);
    connect(box, &TRectBox::ContextMenu, this, &TSlideStrip::ShowPopup);
    connect(box, &TRectBox::PropertyChanged, this, &TSlideStrip::SlidesEdited);
    connect(box, &QObject::destroyed, this, &TSlideStrip::SlidesEdited);
    emit SlidesEdited();
}

void TSlideStrip::AdoptSlide(TRectBox *box)
{
    box->setParent(m_canvas);
    Wire(box);
    box->ApplyGeometry();
    box->show();
}

void TSlideStrip::AdoptOpenedSlides(const QList<TRectBox *> &opened)
{
    std::vector<RectBoxProperties *> existing;
    for (TRectBox *box : Slides())
        existing.push_back(box);
    std::vector<RectBoxProperties *> added;
    for (TRectBox *box : opened) {
        AdoptSlide(box);
        added.push_back(box);
    }
    LayoutOpenedSlides(existing, added);
    SlidesChanged();
}

void TSlideStrip::DestroySlides()
{
    EndDrop();
    const QList<TRectBox *> slides = Slides();
    for (auto it = slides.rbegin(); it != slides.rend(); ++it)
        delete *it;
}

bool TSlideStrip::ScrollBox1DragOver(const QMimeData *data, const QObject *source) const
{
    if (!CarriesFiles(data) || m_work != Work::None)
        return false;
    // A drag from another program has no source object.
    const auto *widget = qobject_cast<const QWidget *>(source);
    return !widget || !m_scrollBox || (widget != m_scrollBox && !m_scrollBox->isAncestorOf(widget));
}

void TSlideStrip::DropFiles(int x, const QMimeData *data)
{
    const DroppedFiles dropped = DroppedFilesOf(data);
    if (!dropped.pictures.isEmpty())
        ScrollBox1DragDrop(x, dropped.pictures);
    if (!dropped.rejected.isEmpty())
        ShowMessage(tr("These files are not pictures and were not added:\n%1").arg(dropped.rejected.join(QLatin1Char('\n'))));
}

void TSlideStrip::ScrollBox1DragDrop(int x, const QStringList &paths)
{
    if (RefuseWhileBusy())
        return;
    // New slides take the defaults shown at the moment of the drop.
    SlideDefaults defaults;
    try {
        if (m_projectSettings)
            defaults = m_projectSettings->Defaults();
    } catch (const EConvertError &error) {
        LayoutSlides();
        ReportError(error.message());
        return;
    }
    if (paths.isEmpty() || !m_canvas) {
        LayoutSlides();
        return;
    }
    BeginWork(Work::AddingFiles);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_drop = Drop{x, paths, 0, {}};
    const SlideMaker make = m_slideMaker ? m_slideMaker : MakeSlideFromPicture;
    m_dropJobs.Start(
        int(paths.size()),
        [this, make, paths, defaults](int index, const std::atomic<bool> &stopped) -> TBackgroundJobs::Delivery {
            if (stopped)
                return {};
            auto slide = std::make_shared<RectBoxProperties>();
            std::exception_ptr error;
            try {
                make(*slide, paths[index], defaults);
            } catch (...) {
                error = std::current_exception();
            }
            return [this, index, slide, error] {
                QString failure;
                if (error) {
                    try {
                        std::rethrow_exception(error);
                    } catch (const std::exception &e) {
                        failure = DropErrorText(m_drop->paths[index], ErrorText(e));
                    } catch (...) {
                        failure = DropErrorText(m_drop->paths[index], tr("Unknown error"));
                    }
                }
                PlaceDroppedSlide(index, *slide, failure);
            };
        },
        TBackgroundJobs::Order::ByIndex);
}

void TSlideStrip::PlaceDroppedSlide(int index, const RectBoxProperties &slide, const QString &failure)
{
    if (!m_drop || !m_canvas) {
        EndDrop();
        return;
    }
    if (!failure.isEmpty()) {
        // The files after it are not added; the slides before it stay.
        m_drop->failure = failure;
        EndDrop();
        return;
    }
    const bool stripWasEmpty = SlideCount() == 0;
    auto *box = new TRectBox(m_canvas);
    static_cast<RectBoxProperties &>(*box) = slide;
    Wire(box);
    box->SetLeft(DroppedSlideLeft(stripWasEmpty, m_drop->x, m_drop->added));
    box->SetTop(10);
    box->ApplyGeometry();
    box->show();
    ++m_drop->added;
    emit FileBecameSlide(m_drop->paths[index]);
    LayoutSlides();
    if (m_status)
        m_status->SetGauge(GaugePercent(m_drop->added, int(m_drop->paths.size())));
}

void TSlideStrip::EndDrop()
{
    if (!m_drop)
        return;
    m_dropJobs.Stop();
    const QString failure = m_drop->failure;
    m_drop.reset();
    QApplication::restoreOverrideCursor();
    if (m_status)
        m_status->SetGauge(0);
    EndWork();
    if (m_canvas)
        LayoutSlides();
    if (!failure.isEmpty())
        ReportError(failure);
}

void TSlideStrip::ScrollBox1Click()
{
    if (SlideCount() > 0)
        ClearSlideFocus();
}

void TSlideStrip::ScrollBox1Resize()
{
    UpdateExtent();
}

void TSlideStrip::tbRotateCCWClick(const QString &senderName)
{
    TRectBox *box = CurrentSlide();
    if (!box || RefuseWhileBusy())
        return;
    {
        const TBusyCursor busy;
        RotateSlide(*box, senderName != QLatin1String("tbRotateCCW"));
    }
    LayoutSlides();
}

void TSlideStrip::RotateLeft1Click()
{
    tbRotateCCWClick(QStringLiteral("tbRotateCCW"));
}

void TSlideStrip::RotateRight1Click()
{
    tbRotateCCWClick(QStringLiteral("tbRotateCW"));
}

void TSlideStrip::Delete1Click()
{
    DeleteCurrentSlide();
}

void TSlideStrip::DeleteCurrentSlide()
{
    if (RefuseWhileBusy())
        return;
    if (TRectBox *box = CurrentSlide())
        delete box;
    else
        ShowMessage(tr("Select a slide first."));
    LayoutSlides();
}

void TSlideStrip::StepCurrentSlide(int step)
{
    const QList<TRectBox *> order = SlidesInDisplayOrder();
    if (order.isEmpty())
        return;
    const qsizetype current = order.indexOf(CurrentSlide());
    qsizetype next = current < 0 ? (step > 0 ? 0 : order.size() - 1) : current + step;
    next = std::clamp<qsizetype>(next, 0, order.size() - 1);
    TRectBox *box = order[next];
    ClearSlideFocus();
    box->SetFocus(true);
    if (m_scrollBox)
        m_scrollBox->ensureWidgetVisible(box, 10, 0);
}

void TSlideStrip::MoveCurrentSlide(int step)
{
    TRectBox *box = CurrentSlide();
    if (!box || RefuseWhileBusy())
        return;
    const QList<TRectBox *> order = SlidesInDisplayOrder();
    const qsizetype neighbour = order.indexOf(box) + step;
    if (neighbour < 0 || neighbour >= order.size())
        return;
    // Just past the neighbour; the layout packs the strip again.
    box->SetLeft(order[neighbour]->Left() + (step > 0 ? 1 : -1));
    LayoutSlides();
    if (m_scrollBox)
        m_scrollBox->ensureWidgetVisible(box, 10, 0);
}

bool TSlideStrip::StripKeyPress(QKeyEvent *key)
{
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    const int step = key->key() == Qt::Key_Left ? -1 : key->key() == Qt::Key_Right ? 1 : 0;
    if (step != 0 && modifiers == Qt::NoModifier) {
        StepCurrentSlide(step);
        return true;
    }
    if (step != 0 && modifiers == Qt::ShiftModifier) {
        RunCommand([this, step] { MoveCurrentSlide(step); });
        return true;
    }
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && modifiers == Qt::NoModifier) {
        if (TRectBox *box = CurrentSlide())
            QTimer::singleShot(0, this, [this, slide = QPointer<TRectBox>(box)] {
                if (slide)
                    RunCommand([this, &slide] { EditSlideProperties(slide); });
            });
        return true;
    }
    return false;
}

void TSlideStrip::Properties1Click()
{
    if (TRectBox *box = CurrentSlide())
        EditSlideProperties(box);
}

void TSlideStrip::Preview1Click()
{
    TRectBox *box = CurrentSlide();
    if (box && m_preview)
        m_preview(box->FileName(), box->Rotation());
}

void TSlideStrip::EditSlideProperties(TRectBox *box)
{
    if (box && m_slideProperties)
        m_slideProperties->EditSlideProperties(box);
}

void TSlideStrip::pmRectBoxPopup(TRectBox *box)
{
    if (!box || box == CurrentSlide())
        return;
    ClearSlideFocus();
    box->SetFocus(true);
}

void TSlideStrip::ShowPopup(TRectBox *box, const QPoint &globalPos)
{
    if (box->PopupMenu() != kSlidePopupMenu)
        return;
    pmRectBoxPopup(box);
    // Not exec(): an entry may delete the box whose event opened the menu.
    pmRectBox->popup(globalPos);
}

void TSlideStrip::PaintSlide(TRectBox *box, QPainter &canvas, const QRect &content)
{
    const QImage &picture = box->Picture();
    if (!picture.isNull() && !content.isEmpty()) {
        // Scaled once per size with an area-averaging filter, then kept; on
        // a screen of several device pixels to the point, to its pixels.
        const qreal ratio = box->devicePixelRatioF();
        const QSize pixels = (QSizeF(content.size()) * ratio).toSize();
        const QString key = QStringLiteral("slide:%1:%2x%3").arg(picture.cacheKey()).arg(pixels.width()).arg(pixels.height());
        QPixmap scaled;
        if (!QPixmapCache::find(key, &scaled)) {
            scaled = QPixmap::fromImage(picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
            QPixmapCache::insert(key, scaled);
        }
        scaled.setDevicePixelRatio(ratio);
        canvas.drawPixmap(content.topLeft(), scaled);
    }
    if (RectBoxProperties *child = box->LinkChild()) {
        child->SetLeft(box->Left());
        child->SetTop(box->Top() + box->Height());
    }
}

bool TSlideStrip::RefuseWhileBusy() const
{
    switch (m_work) {
    case Work::None:
        return false;
    case Work::AddingFiles:
        ShowMessage(tr("Please wait until the dropped files are added."));
        return true;
    case Work::BuildingShow:
        ShowMessage(tr("Please wait until the slideshow is built."));
        return true;
    case Work::ExportingVideo:
        ShowMessage(tr("Please wait until the video is exported."));
        return true;
    case Work::ExportingWebShow:
        ShowMessage(tr("Please wait until the web show is exported."));
        return true;
    }
    return true;
}

void TSlideStrip::BeginWork(Work work)
{
    m_work = work;
}

void TSlideStrip::EndWork()
{
    m_work = Work::None;
}

bool TSlideStrip::eventFilter(QObject *watched, QEvent *event)
{
    if (m_scrollBox && watched == m_scrollBox->viewport()) {
        if (event->type() == QEvent::Resize)
            ScrollBox1Resize();
        return false;
    }
    if (watched != m_canvas)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (ScrollBox1DragOver(drag->mimeData(), drag->source())) {
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        if (!ScrollBox1DragOver(drop->mimeData(), drop->source())) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        // The files are added once the drag has ended, from the event loop;
        // the drag's data goes with it.
        const int x = drop->position().toPoint().x();
        auto data = std::make_shared<QMimeData>();
        for (const QString &format : drop->mimeData()->formats())
            data->setData(format, drop->mimeData()->data(format));
        QTimer::singleShot(0, this, [this, x, data] { DropFiles(x, data.get()); });
        return true;
    }
    case QEvent::KeyPress:
        return StripKeyPress(static_cast<QKeyEvent *>(event));
    case QEvent::FocusIn: {
        // Tabbing into the strip marks a slide, so that the keys have one.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) && !CurrentSlide())
            StepCurrentSlide(1);
        return false;
    }
    case QEvent::ContextMenu: {
        auto *menu = static_cast<QContextMenuEvent *>(event);
        TRectBox *box = CurrentSlide();
        if (menu->reason() != QContextMenuEvent::Keyboard || !box)
            return false;
        ShowPopup(box, box->mapToGlobal(box->rect().center()));
        return true;
    }
    case QEvent::MouseButtonPress:
        m_canvasPressed = static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
        return false;
    case QEvent::MouseButtonRelease:
        if (m_canvasPressed && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton
            && m_canvas->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint()))
            ScrollBox1Click();
        m_canvasPressed = false;
        return false;
    default:
        return false;
    }
}
