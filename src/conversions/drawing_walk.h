// The walk of the drawing conversions: every entity of every layout and named block, with the layers
// thawed and unlocked for the walk and put back after it.
//
// Anonymous blocks (a name that is empty or begins with "*", not a layout) are skipped. Each entity goes
// to the visitor by its entity type; an error on one entity is caught and counted and the walk goes on.
// The layers' frozen and locked states come back after the walk also when the walk itself fails (the
// error then propagates). Progress is reported as entities done of the total, before each entity.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "acad/application.h"

namespace zil::conversions {

enum class Outcome { Converted, LeftAlone };

struct WalkReport {
  std::size_t converted = 0;  // text entities whose string or style changed
  std::size_t leftAlone = 0;  // text entities the action does not change
  std::size_t failed = 0;     // entities an error stopped (left as far as they got)
  std::string firstFailure;   // the message of the first of them
};

using Progress = std::function<void(std::size_t done, std::size_t total)>;

// Visits one entity and counts in the report what it did.
using EntityVisitor = std::function<void(acad::Entity& entity, WalkReport& report)>;

// Counts an outcome; nothing for an entity of no interest.
void Tally(WalkReport& report, std::optional<Outcome> outcome);

WalkReport WalkDrawing(acad::Document& doc, const EntityVisitor& visit, const Progress& progress);

// The same walk for reading only: the layers stay as they are (an entity on a frozen or locked layer is
// still visited) and nothing in the drawing changes.
WalkReport WalkEntities(acad::Document& doc, const EntityVisitor& visit, const Progress& progress);

// Visits every attribute reference of a block reference; the outcomes are added to `report`. An error on
// one attribute is counted there and the others still go.
// `visit` gives nothing for an attribute of no interest (not counted).
void VisitAttributes(acad::Entity& blockReference, const std::function<std::optional<Outcome>(acad::Entity&)>& visit,
                     WalkReport& report);

}  // namespace zil::conversions
