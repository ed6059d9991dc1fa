#include "project/BitmapFile.h"
#include "project/ComponentWriter.h"
#include "project/IdentTable.h"
#include "project/RectBoxPropertyTable.h"
#include "project/RectBoxStream.h"

namespace {

// The name a reference is written with, the box being the root: itself is
// "Owner", a named box of the main window "frmVistrano.<name>"; an unnamed
// one has no name to be written with.
QString BoxReferenceName(const RectBoxProperties &root, const RectBoxProperties *target)
{
    if (target == &root)
        return QStringLiteral("Owner");
    if (!target || target->Name().isEmpty())
        return {};
    return kSlideOwnerName + QLatin1Char('.') + target->Name();
}

void WriteIntegerValue(TComponentWriter &writer, const RectBoxProperty &property, int32_t value)
{
    if (property.idents) {
        if (const char *name = property.idents->NameOf(value)) {
            writer.WriteIdent(QString::fromLatin1(name));
            return;
        }
    }
    writer.WriteInteger(value);
}

// Writes the entries of one property (none, one, or the inner entries of a
// data holder), following its written-when rule.
void WriteProperty(QByteArray &out, const RectBoxProperties &box, const RectBoxProperty &property,
                   const QByteArray &path)
{
    TComponentWriter writer(out);
    const auto entry = [&] { writer.WriteShortString(path); };
    switch (property.kind) {
    case PropertyKind::Name:
    case PropertyKind::Event:
        return;
    case PropertyKind::Integer: {
        const int32_t value = std::get<PropertyAccess<int32_t>>(property.access).get(box);
        if (property.rule == WriteRule::NotDefault && value == property.defaultValue)
            return;
        entry();
        WriteIntegerValue(writer, property, value);
        return;
    }
    case PropertyKind::Enumeration: {
        const int32_t value = std::get<PropertyAccess<int32_t>>(property.access).get(box);
        if (property.rule == WriteRule::NotDefault && value == property.defaultValue)
            return;
        entry();
        writer.WriteIdent(QString::fromLatin1(property.idents->NameOf(value)));
        return;
    }
    case PropertyKind::Set: {
        const int32_t value = std::get<PropertyAccess<int32_t>>(property.access).get(box);
        entry();
        writer.WriteTag(ValueTag::Set);
        for (const IdentEntry &member : property.idents->Entries()) {
            if (value & (1 << member.value))
                writer.WriteShortString(QByteArray(member.name));
        }
        writer.WriteByte(0);
        return;
    }
    case PropertyKind::Boolean:
        entry();
        writer.WriteBoolean(std::get<PropertyAccess<bool>>(property.access).get(box));
        return;
    case PropertyKind::Float: {
        const double value = std::get<PropertyAccess<double>>(property.access).get(box);
        if (value == 0)
            return;
        entry();
        writer.WriteExtended(value);
        return;
    }
    case PropertyKind::Extended: {
        const long double value = std::get<PropertyAccess<long double>>(property.access).get(box);
        if (value == 0)
            return;
        entry();
        writer.WriteExtended(value);
        return;
    }
    case PropertyKind::Text: {
        const QString value = std::get<PropertyAccess<QString>>(property.access).get(box);
        if (value.isEmpty() && property.rule == WriteRule::NotEmpty)
            return;
        entry();
        writer.WriteText(value);
        return;
    }
    case PropertyKind::Font:
        if (box.ParentFont())
            return;
        for (const RectBoxProperty &inner : FontPropertyTable())
            WriteProperty(out, box, inner, path + '.' + inner.name);
        return;
    case PropertyKind::Picture: {
        const TPictureData picture = std::get<PropertyAccess<TPictureData>>(property.access).get(box);
        if (!picture.Assigned())
            return;
        writer.WriteShortString(path + ".Data");
        // The payload goes straight into the record: the class name, then
        // the BMP file with its length.
        const QByteArray &kept = picture.FileData();
        const qsizetype bmpSize = kept.isEmpty() ? BitmapFileSize(picture.Bitmap()) : kept.size();
        writer.WriteTag(ValueTag::Binary);
        writer.WriteInt32LE(int32_t(1 + 7 + 4 + bmpSize));
        writer.WriteShortString(QByteArray("TBitmap"));
        writer.WriteInt32LE(int32_t(bmpSize));
        if (kept.isEmpty())
            AppendBitmapFile(out, picture.Bitmap());
        else
            writer.WriteBytes(kept);
        return;
    }
    case PropertyKind::Lines:
        if (box.Lines().isEmpty())
            return;
        writer.WriteShortString(path + ".Strings");
        writer.WriteTag(ValueTag::List);
        for (const QString &line : box.Lines())
            writer.WriteText(line);
        writer.WriteTag(ValueTag::End);
        return;
    case PropertyKind::BoxReference: {
        const QString name =
            BoxReferenceName(box, std::get<PropertyAccess<RectBoxProperties *>>(property.access).get(box));
        if (name.isEmpty())
            return;
        entry();
        writer.WriteIdent(name);
        return;
    }
    case PropertyKind::MenuReference: {
        const QString name = std::get<PropertyAccess<QString>>(property.access).get(box);
        if (name.isEmpty())
            return;
        entry();
        writer.WriteIdent(name);
        return;
    }
    }
}

} // namespace

void WriteRectBoxRecord(QByteArray &out, const RectBoxProperties &box)
{
    TComponentWriter writer(out);
    writer.WriteBytes(QByteArrayLiteral("TPF0"));
    writer.WriteShortString(QByteArray("TRectBox"));
    writer.WriteShortString(box.Name());
    for (const RectBoxProperty &property : RectBoxPropertyTable())
        WriteProperty(out, box, property, QByteArray(property.name));
    if (box.IsControl()) {
        writer.WriteShortString(QByteArray("IsControl"));
        writer.WriteBoolean(true);
    }
    writer.WriteTag(ValueTag::End);
    writer.WriteTag(ValueTag::End);
}

QByteArray RectBoxRecord(const RectBoxProperties &box)
{
    QByteArray out;
    WriteRectBoxRecord(out, box);
    return out;
}
