#pragma once

#include "project/SlideMotion.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <cstdint>

enum class TBoxType : int32_t { btImage = 0, btText = 1, btTemplate = 2 };
enum class TFrameType : int32_t { ftOuter = 0, ftInner = 1, ftMiddle = 2 };
enum class TAlignment : int32_t { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };
enum class THelpType : int32_t { htKeyword = 0, htContext = 1 };
enum class TFontPitch : int32_t { fpDefault = 0, fpVariable = 1, fpFixed = 2 };

// A colour: red in the lowest byte, then green, then blue; system colours
// are 80000000 plus their index.
using TColor = int32_t;
constexpr TColor clBlack = 0;
constexpr TColor clRed = 255;
constexpr TColor clLime = 65280;
constexpr TColor clGray = 8421504;
constexpr TColor clWindowText = TColor(0x80000008u);

// The font of the box's text mode. A box takes its parent's font (and a
// stream holds no font entries) until a font value is set on it.
struct TFontData
{
    int32_t charset = 1; // DEFAULT_CHARSET
    TColor color = clWindowText;
    int32_t height = -11;
    QString name = QStringLiteral("MS Sans Serif");
    TFontPitch pitch = TFontPitch::fpDefault;
    uint8_t style = 0; // bit 0 fsBold, 1 fsItalic, 2 fsUnderline, 3 fsStrikeOut

    bool operator==(const TFontData &) const = default;
};

// A picture slot of the box. It is either unassigned, or holds a bitmap
// (possibly an empty one). A bitmap read from a stream keeps the BMP file
// it came from, and writing gives back those very bytes until the picture
// is replaced.
class TPictureData
{
public:
    bool Assigned() const { return m_assigned; }
    const QImage &Bitmap() const { return m_bitmap; }
    // The BMP file the bitmap was read from; empty when it was made here.
    const QByteArray &FileData() const { return m_fileData; }

    void Clear() { *this = TPictureData(); }
    // Holds a copy of the bitmap, brought to 24 bits (Format_BGR888).
    void Assign(const QImage &bitmap);
    // Holds a bitmap decoded from a BMP file together with that file.
    void AssignFromFile(const QImage &bitmap, const QByteArray &bmpFile);

private:
    bool m_assigned = false;
    QImage m_bitmap;
    QByteArray m_fileData;
};

// Which part of the box a change concerns: its place on the strip, or only
// what it shows.
enum class RectBoxChange { Bounds, Appearance };

// The persistent properties of one slide box, with the values a new box
// starts with and the setters' rules. It is plain data: the slide box widget
// derives from it (or owns one) and adds painting and the mouse; the
// component stream, the project file, the slideshow build and printing read
// and write it without a window.
//
// Every setter returns true when the box must repaint: a plain value only
// when it differs from the stored one. The same changes call Changed(),
// which a widget overrides to repaint (Appearance) or to move (Bounds).
class RectBoxProperties
{
public:
    RectBoxProperties() = default;
    RectBoxProperties(const RectBoxProperties &) = default;
    RectBoxProperties &operator=(const RectBoxProperties &) = default;
    virtual ~RectBoxProperties() = default;

    // Inherited from the control.
    const QString &Name() const { return m_name; }
    bool SetName(const QString &value) { return Store(m_name, value); }
    int32_t Tag() const { return m_tag; }
    bool SetTag(int32_t value) { return Store(m_tag, value); }
    int32_t Left() const { return m_left; }
    bool SetLeft(int32_t value) { return StoreBounds(m_left, value); }
    int32_t Top() const { return m_top; }
    bool SetTop(int32_t value) { return StoreBounds(m_top, value); }
    int32_t Width() const { return m_width; }
    bool SetWidth(int32_t value) { return StoreBounds(m_width, value); }
    int32_t Height() const { return m_height; }
    bool SetHeight(int32_t value) { return StoreBounds(m_height, value); }
    int32_t Cursor() const { return m_cursor; }
    bool SetCursor(int32_t value) { return Store(m_cursor, value); }
    const QString &Hint() const { return m_hint; }
    bool SetHint(const QString &value) { return Store(m_hint, value); }
    THelpType HelpType() const { return m_helpType; }
    bool SetHelpType(THelpType value) { return Store(m_helpType, value); }
    const QString &HelpKeyword() const { return m_helpKeyword; }
    bool SetHelpKeyword(const QString &value) { return Store(m_helpKeyword, value); }
    int32_t HelpContext() const { return m_helpContext; }
    bool SetHelpContext(int32_t value) { return Store(m_helpContext, value); }

