// The drawing: every record of a DXF file in file order, the bytes around them, and indexes over them
// (sections, tables, block definitions, handles). Made by LoadDxf (loader.h), written by WriteDxf
// (writer.h); typed views (header_view.h, table_views.h, entity_views.h, spaces.h) read and change it.
//
// Every change goes through SetTags, SetErased or InsertBefore, which tell the change journal, if one is
// set, before they change anything. Records stay at their address for the life of the drawing; an erased
// record stays in the list (and in the handle index) flagged, and is not written.
//
// Memory. A changed record holds tags until it is settled (Settle), when it is written back to bytes and
// its tags let go; values made for changes (MakeTag, KeepValue) live in a scratch store that settling
// empties. The bytes a record was read from are let go once it is written back and no journal keeps
// its earlier state: settling gives the file's pages that no record reads any more back to the system.
// So a batch that changes every entity of a large drawing keeps about one copy of the changed entities'
// bytes, not their tags, every value they held on the way, or the bytes they were read from. A record
// changed again after it was settled leaves its earlier written bytes behind, as an undo step would keep
// them.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "drawing/change_journal.h"
#include "drawing/dxf_string.h"
#include "drawing/dxf_version.h"
#include "drawing/file_bytes.h"
#include "drawing/record.h"
#include "drawing/text_store.h"

namespace zil::drawing {

// A span of records: `head` opens it (SECTION, TABLE, BLOCK) and `end` closes it (ENDSEC, ENDTAB,
// ENDBLK); what lies between belongs to it.
struct Span {
  std::string name;  // the section's or table's name as written; for a block, empty (see BlockView)
  Record* head = nullptr;
  Record* end = nullptr;
};

class Drawing {
 public:
  Drawing(const Drawing&) = delete;
  Drawing& operator=(const Drawing&) = delete;

  // The file the drawing was read from (for messages).
  const std::string& File() const noexcept { return file_; }
  DxfVersion Version() const noexcept { return version_; }
  const DxfStrings& Strings() const noexcept { return *strings_; }
  std::u16string Decode(std::string_view value) const { return strings_->Decode(value); }
  std::string Encode(std::u16string_view text) const { return strings_->Encode(text); }

  // --- structure ---
  Record* First() const noexcept { return first_; }
  std::string_view Preamble() const noexcept { return preamble_; }  // a byte order mark and leading comments
  std::string_view Trailer() const noexcept { return trailer_; }    // whatever follows 0 EOF
  const std::vector<Span>& Sections() const noexcept { return sections_; }
  const Span* FindSection(std::string_view name) const noexcept;
  const std::vector<Span>& Tables() const noexcept { return tables_; }
  const Span* FindTable(std::string_view name) const noexcept;
  const std::vector<Span>& Blocks() const noexcept { return blocks_; }
  // The HEADER section's head record, which holds every header variable; nullptr when there is none.
  Record* Header() const noexcept;

  // The record with `handle` (erased ones included), nullptr when none has it. Constant time.
  Record* FindByHandle(std::uint64_t handle) const noexcept;

  // --- changes ---
  void SetJournal(ChangeJournal* journal) noexcept { journal_ = journal; }
  void SetTags(Record& record, std::vector<Tag> tags);
  // The same, the record written to bytes at once, as settling writes it (a large or dirty record gets its
  // tags): for a change whose tags nothing reads again, which spares holding them until the next Settle.
  void WriteTags(Record& record, const std::vector<Tag>& tags);
  // A copy of the record's tags to change and hand to WriteTags, with room for `more` new ones, made in
  // the room the tags last handed back had: a batch that changes one record after another makes its
  // copies without a new allocation each.
  std::vector<Tag> TagsToChange(const Record& record, std::size_t more);
  void WriteTags(Record& record, std::vector<Tag>&& tags);
  void SetErased(Record& record, bool erased);
  // Inserts a new record made of `tags` (the group 0 tag first) before `position`.
  Record& InsertBefore(Record& position, std::vector<Tag> tags);

