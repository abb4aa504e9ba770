// Erasing, copying, moving and turning whole entities, whatever their type. An INSERT with attributes and a
// POLYLINE go together with their ATTRIB / VERTEX records and SEQEND.
#pragma once

#include "drawing/drawing.h"
#include "drawing/entity_views.h"

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

}  // namespace zil::drawing
