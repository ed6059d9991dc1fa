#pragma once

#include "common/BackgroundJobs.h"
#include "project/DurationFit.h"
#include "project/SlideMaking.h"
#include "slides/ProjSettings.h"
#include "slides/SlideProperties.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QScrollArea>
#include <QWidget>

#include <functional>
#include <optional>

class QAction;
class QKeyEvent;
class QMenu;
class QMimeData;
class QPainter;
class QRect;
class RectBoxProperties;
class TRectBox;
class TStatusBar;

// The slide strip ScrollBox1: the slide boxes side by side, filled by
// dragging files from the file list or from other programs (the drag
// carries their paths or file URLs; each file that becomes a slide is
// reported through FileBecameSlide, so that the list can deselect it),
// ordered by dragging slides along it, and edited through the toolbar, the
// pop-up menu pmRectBox, double clicks, the Delete key and the keys of the
// strip itself (Left and Right move the current slide mark, Shift+Left and
// Shift+Right move the current slide, Enter edits it). The boxes are the
// direct children of the scroll area's widget; their Left and Top are
// positions on that widget, so scrolling does not change them.
class TSlideStrip : public QObject
{
    Q_OBJECT

public:
    TSlideStrip(QScrollArea *scrollBox, TStatusBar *status, QObject *parent = nullptr);
    ~TSlideStrip() override;

    // The dialogs are made after the main window; until then new slides
    // take 4 seconds and "Cut", and nothing edits a slide.
    void SetProjectSettings(TfrmProjSettings *dialog);
    void SetSlideProperties(TfrmSlideProperties *dialog);
    TfrmProjSettings *ProjectSettings() const { return m_projectSettings; }
    // ShowPicturePreview of the main window.
    using PreviewHandler = std::function<void(const QString &path, int angle)>;
    void SetPreview(PreviewHandler preview) { m_preview = std::move(preview); }

    QScrollArea *ScrollBox() const { return m_scrollBox; }
    QWidget *Canvas() const;
    QMenu *PopupMenu() const { return pmRectBox; }

    // The slide boxes in the strip's child list (drawing order; a pressed
    // slide moves to its end).
    QList<TRectBox *> Slides() const;
    int SlideCount() const;
    // The slides in slide order: ascending Left, the order the user sees.
    // Saving, building and printing take the slides in this order.
    QList<const RectBoxProperties *> SlidesInSlideOrder() const;
    // Sets every slide's duration as the fit to an audio of that length
    // gives it; fails with the fit's message and leaves the slides as they
    // were.
    DurationFit FitDurations(double audioSeconds);

    // The last focused box of the child list, or none.
    TRectBox *CurrentSlide() const;
    // No slide is current afterwards.
    void ClearSlideFocus();

    // Packs the slides in ascending Left from 10, 10 apart, at Top 10, and
    // writes "Slide count: " n into status panel 2.
    void LayoutSlides();
    // "Slide count: " n into status panel 2, and the scroll range.
    void SlidesChanged();

    // A new box for a slide made outside the strip: it becomes a child of
    // the strip, is wired as every slide is, and shows at its own Left and
    // Top.
    void AdoptSlide(TRectBox *box);
    // The slides of an opened project: adopted, then laid out behind the
    // slides already there, every one visible, in the order they were saved
    // in.
    void AdoptOpenedSlides(const QList<TRectBox *> &opened);
    // Removes every slide, the last child first; a drop in progress adds no
    // more files.
    void DestroySlides();

