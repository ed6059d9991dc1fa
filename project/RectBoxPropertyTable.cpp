#include "project/RectBoxPropertyTable.h"

#include "project/IdentTable.h"

#include <QHash>

namespace {

using R = RectBoxProperties;
using K = PropertyKind;
using W = WriteRule;

// A field of the font, set through the box so that the box stops taking its
// parent's font.
template <auto Field>
constexpr auto FontAccessor()
{
    using Value = std::remove_cvref_t<decltype(std::declval<TFontData>().*Field)>;
    using Stored = std::conditional_t<std::is_same_v<Value, QString>, QString, int32_t>;
    return PropertyAccess<Stored>{
        [](const R &box) -> Stored { return static_cast<Stored>(box.Font().*Field); },
        [](R &box, Stored value) -> bool {
            TFontData font = box.Font();
            font.*Field = static_cast<Value>(value);
            return box.SetFont(font);
        },
    };
}

const RectBoxProperty kProperties[] = {
    {"Name", K::Name, W::Never, 0, nullptr, Accessor<&R::Name, &R::SetName>()},
    {"Tag", K::Integer, W::NotDefault, 0, nullptr, Accessor<&R::Tag, &R::SetTag>()},
    {"Left", K::Integer, W::Always, 0, nullptr, Accessor<&R::Left, &R::SetLeft>()},
    {"Top", K::Integer, W::Always, 0, nullptr, Accessor<&R::Top, &R::SetTop>()},
    {"Width", K::Integer, W::Always, 0, nullptr, Accessor<&R::Width, &R::SetWidth>()},
    {"Height", K::Integer, W::Always, 0, nullptr, Accessor<&R::Height, &R::SetHeight>()},
    {"Cursor", K::Integer, W::NotDefault, 0, &kCursorIdents, Accessor<&R::Cursor, &R::SetCursor>()},
    {"Hint", K::Text, W::NotEmpty, 0, nullptr, Accessor<&R::Hint, &R::SetHint>()},
    {"HelpType", K::Enumeration, W::NotDefault, int32_t(THelpType::htContext), &kHelpTypeIdents,
     Accessor<&R::HelpType, &R::SetHelpType>()},
    {"HelpKeyword", K::Text, W::NotEmpty, 0, nullptr, Accessor<&R::HelpKeyword, &R::SetHelpKeyword>()},
    {"HelpContext", K::Integer, W::NotDefault, 0, nullptr, Accessor<&R::HelpContext, &R::SetHelpContext>()},
    {"BoxType", K::Enumeration, W::Always, 0, &kBoxTypeIdents, Accessor<&R::BoxType, &R::SetBoxType>()},
    {"AutoForeGround", K::Boolean, W::Always, 0, nullptr, Accessor<&R::AutoForeGround, &R::SetAutoForeGround>()},
    {"AutoSize", K::Boolean, W::Always, 0, nullptr, Accessor<&R::AutoSize, &R::SetAutoSize>()},
    {"FrameType", K::Enumeration, W::Always, 0, &kFrameTypeIdents, Accessor<&R::FrameType, &R::SetFrameType>()},
    {"HidePassiveFrame", K::Boolean, W::Always, 0, nullptr,
     Accessor<&R::HidePassiveFrame, &R::SetHidePassiveFrame>()},
    {"Caption", K::Text, W::NotEmpty, 0, nullptr, Accessor<&R::Caption, &R::SetCaption>()},
    {"FileName", K::Text, W::NotEmpty, 0, nullptr, Accessor<&R::FileName, &R::SetFileName>()},
    {"Proportionate", K::Boolean, W::Always, 0, nullptr, Accessor<&R::Proportionate, &R::SetProportionate>()},
    {"BoxSize", K::Integer, W::Always, 0, nullptr, Accessor<&R::BoxSize, &R::SetBoxSize>()},
    {"BoxColor", K::Integer, W::Always, 0, &kColorIdents, Accessor<&R::BoxColor, &R::SetBoxColor>()},
    {"ActiveFrameColor", K::Integer, W::Always, 0, &kColorIdents,
     Accessor<&R::ActiveFrameColor, &R::SetActiveFrameColor>()},
    {"FilteredFrameColor", K::Integer, W::Always, 0, &kColorIdents,
     Accessor<&R::FilteredFrameColor, &R::SetFilteredFrameColor>()},
    {"PassiveFrameColor", K::Integer, W::Always, 0, &kColorIdents,
     Accessor<&R::PassiveFrameColor, &R::SetPassiveFrameColor>()},
    {"DrawFrame", K::Boolean, W::Always, 0, nullptr, Accessor<&R::DrawFrame, &R::SetDrawFrame>()},
    {"DrawBoxes", K::Boolean, W::Always, 0, nullptr, Accessor<&R::DrawBoxes, &R::SetDrawBoxes>()},
    {"ShowPos", K::Boolean, W::Always, 0, nullptr, Accessor<&R::ShowPos, &R::SetShowPos>()},
    {"ShowSize", K::Boolean, W::Always, 0, nullptr, Accessor<&R::ShowSize, &R::SetShowSize>()},
    {"InfoTextColor", K::Integer, W::Always, 0, &kColorIdents, Accessor<&R::InfoTextColor, &R::SetInfoTextColor>()},
    {"Focus", K::Boolean, W::Always, 0, nullptr, Accessor<&R::Focus, &R::SetFocus>()},
    {"Font", K::Font, W::OwnFont, 0, nullptr, {}},
    {"Picture", K::Picture, W::HoldsImage, 0, nullptr, Accessor<&R::PictureData, &R::SetPictureData>()},
    {"PictureOriginal", K::Picture, W::HoldsImage, 0, nullptr,
     Accessor<&R::PictureOriginal, &R::SetPictureOriginal>()},
    {"PictureWidth", K::Integer, W::Always, 0, nullptr, Accessor<&R::PictureWidth, &R::SetPictureWidth>()},
    {"PictureHeight", K::Integer, W::Always, 0, nullptr, Accessor<&R::PictureHeight, &R::SetPictureHeight>()},
    {"PictureDate", K::Float, W::NotZero, 0, nullptr, Accessor<&R::PictureDate, &R::SetPictureDate>()},
    {"PictureFileSize", K::Integer, W::Always, 0, nullptr,
     Accessor<&R::PictureFileSize, &R::SetPictureFileSize>()},
    {"Ratio", K::Extended, W::NotZero, 0, nullptr, Accessor<&R::Ratio, &R::SetRatio>()},
    {"Rotation", K::Integer, W::Always, 0, nullptr, Accessor<&R::Rotation, &R::SetRotation>()},
    {"TextBox", K::Boolean, W::Always, 0, nullptr, Accessor<&R::TextBox, &R::SetTextBox>()},
    {"CanvasPPI", K::Float, W::NotZero, 0, nullptr, Accessor<&R::CanvasPPI, &R::SetCanvasPPI>()},
    {"Alignment", K::Enumeration, W::NotDefault, int32_t(TAlignment::taCenter), &kAlignmentIdents,
     Accessor<&R::Alignment, &R::SetAlignment>()},
    {"Lines", K::Lines, W::HasLines, 0, nullptr, {}},
    {"LinkChild", K::BoxReference, W::Assigned, 0, nullptr, Accessor<&R::LinkChild, &R::SetLinkChild>()},
    {"LinkParent", K::BoxReference, W::Assigned, 0, nullptr, Accessor<&R::LinkParent, &R::SetLinkParent>()},
    {"CropLeft", K::Integer, W::Always, 0, nullptr, Accessor<&R::CropLeft, &R::SetCropLeft>()},
    {"CropTop", K::Integer, W::Always, 0, nullptr, Accessor<&R::CropTop, &R::SetCropTop>()},
    {"CropWidth", K::Integer, W::Always, 0, nullptr, Accessor<&R::CropWidth, &R::SetCropWidth>()},
    {"CropHeight", K::Integer, W::Always, 0, nullptr, Accessor<&R::CropHeight, &R::SetCropHeight>()},
    {"IsCropped", K::Boolean, W::Always, 0, nullptr, Accessor<&R::IsCropped, &R::SetIsCropped>()},
    {"IsFiltered", K::Boolean, W::Always, 0, nullptr, Accessor<&R::IsFiltered, &R::SetIsFiltered>()},
    {"FilterRed", K::Integer, W::Always, 0, nullptr, Accessor<&R::FilterRed, &R::SetFilterRed>()},
    {"FilterGreen", K::Integer, W::Always, 0, nullptr, Accessor<&R::FilterGreen, &R::SetFilterGreen>()},
    {"FilterBlue", K::Integer, W::Always, 0, nullptr, Accessor<&R::FilterBlue, &R::SetFilterBlue>()},
    {"FilterSaturation", K::Integer, W::Always, 0, nullptr,
     Accessor<&R::FilterSaturation, &R::SetFilterSaturation>()},
    {"FilterBrightness", K::Integer, W::Always, 0, nullptr,
     Accessor<&R::FilterBrightness, &R::SetFilterBrightness>()},
    {"FilterContrast", K::Integer, W::Always, 0, nullptr, Accessor<&R::FilterContrast, &R::SetFilterContrast>()},
    {"FilterGamma", K::Integer, W::Always, 0, nullptr, Accessor<&R::FilterGamma, &R::SetFilterGamma>()},
    {"FilterSharpness", K::Integer, W::Always, 0, nullptr,
     Accessor<&R::FilterSharpness, &R::SetFilterSharpness>()},
    {"FilterUSMRatio", K::Integer, W::Always, 0, nullptr, Accessor<&R::FilterUSMRatio, &R::SetFilterUSMRatio>()},
    {"FilterUSMAmount", K::Integer, W::Always, 0, nullptr,
     Accessor<&R::FilterUSMAmount, &R::SetFilterUSMAmount>()},
    {"AbLeft", K::Float, W::NotZero, 0, nullptr, Accessor<&R::AbLeft, &R::SetAbLeft>()},
    {"AbTop", K::Float, W::NotZero, 0, nullptr, Accessor<&R::AbTop, &R::SetAbTop>()},
    {"AbWidth", K::Float, W::NotZero, 0, nullptr, Accessor<&R::AbWidth, &R::SetAbWidth>()},
    {"AbHeight", K::Float, W::NotZero, 0, nullptr, Accessor<&R::AbHeight, &R::SetAbHeight>()},
    {"LinesPlacement", K::Integer, W::Always, 0, nullptr, Accessor<&R::LinesPlacement, &R::SetLinesPlacement>()},
    {"OnClick", K::Event, W::Never, 0, nullptr, {}},
    {"PopupMenu", K::MenuReference, W::Assigned, 0, nullptr, Accessor<&R::PopupMenu, &R::SetPopupMenu>()},
    {"OnMouseDown", K::Event, W::Never, 0, nullptr, {}},
    {"OnMouseMove", K::Event, W::Never, 0, nullptr, {}},
    {"OnMouseUp", K::Event, W::Never, 0, nullptr, {}},
    {"OnDblClick", K::Event, W::Never, 0, nullptr, {}},
    {"OnStartDrag", K::Event, W::Never, 0, nullptr, {}},
    {"OnDragOver", K::Event, W::Never, 0, nullptr, {}},
    {"OnDragDrop", K::Event, W::Never, 0, nullptr, {}},
    {"OnEndDrag", K::Event, W::Never, 0, nullptr, {}},
    {"OnPaint", K::Event, W::Never, 0, nullptr, {}},
    {"OnResize", K::Event, W::Never, 0, nullptr, {}},
    // Written only for a slide that moves, so a project without motion keeps
    // its bytes; last, after the properties the records always had.
    {"Motion", K::Enumeration, W::NotDefault, int32_t(SlideMotion::None), &kMotionIdents,
     Accessor<&R::Motion, &R::SetMotion>()},
};
static_assert(std::size(kProperties) == 79);

const RectBoxProperty kFontProperties[] = {
    {"Charset", K::Integer, W::Always, 0, &kCharsetIdents, FontAccessor<&TFontData::charset>()},
    {"Color", K::Integer, W::Always, 0, &kColorIdents, FontAccessor<&TFontData::color>()},
    {"Height", K::Integer, W::Always, 0, nullptr, FontAccessor<&TFontData::height>()},
    {"Name", K::Text, W::NotEmpty, 0, nullptr, FontAccessor<&TFontData::name>()},
    {"Pitch", K::Enumeration, W::NotDefault, int32_t(TFontPitch::fpDefault), &kFontPitchIdents,
     FontAccessor<&TFontData::pitch>()},
    {"Style", K::Set, W::Always, 0, &kFontStyleIdents, FontAccessor<&TFontData::style>()},
};

const RectBoxProperty *Find(std::span<const RectBoxProperty> table, QByteArrayView name)
{
    for (const RectBoxProperty &property : table) {
        if (name.compare(property.name, Qt::CaseInsensitive) == 0)
            return &property;
    }
    return nullptr;
}

} // namespace

std::span<const RectBoxProperty> RectBoxPropertyTable() { return kProperties; }

const RectBoxProperty *FindRectBoxProperty(QByteArrayView name)
{
    // A record names most of the 79 properties, in the letter case of the
    // table, so they are found by hash first.
    static const QHash<QByteArrayView, const RectBoxProperty *> byName = [] {
        QHash<QByteArrayView, const RectBoxProperty *> map;
        for (const RectBoxProperty &property : kProperties)
            map.insert(QByteArrayView(property.name), &property);
        return map;
    }();
    if (const RectBoxProperty *property = byName.value(name, nullptr))
        return property;
    return Find(kProperties, name);
}

std::span<const RectBoxProperty> FontPropertyTable() { return kFontProperties; }

const RectBoxProperty *FindFontProperty(QByteArrayView name) { return Find(kFontProperties, name); }