    // The box's own properties, in their declared order.
    TBoxType BoxType() const { return m_boxType; }
    bool SetBoxType(TBoxType value) { return Store(m_boxType, value); }
    bool AutoForeGround() const { return m_autoForeGround; }
    bool SetAutoForeGround(bool value) { return Store(m_autoForeGround, value); }
    bool AutoSize() const { return m_autoSize; }
    bool SetAutoSize(bool value) { return Store(m_autoSize, value); }
    TFrameType FrameType() const { return m_frameType; }
    bool SetFrameType(TFrameType value) { return Store(m_frameType, value); }
    bool HidePassiveFrame() const { return m_hidePassiveFrame; }
    bool SetHidePassiveFrame(bool value) { return Store(m_hidePassiveFrame, value); }
    const QString &Caption() const { return m_caption; }
    bool SetCaption(const QString &value) { return Store(m_caption, value); }
    const QString &FileName() const { return m_fileName; }
    bool SetFileName(const QString &value) { return Store(m_fileName, value); }
    bool Proportionate() const { return m_proportionate; }
    bool SetProportionate(bool value) { return Store(m_proportionate, value); }
    int32_t BoxSize() const { return m_boxSize; }
    // Accepted only when it differs and lies from 2 to 50; stored odd
    // ((value div 2) x 2 + 1: 4 gives 5, 50 gives 51).
    bool SetBoxSize(int32_t value);
    TColor BoxColor() const { return m_boxColor; }
    bool SetBoxColor(TColor value) { return Store(m_boxColor, value); }
    TColor ActiveFrameColor() const { return m_activeFrameColor; }
    bool SetActiveFrameColor(TColor value) { return Store(m_activeFrameColor, value); }
    TColor FilteredFrameColor() const { return m_filteredFrameColor; }
    bool SetFilteredFrameColor(TColor value) { return Store(m_filteredFrameColor, value); }
    TColor PassiveFrameColor() const { return m_passiveFrameColor; }
    bool SetPassiveFrameColor(TColor value) { return Store(m_passiveFrameColor, value); }
    bool DrawFrame() const { return m_drawFrame; }
    bool SetDrawFrame(bool value) { return Store(m_drawFrame, value); }
    bool DrawBoxes() const { return m_drawBoxes; }
    bool SetDrawBoxes(bool value) { return Store(m_drawBoxes, value); }
    bool ShowPos() const { return m_showPos; }
    bool SetShowPos(bool value) { return Store(m_showPos, value); }
    bool ShowSize() const { return m_showSize; }
    bool SetShowSize(bool value) { return Store(m_showSize, value); }
    TColor InfoTextColor() const { return m_infoTextColor; }
    bool SetInfoTextColor(TColor value) { return Store(m_infoTextColor, value); }
    bool Focus() const { return m_focus; }
    bool SetFocus(bool value) { return Store(m_focus, value); }

    const TFontData &Font() const { return m_font; }
    // Gives the box a font of its own (it no longer follows its parent's).
    bool SetFont(const TFontData &value);
    bool ParentFont() const { return m_parentFont; }
    bool SetParentFont(bool value) { return Store(m_parentFont, value); }

    // The thumbnail, 24 bits (Format_BGR888); a null image when none.
    const QImage &Picture() const { return m_picture.Bitmap(); }
    const TPictureData &PictureData() const { return m_picture; }
    // Copies the bitmap into the box (brought to Format_BGR888).
    bool SetPicture(const QImage &bitmap);
    bool SetPictureData(const TPictureData &value);
    const TPictureData &PictureOriginal() const { return m_pictureOriginal; }
    bool SetPictureOriginal(const TPictureData &value);

