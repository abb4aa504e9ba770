// One object of a DXF file: a group 0 tag and the tags that follow it up to the next group 0 tag.
// Sections' heads and ends, table records, blocks, entities, objects and CLASS records are all records.
//
// A record is kept as bytes: those it was read from, or, once changed and settled (Drawing::Settle), those
// its new tags write. Its tags are made from the bytes when asked for and may be let go again
// (Drawing::ReleaseTags). A record changed since it was last settled is its tags instead ("dirty"). Records
// form the drawing's list in file order. Only the drawing changes a record (see drawing.h), so that every
// change can be journalled.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/tag.h"

namespace zil::drawing {

class Drawing;
class WholeFile;
std::unique_ptr<Drawing> LoadDxf(WholeFile bytes, std::string file);

// What a record was before a change: enough to put it back byte for byte.
struct RecordState {
  bool dirty = false;    // the record was its tags (`tags`), else its bytes (`bytes`)
  bool pristine = true;  // the bytes were those read from the file
  std::string_view bytes;
  std::vector<Tag> tags;
  bool erased = false;
};

class Record {
 public:
  // The value of the group 0 tag without surrounding spaces: "TEXT", "SECTION", "LAYER", ...
  std::string_view Type() const noexcept { return type_ ? std::string_view(*type_) : std::string_view(); }
  // The record's own handle (group 5, or 105 for DIMSTYLE), 0 when it has none.
  std::uint64_t Handle() const noexcept { return handle_; }
  // The line of the group 0 tag in the file; 0 for a record the host made.
  std::uint32_t Line() const noexcept { return line_; }
  // Group 67 is 1: the entity lies in paper space.
  bool InPaperSpace() const noexcept { return paperSpace_ != 0; }
  bool Erased() const noexcept { return erased_ != 0; }
  // The record is the bytes it was read from.
  bool Pristine() const noexcept { return pristine_ != 0; }
  // The record was changed since it was last settled: its tags are what it holds, Source() is stale.
  bool Dirty() const noexcept { return dirty_ != 0; }
  // A record the host supplied for what the file lacks (drawing.h, InsertProvisional).
  bool Provisional() const noexcept { return provisional_ != 0; }
  // The record's bytes, valid while it is not Dirty().
  std::string_view Source() const noexcept { return {source_, sourceSize_}; }
  // Changes with every change of the record (its tags, erased or not, an undo); never the same for two
  // states of one record, so what was computed from the tags can be kept while it stays the same.
  std::uint64_t Revision() const noexcept { return revision_; }

  // All tags, the group 0 tag first. Made from the record's bytes on first use (these were checked when
  // the file was loaded, or written from tags, so this cannot fail).
  const std::vector<Tag>& Tags() const { return tags_ ? *tags_ : MadeTags(); }

  // The first tag with `code`, or nullptr.
  const Tag* Find(int code) const;

  Record* Next() const noexcept { return next_; }
  Record* Prev() const noexcept { return prev_; }

 private:
  friend class Drawing;
  friend std::unique_ptr<Drawing> LoadDxf(WholeFile bytes, std::string file);

  // A drawing holds a record for every object of its file: the record is kept small. Its tags, which
  // only some records hold at a time, live apart; its type is one of the drawing's few type names.
  static constexpr int kRevisionBits = 56;
  static constexpr std::uint64_t kRevisionMask = (std::uint64_t{1} << kRevisionBits) - 1;

  void SetSource(std::string_view source) noexcept {
    source_ = source.data();
    sourceSize_ = static_cast<std::uint32_t>(source.size());
  }
  void SetRevision(std::uint64_t revision) noexcept { revision_ = revision & kRevisionMask; }
  bool Tagged() const noexcept { return tags_ != nullptr; }
  // Makes the tags from the bytes (Tags, when there are none yet).
  const std::vector<Tag>& MadeTags() const;
  // The tags held, made empty first when there are none.
  std::vector<Tag>& HeldTags() const;

  const std::string* type_ = nullptr;
  const char* source_ = nullptr;
  mutable std::unique_ptr<std::vector<Tag>> tags_;
  std::uint64_t handle_ = 0;
  Record* prev_ = nullptr;
  Record* next_ = nullptr;
  std::uint32_t sourceSize_ = 0;  // records are smaller than 4 GiB (the loader and Settle see to it)
  std::uint32_t line_ = 0;
  std::uint64_t revision_ : kRevisionBits = 0;  // more changes than a session can make
  std::uint64_t paperSpace_ : 1 = 0;
  std::uint64_t erased_ : 1 = 0;
  std::uint64_t pristine_ : 1 = 1;
  std::uint64_t dirty_ : 1 = 0;
  std::uint64_t provisional_ : 1 = 0;
  std::uint64_t fileBytes_ : 1 = 0;  // source_ lies in the file's bytes, which count it as kept
};

}  // namespace zil::drawing