  // For undo, without telling the journal.
  RecordState StateOf(const Record& record) const;
  void Restore(Record& record, const RecordState& state);
  void Remove(Record& record);  // unlinks a record that InsertBefore made
  // Links a record that Remove took out back in before `before` (nullptr: at the end) and gives it
  // `state`.
  void Reinsert(Record& record, Record* before, const RecordState& state);

  // Keeps a new value of group `code` for a record's tags, until the next Settle; a line break is refused
  // (DxfError).
  std::string_view KeepValue(int code, std::string_view value);
  // A tag made by the host, written with the file's line ends and group code layout; valid until the
  // next Settle, unless a record holds it by then.
  Tag MakeTag(int code, std::string_view value);
  // The same two for a value already checked (CheckValue), or known to hold no line break (a number).
  std::string_view KeepCheckedValue(std::string_view value) { return scratch_.Keep(value); }
  Tag MakeCheckedTag(int code, std::string_view value);
  Tag MakeTag(int code, double value);
  Tag MakeIntegerTag(int code, long long value);

  // The revision given to the record changed last (Record::Revision): while it and the records' list
  // stay the same, no record changed.
  std::uint64_t LastRevision() const noexcept { return revision_; }

  // A new handle from $HANDSEED, which moves on; never one that is in use.
  std::uint64_t NewHandle();

  // --- what the file lacks ---
  // Records the host supplies where a file lacks what AutoCAD always has (the text style "Standard"; see
  // new_table_records.h). A provisional record is part of the drawing like any other, found, read and
  // changed, but it is not written while the drawing is as it was read: the drawing keeps its provisional
  // records (and then writes them all) from the first change of one, or the first record inserted before
  // one. So a drawing saved without changes stays byte for byte the file it was read from.
  Record& InsertProvisional(Record& position, std::vector<Tag> tags);
  // A handle no record uses, for a provisional record; $HANDSEED stays until the records are kept.
  std::uint64_t ProvisionalHandle();
  // Registers a table (`table`) or a section made of provisional records among the others, in file order.
  // Spans found before this may move: call it while nothing holds one (when the drawing is loaded).
  void AddProvisionalSpan(Span span, bool table);
  bool KeepsProvisionalRecords() const noexcept { return keepProvisional_; }

  // --- memory ---
  // Writes the records changed since the last settling back to bytes and lets go of their tags, all but
  // the last one changed (which its caller is likely still changing); and when the scratch store has
  // grown and the journal holds no states, empties it. Call it only when nothing outside the drawing
  // holds a tag the drawing made or a reference to a record's tags: between two changes a caller makes.
  void Settle();
  // Lets go of the tags made from an unchanged record's bytes, under the same condition; they are made
  // again when next asked for.
  void ReleaseTags(Record& record) noexcept;
  // The bytes of the file given back to the system so far.
  std::size_t ReleasedFileBytes() const noexcept { return bytes_.Released(); }

 private:
  friend std::unique_ptr<Drawing> LoadDxf(WholeFile bytes, std::string file);
  Drawing() = default;

