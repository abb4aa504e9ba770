// Erasing, copying, moving and turning whole entities, whatever their type. An INSERT with attributes and a
// POLYLINE go together with their ATTRIB / VERTEX records and SEQEND.
#pragma once

#include <optional>

#include "drawing/drawing.h"
#include "drawing/entity_views.h"
#include "drawing/ocs.h"
#include "drawing/text_placement.h"

namespace zil::drawing {

// The entity and the records that belong to it (ATTRIBs or VERTEXes and the SEQEND), in file order.
std::vector<Record*> EntityWithParts(Record& entity);

void EraseEntity(Drawing& drawing, Record& entity);

// A copy of the entity (and its parts) with new handles, appended to the space the entity lies in. The
// copy leaves out the original's reactors and extension dictionary (groups 102 {ACAD_REACTORS and
// {ACAD_XDICTIONARY): they belong to the original. Returns the new entity.
Record& CopyEntity(Drawing& drawing, Record& entity);

// Moves the entity (and its parts) by `displacement` (world coordinates): lines, points, circles, arcs,
// ellipses, texts, attributes, MTEXT, inserts, solids, traces, 3D faces, polylines (light and heavy),
// splines, construction lines, rays and leaders, each in the coordinate system its points are in. Throws
// DxfError for another type (hatches, dimensions, ...), leaving the entity unchanged.
void MoveEntity(Drawing& drawing, Record& entity, Point displacement);

// Turns the entity (an INSERT with its ATTRIBs) by `angle` radians, counter-clockwise about the world z axis
// through `base`: texts, attributes, MTEXT, inserts, lines, points, circles, arcs, ellipses, solids,
// traces, 3D faces, light polylines, construction lines and rays. Points are turned, direction vectors
// turned, and rotation angles (degrees in the file) grow by the angle. An entity whose plane is not
// parallel to the world xy plane, and any other type, is refused with a DxfError and left unchanged.
void RotateEntity(Drawing& drawing, Record& entity, Point base, double angle);

// RotateEntity of a TEXT worked out on its groups (`groups`, what its tags hold or will hold once a
// caller writes them; `axes`, its coordinate system) instead of its tags: `groups` as the turned tags
// would hold them, and the bits (text_placement.h) of the groups that turning writes. Nothing, and
// `groups` unchanged, for a text RotateEntity does not turn that way: one whose tags hold other than
// one insertion point and at most one alignment point, each with its y after its x, or whose plane is not
// parallel to the xy plane (which RotateEntity refuses).
std::optional<unsigned> TurnTextGroups(const TextView& text, TextGroups& groups, const OcsAxes& axes, Point base,
                                       double angle);

}  // namespace zil::drawing
