// Erasing, copying and moving whole entities, whatever their type. An INSERT with attributes and a
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

// Moves the entity (and its parts) by `displacement` (world coordinates). Throws DxfError for an entity
// type whose geometry this host does not know, leaving it unchanged.
void MoveEntity(Drawing& drawing, Record& entity, Point displacement);

}  // namespace zil::drawing