    int32_t PictureWidth() const { return m_pictureWidth; }
    bool SetPictureWidth(int32_t value) { return Store(m_pictureWidth, value); }
    int32_t PictureHeight() const { return m_pictureHeight; }
    bool SetPictureHeight(int32_t value) { return Store(m_pictureHeight, value); }
    double PictureDate() const { return m_pictureDate; }
    bool SetPictureDate(double value) { return Store(m_pictureDate, value); }
    int32_t PictureFileSize() const { return m_pictureFileSize; }
    bool SetPictureFileSize(int32_t value) { return Store(m_pictureFileSize, value); }
    // Width per height of the slide on the strip, in extended precision.
    long double Ratio() const { return m_ratio; }
    bool SetRatio(long double value) { return Store(m_ratio, value); }
    // Degrees clockwise: 0, 90, 180 or 270.
    int32_t Rotation() const { return m_rotation; }
    bool SetRotation(int32_t value) { return Store(m_rotation, value); }
    bool TextBox() const { return m_textBox; }
    bool SetTextBox(bool value) { return Store(m_textBox, value); }
    double CanvasPPI() const { return m_canvasPPI; }
    bool SetCanvasPPI(double value) { return Store(m_canvasPPI, value); }
    TAlignment Alignment() const { return m_alignment; }
    bool SetAlignment(TAlignment value) { return Store(m_alignment, value); }
    const QStringList &Lines() const { return m_lines; }
    // Copies the lines; always repaints.
    bool SetLines(const QStringList &value);

    // References the box does not own.
    RectBoxProperties *LinkChild() const { return m_linkChild; }
    bool SetLinkChild(RectBoxProperties *value) { return Store(m_linkChild, value); }
    RectBoxProperties *LinkParent() const { return m_linkParent; }
    bool SetLinkParent(RectBoxProperties *value) { return Store(m_linkParent, value); }

    int32_t CropLeft() const { return m_cropLeft; }
    bool SetCropLeft(int32_t value) { return Store(m_cropLeft, value); }
    int32_t CropTop() const { return m_cropTop; }
    bool SetCropTop(int32_t value) { return Store(m_cropTop, value); }
    int32_t CropWidth() const { return m_cropWidth; }
    bool SetCropWidth(int32_t value) { return Store(m_cropWidth, value); }
    int32_t CropHeight() const { return m_cropHeight; }
    bool SetCropHeight(int32_t value) { return Store(m_cropHeight, value); }
    bool IsCropped() const { return m_isCropped; }
    bool SetIsCropped(bool value) { return Store(m_isCropped, value); }
    bool IsFiltered() const { return m_isFiltered; }
    // Turning it off sets FilterRed to FilterSharpness to 0.
    bool SetIsFiltered(bool value);
    int32_t FilterRed() const { return m_filterRed; }
    bool SetFilterRed(int32_t value) { return Store(m_filterRed, value); }
    int32_t FilterGreen() const { return m_filterGreen; }
    bool SetFilterGreen(int32_t value) { return Store(m_filterGreen, value); }
    int32_t FilterBlue() const { return m_filterBlue; }
    bool SetFilterBlue(int32_t value) { return Store(m_filterBlue, value); }
    int32_t FilterSaturation() const { return m_filterSaturation; }
    bool SetFilterSaturation(int32_t value) { return Store(m_filterSaturation, value); }
    int32_t FilterBrightness() const { return m_filterBrightness; }
    bool SetFilterBrightness(int32_t value) { return Store(m_filterBrightness, value); }
    int32_t FilterContrast() const { return m_filterContrast; }
    bool SetFilterContrast(int32_t value) { return Store(m_filterContrast, value); }
    int32_t FilterGamma() const { return m_filterGamma; }
    bool SetFilterGamma(int32_t value) { return Store(m_filterGamma, value); }
    int32_t FilterSharpness() const { return m_filterSharpness; }
    bool SetFilterSharpness(int32_t value) { return Store(m_filterSharpness, value); }
    int32_t FilterUSMRatio() const { return m_filterUSMRatio; }
    bool SetFilterUSMRatio(int32_t value) { return Store(m_filterUSMRatio, value); }
    int32_t FilterUSMAmount() const { return m_filterUSMAmount; }
    bool SetFilterUSMAmount(int32_t value) { return Store(m_filterUSMAmount, value); }

    // For a slide: AbLeft is its duration in seconds, AbTop its transition code.
    double AbLeft() const { return m_abLeft; }
    bool SetAbLeft(double value) { return Store(m_abLeft, value); }
    double AbTop() const { return m_abTop; }
    bool SetAbTop(double value) { return Store(m_abTop, value); }
    double AbWidth() const { return m_abWidth; }
    bool SetAbWidth(double value) { return Store(m_abWidth, value); }
    double AbHeight() const { return m_abHeight; }
    bool SetAbHeight(double value) { return Store(m_abHeight, value); }
    int32_t LinesPlacement() const { return m_linesPlacement; }
    bool SetLinesPlacement(int32_t value) { return Store(m_linesPlacement, value); }

