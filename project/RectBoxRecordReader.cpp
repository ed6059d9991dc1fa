#include "common/Text8Bit.h"
#include "imaging/BitmapHeader.h"
#include "project/BitmapFile.h"
#include "project/ComponentReader.h"
#include "project/IdentTable.h"
#include "project/RectBoxPropertyTable.h"
#include "project/RectBoxStream.h"
#include "project/SlideMaking.h"

#include <cfloat>
#include <vector>

namespace {

// An error of one property entry; reported with the box's name and the
// entry's path.
class PropertyError : public VistranoError
{
public:
    using VistranoError::VistranoError;
};

[[noreturn]] void ThrowPropertyError(const char *message)
{
    throw PropertyError(QString::fromLatin1(message));
}

struct PendingReference
{
    const RectBoxProperty *property;
    QString name;
};

class RecordReader
{
public:
    RecordReader(ByteReader &in, RectBoxProperties &box) : m_reader(in), m_box(box) {}

    void ReadEntry(const QByteArray &path);
    void ResolveReferences(const FindSlideBox &findBox);

private:
    [[noreturn]] void NotFound(const QByteArray &name, ValueTag tag)
    {
        m_reader.SkipValueAfter(tag);
        throw PropertyError(QStringLiteral("Property %1 does not exist").arg(DecodeText8(name)));
    }
    void ReadValue(const RectBoxProperty &property, ValueTag tag);
    int32_t ReadOrdinal(const RectBoxProperty &property, ValueTag tag);
    void ReadPictureData(const RectBoxProperty &property, ValueTag tag);
    void ReadLines(ValueTag tag);