    // The handlers of the strip. A drag is taken when it carries files of
    // the file list or file URLs, unless it comes from the strip itself.
    bool ScrollBox1DragOver(const QMimeData *data, const QObject *source) const;
    // Adds the dragged files (in list order) as slides, at x on the strip.
    // The pictures are made on worker threads while the window goes on; each
    // slide is placed as soon as it and the files before it are ready, in
    // drop order. The first file that fails is reported and ends the drop:
    // the files before it stay, none after it is added. Commands that would
    // change the strip wait meanwhile (RefuseWhileBusy).
    void ScrollBox1DragDrop(int x, const QStringList &paths);
    // A drop as it arrives: the pictures it carries become slides at x, in
    // the order given; what is no picture is named in one message.
    void DropFiles(int x, const QMimeData *data);
    // How a dropped file becomes a slide's properties; it runs on a worker
    // thread and throws for a file that cannot be one. MakeSlideFromPicture
    // unless a test holds the pictures back.
    using SlideMaker = std::function<void(RectBoxProperties &slide, const QString &path, const SlideDefaults &defaults)>;
    void SetSlideMaker(SlideMaker maker) { m_slideMaker = std::move(maker); }
    // Workers that make the slides of a drop; one per core by default.
    void SetDropThreadCount(int threads) { m_dropJobs.SetThreadCount(threads); }
    void ScrollBox1Click();
    void ScrollBox1Resize();
    // Turns the current slide a quarter: counter-clockwise when the sender
    // is "tbRotateCCW", clockwise otherwise.
    void tbRotateCCWClick(const QString &senderName);
    void RotateLeft1Click();
    void RotateRight1Click();
    void Delete1Click();
    void Properties1Click();
    void Preview1Click();
    void pmRectBoxPopup(TRectBox *box);
    // Deletes the current slide; says "Select a slide first." when there
    // is none.
    void DeleteCurrentSlide();
    // The keys of the strip: the current slide mark moves to the next
    // slide in display order (step -1 or +1), or the current slide moves
    // one place along.
    void StepCurrentSlide(int step);
    void MoveCurrentSlide(int step);
    void EditSlideProperties(TRectBox *box);
    // OnPaint of every slide: the thumbnail stretched into the content.
    static void PaintSlide(TRectBox *box, QPainter &canvas, const QRect &content);

    // Long commands that use the slides. While one runs, the commands that
    // would change the strip (a drop, delete, rotate, open, new) are refused.
    enum class Work { None, AddingFiles, BuildingShow, ExportingVideo, ExportingWebShow };
    Work RunningWork() const { return m_work; }
    bool Busy() const { return m_work != Work::None; }
    // Shows why the strip cannot change now and returns true while busy.
    bool RefuseWhileBusy() const;
    void BeginWork(Work work);
    void EndWork();

    // The pop-up menu's entries.
    QAction *Properties1;
    QAction *Preview1;
    QAction *RotateLeft1;
    QAction *RotateRight1;
    QAction *Delete1;

signals:
    // A dropped file is now a slide.
    void FileBecameSlide(const QString &path);
    // A slide was added or removed, or a property of one changed: what a
    // project file keeps of the strip may have changed.
    void SlidesEdited();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Wire(TRectBox *box);
    void UpdateExtent();
    void WriteSlideCount();
    void ShowPopup(TRectBox *box, const QPoint &globalPos);
    bool StripKeyPress(QKeyEvent *key);
    QList<TRectBox *> SlidesInDisplayOrder() const;
    void ApplyToAll(int duration, int transition, SlideMotion motion);
    void PlaceDroppedSlide(int index, const RectBoxProperties &slide, const QString &failure);
    void EndDrop();

    QPointer<QScrollArea> m_scrollBox;
    QPointer<QWidget> m_canvas;
    TStatusBar *m_status;
    QPointer<TfrmProjSettings> m_projectSettings;
    QPointer<TfrmSlideProperties> m_slideProperties;
    PreviewHandler m_preview;
    QMenu *pmRectBox;

    Work m_work = Work::None;
    bool m_canvasPressed = false;

    // The drop in progress: its point, its files and the slides placed.
    struct Drop
    {
        int x = 0;
        QStringList paths;
        int added = 0;
        QString failure;
    };
    std::optional<Drop> m_drop;
    SlideMaker m_slideMaker;
    TBackgroundJobs m_dropJobs;
};