    // How the slide's picture moves while it is on; codes out of range are
    // stored as None.
    SlideMotion Motion() const { return m_motion; }
    bool SetMotion(SlideMotion value) { return Store(m_motion, SlideMotionFromCode(int(value))); }

    // The pop-up menu as its reference name ("frmVistrano.pmRectBox");
    // empty when none. A window maps the name to its menu.
    const QString &PopupMenu() const { return m_popupMenu; }
    bool SetPopupMenu(const QString &value) { return Store(m_popupMenu, value); }

    // The stream's defined property; never set for a slide box.
    bool IsControl() const { return m_isControl; }
    bool SetIsControl(bool value) { return Store(m_isControl, value); }

protected:
    // Called after every change that needs a repaint or a move.
    virtual void Changed(RectBoxChange) {}

private:
    template <class T>
    bool Store(T &field, const T &value)
    {
        if (field == value)
            return false;
        field = value;
        Changed(RectBoxChange::Appearance);
        return true;
    }
    bool StoreBounds(int32_t &field, int32_t value)
    {
        if (field == value)
            return false;
        field = value;
        Changed(RectBoxChange::Bounds);
        return true;
    }

    QString m_name;
    int32_t m_tag = 0;
    int32_t m_left = 0;
    int32_t m_top = 0;
    int32_t m_width = 0;
    int32_t m_height = 0;
    int32_t m_cursor = 0;
    QString m_hint;
    THelpType m_helpType = THelpType::htContext;
    QString m_helpKeyword;
    int32_t m_helpContext = 0;

    TBoxType m_boxType = TBoxType::btImage;
    bool m_autoForeGround = true;
    bool m_autoSize = false;
    TFrameType m_frameType = TFrameType::ftOuter;
    bool m_hidePassiveFrame = false;
    QString m_caption;
    QString m_fileName;
    bool m_proportionate = false;
    int32_t m_boxSize = 5;
    TColor m_boxColor = clBlack;
    TColor m_activeFrameColor = clRed;
    TColor m_filteredFrameColor = clLime;
    TColor m_passiveFrameColor = clGray;
    bool m_drawFrame = true;
    bool m_drawBoxes = true;
    bool m_showPos = false;
    bool m_showSize = false;
    TColor m_infoTextColor = clBlack;
    bool m_focus = false;
    TFontData m_font;
    bool m_parentFont = true;
    TPictureData m_picture;
    TPictureData m_pictureOriginal;
    int32_t m_pictureWidth = 0;
    int32_t m_pictureHeight = 0;
    double m_pictureDate = 0;
    int32_t m_pictureFileSize = 0;
    long double m_ratio = 0;
    int32_t m_rotation = 0;
    bool m_textBox = false;
    double m_canvasPPI = 0;
    TAlignment m_alignment = TAlignment::taCenter;
    QStringList m_lines;
    RectBoxProperties *m_linkChild = nullptr;
    RectBoxProperties *m_linkParent = nullptr;
    int32_t m_cropLeft = 0;
    int32_t m_cropTop = 0;
    int32_t m_cropWidth = 0;
    int32_t m_cropHeight = 0;
    bool m_isCropped = false;
    bool m_isFiltered = false;
    int32_t m_filterRed = 100;
    int32_t m_filterGreen = 100;
    int32_t m_filterBlue = 100;
    int32_t m_filterSaturation = 100;
    int32_t m_filterBrightness = 100;
    int32_t m_filterContrast = 100;
    int32_t m_filterGamma = 100;
    int32_t m_filterSharpness = 100;
    int32_t m_filterUSMRatio = 0;
    int32_t m_filterUSMAmount = 0;
    double m_abLeft = 0;
    double m_abTop = 0;
    double m_abWidth = 0;
    double m_abHeight = 0;
    int32_t m_linesPlacement = 0;
    SlideMotion m_motion = SlideMotion::None;
    QString m_popupMenu;
    bool m_isControl = false;
};

// The reference name of the slide boxes' pop-up menu: the main window's
// object name and the menu's name.
inline const QString kSlidePopupMenu = QStringLiteral("frmVistrano.pmRectBox");
// The object name of the window that owns every slide box.
inline const QString kSlideOwnerName = QStringLiteral("frmVistrano");
