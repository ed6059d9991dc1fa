#include "project/RectBoxProperties.h"

#include "imaging/PictureLoading.h"

void TPictureData::Assign(const QImage &bitmap)
{
    m_assigned = true;
    m_bitmap = MakeBitmap24(bitmap);
    m_fileData.clear();
}

void TPictureData::AssignFromFile(const QImage &bitmap, const QByteArray &bmpFile)
{
    Assign(bitmap);
    m_fileData = bmpFile;
}

bool RectBoxProperties::SetBoxSize(int32_t value)
{
    if (value == m_boxSize || value < 2 || value > 50)
        return false;
    m_boxSize = value / 2 * 2 + 1;
    Changed(RectBoxChange::Appearance);
    return true;
}

bool RectBoxProperties::SetFont(const TFontData &value)
{
    const bool changed = m_parentFont || !(m_font == value);
    m_font = value;
    m_parentFont = false;
    if (changed)
        Changed(RectBoxChange::Appearance);
    return changed;
}

bool RectBoxProperties::SetPicture(const QImage &bitmap)
{
    m_picture.Assign(bitmap);
    Changed(RectBoxChange::Appearance);
    return true;
}

bool RectBoxProperties::SetPictureData(const TPictureData &value)
{
    m_picture = value;
    Changed(RectBoxChange::Appearance);
    return true;
}

bool RectBoxProperties::SetPictureOriginal(const TPictureData &value)
{
    m_pictureOriginal = value;
    Changed(RectBoxChange::Appearance);
    return true;
}

bool RectBoxProperties::SetLines(const QStringList &value)
{
    m_lines = value;
    Changed(RectBoxChange::Appearance);
    return true;
}

bool RectBoxProperties::SetIsFiltered(bool value)
{
    if (value == m_isFiltered)
        return false;
    m_isFiltered = value;
    if (!value) {
        m_filterRed = m_filterGreen = m_filterBlue = m_filterSaturation = 0;
        m_filterBrightness = m_filterContrast = m_filterGamma = m_filterSharpness = 0;
    }
    Changed(RectBoxChange::Appearance);
    return true;
}
