#pragma once

#include "imaging/decoders/ByteReader.h"
#include "project/RectBoxProperties.h"

#include <QByteArray>
#include <QString>

#include <functional>

// Writes one slide box as a component stream record: "TPF0", the class
// name "TRectBox", the box's name, its property entries in declared order
// by the written-when rules, and the two end markers.
void WriteRectBoxRecord(QByteArray &out, const RectBoxProperties &box);
QByteArray RectBoxRecord(const RectBoxProperties &box);

// Finds a slide box by the name it is known by in its owner (the main
// window); null when there is none of that name.
using FindSlideBox = std::function<RectBoxProperties *(const QString &name)>;

// Reads one record into a box the caller created (with the values a new box
// starts with). It consumes exactly the record's bytes: the reader stands on
// the byte after its second end marker. References are resolved once the
// record has been read: "Owner" is the box itself, "frmVistrano.<name>" a
// box that findBox knows, "frmVistrano.pmRectBox" the slides' pop-up menu;
// any other name leaves the reference unassigned.
// Fails with "Invalid stream format", "Stream read error", or "Error
// reading <name>.<path>: <message>" for a property that cannot be read
// ("Property %s does not exist", "Invalid property value", "Invalid property
// path", "Property is read-only"). The box may hold part of the record then.
void ReadRectBoxRecord(ByteReader &in, RectBoxProperties &box, const FindSlideBox &findBox = {});