  Record& Append(Record record);
  void Link(Record& record, Record* before);
  void Index(Record& record);
  void Unindex(Record& record);
  void Describe(Record& record, const std::vector<Tag>& tags);
  // The halves of a change of a record's tags around putting them in: the journal told, the revision
  // moved on; then the record described from its new tags and indexed again if its handle changed
  // (BeginChange gives the handle it had).
  std::uint64_t BeginChange(Record& record);
  void EndChange(Record& record, const std::vector<Tag>& tags, std::uint64_t handle);
  // The drawing's one copy of a record type's name.
  const std::string* TypeName(std::string_view type);
  // Throws DxfError unless `tags` can make a record.
  static void CheckRecord(const std::vector<Tag>& tags);
  static void CheckRecord(const std::vector<Tag>& tags, std::size_t size);  // `size`: BytesOf(tags)
  // Notes that a record now holds tags of its own.
  void MakeDirty(Record& record);
  // The provisional records are kept from now on; $HANDSEED moves past their handles.
  void KeepProvisionalRecords();
  // Copies `tags` (`size` bytes, a dirty record's own or its new ones) one after another into `store` and
  // points the record's bytes there; the tags still read the bytes they were made from.
  void WriteBack(Record& record, const std::vector<Tag>& tags, TextStore& store, std::size_t size);
  // Writes a dirty record back into `store` and points its tags there too, so that it stays dirty.
  void MoveTags(Record& record, TextStore& store);
  // Gives back the file's pages no record reads any more, when enough of them have gathered.
  void ReleaseFileBytes();
  // Keeps the file's pages a dirty record's tags point into from being given back this time.
  void PinFileBytes(const Record& record);
  // The bytes `tags` write.
  static std::size_t BytesOf(const std::vector<Tag>& tags) noexcept;
  // The group code line MakeTag writes for `code`, put together in `room`.
  static constexpr std::size_t kCodeLineRoom = 32;
  std::string_view CodeLine(int code, char (&room)[kCodeLineRoom]) const noexcept;

  std::string file_;
  FileBytes bytes_;
  std::string_view preamble_;
  std::string_view trailer_;
  std::deque<Record> records_;
  std::deque<std::string> typeNames_;
  std::unordered_map<std::string_view, const std::string*> typeIndex_;  // into typeNames_
  const std::string* lastType_ = nullptr;
  Record* first_ = nullptr;
  Record* last_ = nullptr;
  std::vector<Span> sections_;
  std::vector<Span> tables_;
  std::vector<Span> blocks_;
  std::unordered_map<std::uint64_t, Record*> handles_;
  std::uint64_t maxHandle_ = 0;
  DxfVersion version_ = DxfVersion::R12;
  std::unique_ptr<DxfStrings> strings_;
  TextStore texts_;             // the bytes of settled records
  TextStore scratch_;           // values made for changes
  TextStore spare_;             // the next scratch store, while the kept records move into it
  std::vector<Record*> dirty_;  // changed since the last settling (may hold some that are not any more)
  Record* lastChanged_ = nullptr;
  Record* heldLast_ = nullptr;       // the last changed record, left dirty by the last settling
  std::vector<Record*> keptAsTags_;  // large records left dirty by settling
  std::vector<Tag> spareTags_;       // room for TagsToChange (its tags are of no use)
  std::size_t keptBytes_ = 0;        // their bytes when they last moved into the scratch store
  std::string lineEnd_ = "\n";
  int codeWidth_ = 0;  // group codes right-aligned to this width, as the file writes them
  // The code lines of the codes below kKnownCodeLines (every code a file uses), each made when MakeTag
  // first needs it: at most four digits and a line end of two.
  struct KnownCodeLine {
    std::array<char, 7> text;
    std::uint8_t size = 0;
  };
  static constexpr int kKnownCodeLines = 1072;
  std::array<KnownCodeLine, kKnownCodeLines> codeLines_{};
  std::uint64_t revision_ = 0;  // the last revision given to a changed record
  ChangeJournal* journal_ = nullptr;
  bool keepProvisional_ = false;
  std::uint64_t provisionalHandles_ = 0;  // the largest handle given to a provisional record
};

// Records are smaller than 4 GiB.
inline constexpr std::size_t kLargestRecord = 0xFFFFFFFF;

// Throws DxfError for a value that group `code` cannot hold (a line break), as KeepValue and MakeTag do.
void CheckValue(int code, std::string_view value);

// The kind of handle group a record of `type` carries: 105 for DIMSTYLE, 0 for records without one, else 5.
int HandleCode(std::string_view type) noexcept;

}  // namespace zil::drawing