    TComponentReader m_reader;
    RectBoxProperties &m_box;
    std::vector<PendingReference> m_references;
};

int32_t RecordReader::ReadOrdinal(const RectBoxProperty &property, ValueTag tag)
{
    if (tag == ValueTag::Ident) {
        const QString name = m_reader.ReadShortString();
        if (!property.idents)
            ThrowInvalidPropertyValue();
        const auto value = property.idents->ValueOf(name);
        if (!value)
            ThrowInvalidPropertyValue();
        return *value;
    }
    return m_reader.ReadIntegerAfter(tag);
}

void RecordReader::ReadValue(const RectBoxProperty &property, ValueTag tag)
{
    switch (property.kind) {
    case PropertyKind::Integer:
        std::get<PropertyAccess<int32_t>>(property.access).set(m_box, ReadOrdinal(property, tag));
        return;
    case PropertyKind::Boolean: {
        bool value = false;
        if (tag == ValueTag::True || tag == ValueTag::False) {
            value = tag == ValueTag::True;
        } else if (tag == ValueTag::Ident) {
            const auto member = kBooleanIdents.ValueOf(m_reader.ReadShortString());
            if (!member)
                ThrowInvalidPropertyValue();
            value = *member != 0;
        } else {
            ThrowInvalidPropertyValue();
        }
        std::get<PropertyAccess<bool>>(property.access).set(m_box, value);
        return;
    }
    case PropertyKind::Enumeration: {
        // TagFalse and TagTrue name the members False and True, which no
        // enumeration of the box has.
        if (tag != ValueTag::Ident)
            ThrowInvalidPropertyValue();
        std::get<PropertyAccess<int32_t>>(property.access).set(m_box, ReadOrdinal(property, tag));
        return;
    }
    case PropertyKind::Set: {
        int32_t mask = 0;
        for (const QString &name : m_reader.ReadSetAfter(tag)) {
            const auto member = property.idents->ValueOf(name);
            if (!member)
                ThrowInvalidPropertyValue();
            mask |= 1 << *member;
        }
        std::get<PropertyAccess<int32_t>>(property.access).set(m_box, mask);
        return;
    }
    case PropertyKind::Float: {
        const long double value = m_reader.ReadFloatAfter(tag);
        if (value > DBL_MAX || value < -DBL_MAX)
            ThrowInvalidPropertyValue();
        std::get<PropertyAccess<double>>(property.access).set(m_box, double(value));
        return;
    }
    case PropertyKind::Extended:
        std::get<PropertyAccess<long double>>(property.access).set(m_box, m_reader.ReadFloatAfter(tag));
        return;
    case PropertyKind::Name:
    case PropertyKind::Text:
        std::get<PropertyAccess<QString>>(property.access).set(m_box, m_reader.ReadTextAfter(tag));
        return;
    case PropertyKind::BoxReference:
    case PropertyKind::MenuReference:
        if (tag == ValueTag::Ident) {
            m_references.push_back({&property, m_reader.ReadShortString()});
        } else if (tag == ValueTag::Nil) {
            m_references.push_back({&property, QString()});
        } else {
            ThrowInvalidPropertyValue();
        }
        return;
    case PropertyKind::Event:
        // A handler named in a stream must be a published method of the box
        // itself, and a slide box has none.
        if (tag != ValueTag::Nil)
            ThrowInvalidPropertyValue();
        return;
    case PropertyKind::Font:
    case PropertyKind::Picture:
    case PropertyKind::Lines:
        // A data holder is filled through its inner properties only.
        ThrowPropertyError("Property is read-only");
    }
}

void RecordReader::ReadPictureData(const RectBoxProperty &property, ValueTag tag)
{
    const auto payload = m_reader.ReadBinaryAfter(tag);
    ByteReader in(payload);
    TComponentReader reader(in);
    const QString className = reader.ReadShortString();
    TPictureData picture;
    if (className.compare(QLatin1String("TBitmap"), Qt::CaseInsensitive) == 0) {
        const int32_t size = in.I32LE();
        if (size < 0)
            throw EReadError();
        const auto bytes = in.Bytes(size_t(size));
        if (size == 0) {
            picture.Assign(QImage());
        } else {
            const QByteArray file(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
            // The payload is all there; a bitmap that cannot be decoded is
            // this property's error, whatever the decoder calls it.
            QImage bitmap;
            try {
                // A slide's picture is at most kThumbnailBox pixels on each
                // side. A larger one is refused before it is decoded: a
                // run-length bitmap of a few bytes can declare a picture of
                // a gigabyte.
                const BitmapHeader header = ReadBitmapHeader(file);
                if (header.width > kThumbnailBox || header.height > kThumbnailBox)
                    ThrowInvalidPropertyValue();
                bitmap = DecodeBitmapFile(file);
            } catch (const VistranoError &error) {
                throw PropertyError(error.message());
            }
            picture.AssignFromFile(bitmap, file);
        }
    }
    // Any other class leaves the picture empty; the rest of the payload is
    // passed over with it.
    std::get<PropertyAccess<TPictureData>>(property.access).set(m_box, picture);
}

void RecordReader::ReadLines(ValueTag tag)
{
    if (tag != ValueTag::List)
        ThrowInvalidPropertyValue();
    QStringList lines;
    for (ValueTag item = m_reader.ReadTag(); item != ValueTag::End; item = m_reader.ReadTag())
        lines << m_reader.ReadTextAfter(item);
    m_box.SetLines(lines);
}

bool SameName(QByteArrayView a, const char *b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

void RecordReader::ReadEntry(const QByteArray &path)
{
    const QList<QByteArray> parts = path.split('.');
    enum class Holder { Box, Font, Picture, Lines } holder = Holder::Box;
    const RectBoxProperty *owner = nullptr;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        const QByteArray &part = parts[i];
        if (holder != Holder::Box) {
            // The data holders have no object-valued properties.
            const bool known = holder == Holder::Font ? FindFontProperty(part) != nullptr
                                                      : SameName(part, holder == Holder::Picture ? "Data" : "Strings");
            if (!known)
                NotFound(part, m_reader.ReadTag());
            m_reader.SkipValueAfter(m_reader.ReadTag());
            ThrowPropertyError("Invalid property path");
        }
        owner = FindRectBoxProperty(part);
        if (!owner)
            NotFound(part, m_reader.ReadTag());
        switch (owner->kind) {
        case PropertyKind::Font: holder = Holder::Font; break;
        case PropertyKind::Picture: holder = Holder::Picture; break;
        case PropertyKind::Lines: holder = Holder::Lines; break;
        default:
            m_reader.SkipValueAfter(m_reader.ReadTag());
            ThrowPropertyError("Invalid property path");
        }
    }
    const QByteArray &name = parts.back();
    const ValueTag tag = m_reader.ReadTag();
    switch (holder) {
    case Holder::Box: {
        if (SameName(name, "IsControl")) {
            static const RectBoxProperty isControl = {"IsControl", PropertyKind::Boolean, WriteRule::Never, 0, nullptr,
                                                      Accessor<&RectBoxProperties::IsControl,
                                                               &RectBoxProperties::SetIsControl>()};
            ReadValue(isControl, tag);
            return;
        }
        const RectBoxProperty *property = FindRectBoxProperty(name);
        if (!property)
            NotFound(name, tag);
        ReadValue(*property, tag);
        return;
    }
    case Holder::Font: {
        const RectBoxProperty *property = FindFontProperty(name);
        if (!property)
            NotFound(name, tag);
        ReadValue(*property, tag);
        return;
    }
    case Holder::Picture:
        if (!SameName(name, "Data"))
            NotFound(name, tag);
        ReadPictureData(*owner, tag);
        return;
    case Holder::Lines:
        if (!SameName(name, "Strings"))
            NotFound(name, tag);
        ReadLines(tag);
        return;
    }
}

void RecordReader::ResolveReferences(const FindSlideBox &findBox)
{
    for (const PendingReference &reference : m_references) {
        const QString &name = reference.name;
        const qsizetype dot = name.indexOf(QLatin1Char('.'));
        const bool ownedByMainWindow =
            dot > 0 && QStringView(name).left(dot).compare(kSlideOwnerName, Qt::CaseInsensitive) == 0;
        if (reference.property->kind == PropertyKind::MenuReference) {
            const bool isSlideMenu = name.compare(kSlidePopupMenu, Qt::CaseInsensitive) == 0;
            std::get<PropertyAccess<QString>>(reference.property->access)
                .set(m_box, isSlideMenu ? kSlidePopupMenu : QString());
            continue;
        }
        RectBoxProperties *target = nullptr;
        if (name.compare(QLatin1String("Owner"), Qt::CaseInsensitive) == 0)
            target = &m_box;
        else if (ownedByMainWindow && findBox)
            target = findBox(name.mid(dot + 1));
        std::get<PropertyAccess<RectBoxProperties *>>(reference.property->access).set(m_box, target);
    }
}

} // namespace

void ReadRectBoxRecord(ByteReader &in, RectBoxProperties &box, const FindSlideBox &findBox)
{
    const auto signature = in.Bytes(4);
    if (std::memcmp(signature.data(), "TPF0", 4) != 0)
        throw VistranoError(QStringLiteral("Invalid stream format"));
    TComponentReader reader(in);
    if (in.Remaining() > 0 && in.Data()[in.Position()] >= 0xF0) {
        const uint8_t flags = in.U8() & 0x0F;
        if (flags & 2)
            reader.ReadIntegerAfter(reader.ReadTag()); // the child position, of no use here
    }
    reader.ReadShortStringBytes(); // the class name: the values go into the given box
    box.SetName(reader.ReadShortString());

    RecordReader record(in, box);
    for (;;) {
        const QByteArray path = reader.ReadShortStringBytes();
        if (path.isEmpty())
            break;
        try {
            record.ReadEntry(path);
        } catch (const EReadError &) {
            throw;
        } catch (const VistranoError &error) {
            const QString boxName = box.Name().isEmpty() ? QStringLiteral("TRectBox") : box.Name();
            throw VistranoError(QStringLiteral("Error reading %1%2%3: %4")
                                    .arg(boxName, QStringLiteral("."), DecodeText8(path), error.message()));
        }
    }
    // A slide box owns no components, so its list of children is empty.
    if (in.U8() != 0)
        throw VistranoError(QStringLiteral("Invalid stream format"));
    record.ResolveReferences(findBox);
}
