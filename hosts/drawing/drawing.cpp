#include "drawing/drawing.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <utility>

#include "drawing/dxf_error.h"
#include "drawing/header_view.h"
#include "drawing/tag_values.h"

namespace zil::drawing {
namespace {

// A record written back after every change leaves a copy of itself behind each time: a large one (the
// header, with $HANDSEED) stays tags.
constexpr std::size_t kWrittenBackUpTo = 4096;

}  // namespace

int HandleCode(std::string_view type) noexcept {
  if (type == "DIMSTYLE") return 105;
  if (type == "SECTION" || type == "ENDSEC" || type == "EOF" || type == "CLASS") return 0;
  return 5;
}

const Span* Drawing::FindSection(std::string_view name) const noexcept {
  for (const Span& s : sections_)
    if (s.name == name) return &s;
  return nullptr;
}

const Span* Drawing::FindTable(std::string_view name) const noexcept {
  for (const Span& t : tables_)
    if (t.name == name) return &t;
  return nullptr;
}

Record* Drawing::Header() const noexcept {
  const Span* header = FindSection("HEADER");
  return header ? header->head : nullptr;
}

Record* Drawing::FindByHandle(std::uint64_t handle) const noexcept {
  const auto it = handles_.find(handle);
  return it == handles_.end() ? nullptr : it->second;
}

Record& Drawing::Append(Record record) {
  Record& stored = records_.emplace_back(std::move(record));
  Link(stored, nullptr);
  return stored;
}

void Drawing::Link(Record& record, Record* before) {
  record.next_ = before;
  record.prev_ = before ? before->prev_ : last_;
  (record.prev_ ? record.prev_->next_ : first_) = &record;
  (before ? before->prev_ : last_) = &record;
}

void Drawing::Index(Record& record) {
  if (record.handle_ != 0) handles_.emplace(record.handle_, &record);
}

void Drawing::Unindex(Record& record) {
  const auto it = handles_.find(record.handle_);
  if (it != handles_.end() && it->second == &record) handles_.erase(it);
}

const std::string* Drawing::TypeName(std::string_view type) {
  if (lastType_ && *lastType_ == type) return lastType_;  // records of a type mostly come together
  const auto it = typeIndex_.find(type);
  if (it != typeIndex_.end()) return lastType_ = it->second;
  lastType_ = &typeNames_.emplace_back(type);
  typeIndex_.emplace(*lastType_, lastType_);
  return lastType_;
}

void Drawing::CheckRecord(const std::vector<Tag>& tags) { CheckRecord(tags, BytesOf(tags)); }

void Drawing::CheckRecord(const std::vector<Tag>& tags, std::size_t size) {
  if (tags.empty() || tags.front().code != 0) throw DxfError("a record must begin with a group 0 tag");
  if (size > kLargestRecord) throw DxfError("a record cannot be larger than 4 GiB");
}

void Drawing::Describe(Record& record, const std::vector<Tag>& tags) {
  if (tags.empty()) {
    record.type_ = nullptr;
  } else if (const std::string_view type = Trimmed(tags.front().value); !record.type_ || *record.type_ != type) {
    record.type_ = TypeName(type);  // most changes keep the type
  }
  record.handle_ = 0;
  record.paperSpace_ = false;
  const int handleCode = HandleCode(record.Type());
  for (const Tag& tag : tags) {
    if (tag.code == handleCode && record.handle_ == 0) record.handle_ = ToHandle(tag.value).value_or(0);
    if (tag.code == 67) record.paperSpace_ = Trimmed(tag.value) == "1";
  }
}

RecordState Drawing::StateOf(const Record& record) const {
  RecordState state;
  state.dirty = record.dirty_;
  state.pristine = record.pristine_;
  if (record.dirty_) {
    state.tags = *record.tags_;
  } else {
    state.bytes = record.Source();
  }
  state.erased = record.erased_;
  return state;
}

void Drawing::Restore(Record& record, const RecordState& state) {
  Unindex(record);
  record.SetRevision(++revision_);
  record.pristine_ = state.pristine;
  record.erased_ = state.erased;
  if (state.dirty) {
    record.HeldTags() = state.tags;
    MakeDirty(record);
  } else {
    if (record.fileBytes_ && (record.source_ != state.bytes.data() || record.sourceSize_ != state.bytes.size())) {
      bytes_.Forget(record.Source());
      record.fileBytes_ = false;
    }
    if (!record.fileBytes_ && bytes_.Holds(state.bytes)) {  // the bytes it was read from, back again
      bytes_.Keep(state.bytes);
      record.fileBytes_ = true;
    }
    record.SetSource(state.bytes);
    record.dirty_ = false;
    record.tags_.reset();
  }
  Describe(record, record.Tags());
  Index(record);
}

void Drawing::SetTags(Record& record, std::vector<Tag> tags) {
  CheckRecord(tags);
  const std::uint64_t handle = BeginChange(record);
  record.HeldTags() = std::move(tags);
  MakeDirty(record);
  EndChange(record, *record.tags_, handle);
}

void Drawing::WriteTags(Record& record, const std::vector<Tag>& tags) {
  const std::size_t size = BytesOf(tags);
  if (record.dirty_ || size > kWrittenBackUpTo) {  // as settling would leave it: tags
    SetTags(record, tags);
    return;
  }
  CheckRecord(tags, size);
  const std::uint64_t handle = BeginChange(record);
  WriteBack(record, tags, texts_, size);
  EndChange(record, tags, handle);
  record.tags_.reset();  // made from the bytes it was before (and perhaps `tags` themselves)
}

std::vector<Tag> Drawing::TagsToChange(const Record& record, std::size_t more) {
  const std::vector<Tag>& now = record.Tags();
  std::vector<Tag> tags = std::exchange(spareTags_, {});
  tags.reserve(now.size() + more);
  // The tags the room last held are overwritten, in one copy (filling an empty vector from a range
  // constructs tag after tag: a tag is trivially copied, but not trivially made).
  tags.resize(now.size());
  std::copy(now.begin(), now.end(), tags.begin());
  return tags;
}

void Drawing::WriteTags(Record& record, std::vector<Tag>&& tags) {
  WriteTags(record, static_cast<const std::vector<Tag>&>(tags));
  if (tags.capacity() > spareTags_.capacity()) spareTags_ = std::move(tags);
}

std::uint64_t Drawing::BeginChange(Record& record) {
  if (record.provisional_) KeepProvisionalRecords();
  if (journal_ && !journal_->Remembers(record)) {
    // The tags are replaced: the journal takes the old ones rather than a copy.
    RecordState before;
    before.dirty = record.dirty_;
    before.pristine = record.pristine_;
    before.erased = record.erased_;
    if (record.dirty_) {
      before.tags = std::move(*record.tags_);
    } else {
      before.bytes = record.Source();
    }
    journal_->WillChange(record, std::move(before));
  }
  record.SetRevision(++revision_);
  record.pristine_ = false;
  return record.handle_;
}

void Drawing::EndChange(Record& record, const std::vector<Tag>& tags, std::uint64_t handle) {
  Describe(record, tags);
  if (record.handle_ != handle) {  // most changes keep the handle, and the index as it is
    const std::uint64_t now = record.handle_;
    record.handle_ = handle;
    Unindex(record);
    record.handle_ = now;
    Index(record);
  }
}

void Drawing::SetErased(Record& record, bool erased) {
  if (record.erased_ == erased) return;
  if (record.provisional_) KeepProvisionalRecords();
  if (journal_ && !journal_->Remembers(record)) journal_->WillChange(record, StateOf(record));
  record.SetRevision(++revision_);
  record.erased_ = erased;
}

Record& Drawing::InsertBefore(Record& position, std::vector<Tag> tags) {
  CheckRecord(tags);
  if (position.provisional_) KeepProvisionalRecords();
  Record& record = records_.emplace_back();
  record.HeldTags() = std::move(tags);
  record.pristine_ = false;
  MakeDirty(record);
  Describe(record, *record.tags_);
  if (record.handle_ != 0 && handles_.count(record.handle_) != 0) {
    throw DxfError("handle " + FormatHandle(record.handle_) + " is already in use");
  }
  Link(record, &position);
  Index(record);
  if (journal_) journal_->Inserted(record);
  return record;
}

void Drawing::Remove(Record& record) {
  Unindex(record);
  (record.prev_ ? record.prev_->next_ : first_) = record.next_;
  (record.next_ ? record.next_->prev_ : last_) = record.prev_;
  record.prev_ = record.next_ = nullptr;
  record.erased_ = true;
}

void Drawing::Reinsert(Record& record, Record* before, const RecordState& state) {
  Link(record, before);
  Restore(record, state);
}

void CheckValue(int code, std::string_view value) {
  if (std::memchr(value.data(), '\n', value.size()) != nullptr ||
      std::memchr(value.data(), '\r', value.size()) != nullptr) {
    throw DxfError("a DXF value cannot hold a line break (group code " + std::to_string(code) + ")");
  }
}

std::string_view Drawing::KeepValue(int code, std::string_view value) {
  CheckValue(code, value);
  return KeepCheckedValue(value);
}

std::string_view Drawing::CodeLine(int code, char (&room)[kCodeLineRoom]) const noexcept {
  // The digits (an int's, with its sign), right-aligned to the file's width (which pads them to three at
  // most), and the line end.
  char* const digits = room + 8;
  char* start = digits;
  char* end = std::to_chars(digits, room + 24, code).ptr;
  while (end - start < codeWidth_ && start != room) *--start = ' ';
  for (const char c : lineEnd_) *end++ = c;
  return {start, static_cast<std::size_t>(end - start)};
}

Tag Drawing::MakeTag(int code, std::string_view value) {
  CheckValue(code, value);
  return MakeCheckedTag(code, value);
}

Tag Drawing::MakeCheckedTag(int code, std::string_view value) {
  // The code line of a common code is put together once (the file's width and line end never change
  // once it is read), then copied with the value.
  std::string_view codeLine;
  char room[kCodeLineRoom];
  if (code >= 0 && code < kKnownCodeLines) {
    KnownCodeLine& known = codeLines_[static_cast<std::size_t>(code)];
    if (known.size == 0) {  // every code line has a digit and a line end
      codeLine = CodeLine(code, room);
      if (codeLine.size() <= known.text.size()) {
        std::copy(codeLine.begin(), codeLine.end(), known.text.begin());
        known.size = static_cast<std::uint8_t>(codeLine.size());
      }
    } else {
      codeLine = std::string_view(known.text.data(), known.size);
    }
  } else {
    codeLine = CodeLine(code, room);
  }

  char* const text = scratch_.Room(codeLine.size() + value.size() + lineEnd_.size());
  char* out = std::copy(codeLine.begin(), codeLine.end(), text);
  out = std::copy(value.begin(), value.end(), out);
  for (const char c : lineEnd_) *out++ = c;
  Tag tag;
  tag.code = code;
  tag.codeLine = std::string_view(text, codeLine.size());
  tag.value = std::string_view(text + codeLine.size(), value.size());
  tag.valueEnd = std::string_view(text + codeLine.size() + value.size(), lineEnd_.size());
  return tag;
}

Tag Drawing::MakeTag(int code, double value) { return MakeCheckedTag(code, FormattedDouble(value)); }

Tag Drawing::MakeIntegerTag(int code, long long value) {
  char digits[24];  // a long long's digits and sign
  char* const digitsEnd = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
  return MakeCheckedTag(code, std::string_view(digits, static_cast<std::size_t>(digitsEnd - digits)));
}

std::uint64_t Drawing::NewHandle() {
  HeaderView header(*this);
  std::uint64_t seed = maxHandle_ + 1;
  const Tag* seedTag = header.Value("$HANDSEED");
  if (seedTag) seed = std::max(seed, ToHandle(seedTag->value).value_or(0));
  while (handles_.count(seed) != 0) ++seed;
  if (seedTag || HasSubclasses(version_)) header.SetValue("$HANDSEED", 5, FormatHandle(seed + 1));
  return seed;
}

Record& Drawing::InsertProvisional(Record& position, std::vector<Tag> tags) {
  ChangeJournal* const journal = std::exchange(journal_, nullptr);  // nothing to undo: the file lacked it
  const bool kept = keepProvisional_;
  keepProvisional_ = true;  // inserting beside another provisional record does not keep them
  Record* record = nullptr;
  try {
    record = &InsertBefore(position, std::move(tags));
  } catch (...) {
    journal_ = journal, keepProvisional_ = kept;
    throw;
  }
  journal_ = journal, keepProvisional_ = kept;
  record->provisional_ = true;
  return *record;
}

std::uint64_t Drawing::ProvisionalHandle() {
  std::uint64_t handle = std::max(maxHandle_, provisionalHandles_) + 1;
  if (const Tag* seed = HeaderView(*this).Value("$HANDSEED"))
    handle = std::max(handle, ToHandle(seed->value).value_or(0));
  while (handles_.count(handle) != 0) ++handle;
  provisionalHandles_ = handle;
  return handle;
}

void Drawing::AddProvisionalSpan(Span span, bool table) {
  std::vector<Span>& spans = table ? tables_ : sections_;
  auto at = spans.end();
  for (const Record* r = span.end->Next(); r != nullptr && at == spans.end(); r = r->Next())
    at = std::find_if(spans.begin(), spans.end(), [r](const Span& s) { return s.head == r; });
  spans.insert(at, std::move(span));
}

void Drawing::KeepProvisionalRecords() {
  if (keepProvisional_) return;
  keepProvisional_ = true;
  HeaderView header(*this);
  const Tag* seed = header.Value("$HANDSEED");
  if (provisionalHandles_ != 0 && seed && ToHandle(seed->value).value_or(0) <= provisionalHandles_)
    header.SetValue("$HANDSEED", 5, FormatHandle(provisionalHandles_ + 1));
}

void Drawing::MakeDirty(Record& record) {
  if (!record.dirty_) dirty_.push_back(&record);
  record.dirty_ = true;
  lastChanged_ = &record;
}

void Drawing::WriteBack(Record& record, const std::vector<Tag>& tags, TextStore& store, std::size_t size) {
  char* const start = store.Room(size);
  // Tags read together from one text (most of a record that was read and changed in a few groups) lie
  // one after another: each run of such bytes is copied at once.
  const char* runStart = nullptr;
  const char* runEnd = nullptr;
  char* out = start;
  const auto add = [&](std::string_view part) {
    if (part.empty()) return;
    if (part.data() != runEnd) {
      out = std::copy(runStart, runEnd, out);
      runStart = part.data();
    }
    runEnd = part.data() + part.size();
  };
  for (const Tag& tag : tags) {
    const char* const value = tag.codeLine.data() + tag.codeLine.size();
    if (tag.value.data() == value && tag.valueEnd.data() == value + tag.value.size()) {  // a tag as read or made
      add(std::string_view(tag.codeLine.data(), tag.codeLine.size() + tag.value.size() + tag.valueEnd.size()));
    } else {
      add(tag.codeLine);
      add(tag.value);
      add(tag.valueEnd);
    }
  }
  std::copy(runStart, runEnd, out);
  if (record.fileBytes_) bytes_.Forget(record.Source());
  record.fileBytes_ = false;
  record.SetSource(std::string_view(start, size));
}

void Drawing::MoveTags(Record& record, TextStore& store) {
  WriteBack(record, *record.tags_, store, BytesOf(*record.tags_));
  // The tags now read the bytes written from them.
  const char* at = record.source_;
  const auto next = [&at](std::string_view part) {
    const std::string_view moved(at, part.size());
    at += part.size();
    return moved;
  };
  for (Tag& tag : *record.tags_) {
    tag.codeLine = next(tag.codeLine);
    tag.value = next(tag.value);
    tag.valueEnd = next(tag.valueEnd);
  }
}

std::size_t Drawing::BytesOf(const std::vector<Tag>& tags) noexcept {
  std::size_t size = 0;
  for (const Tag& tag : tags) size += tag.codeLine.size() + tag.value.size() + tag.valueEnd.size();
  return size;
}

void Drawing::Settle() {
  // A large record stays tags (see kWrittenBackUpTo), and so does the last one changed until another one
  // is.
  // The scratch store is emptied once it has grown well past what must be moved out of it.
  constexpr std::size_t kScratchKept = 256 * 1024;

  Record* const last = lastChanged_ && lastChanged_->dirty_ ? lastChanged_ : nullptr;
  if (heldLast_ != last) {
    if (heldLast_) dirty_.push_back(heldLast_);
    heldLast_ = nullptr;
  }
  for (Record* record : dirty_) {
    if (!record->dirty_ || std::find(keptAsTags_.begin(), keptAsTags_.end(), record) != keptAsTags_.end()) continue;
    const std::size_t size = BytesOf(*record->tags_);
    if (size > kWrittenBackUpTo) {
      keptAsTags_.push_back(record);
    } else if (record == last) {
      heldLast_ = record;
    } else {
      WriteBack(*record, *record->tags_, texts_, size);
      record->dirty_ = false;
      ReleaseTags(*record);
    }
  }
  dirty_.clear();

  if (journal_ && journal_->HoldsStates()) return;
  if (scratch_.Size() >= kScratchKept + 2 * keptBytes_) {
    std::erase_if(keptAsTags_, [](const Record* record) { return !record->dirty_; });
    keptBytes_ = 0;
    for (Record* record : keptAsTags_) {
      MoveTags(*record, spare_);
      keptBytes_ += record->sourceSize_;
    }
    if (heldLast_) MoveTags(*heldLast_, spare_);
    std::swap(scratch_, spare_);
    spare_.Clear();
  }
  ReleaseFileBytes();
}

void Drawing::ReleaseFileBytes() {
  // Pages are given back in runs of many, which also spares looking at the records left as tags after
  // every change.
  constexpr std::size_t kReleasedTogether = 64;
  if (bytes_.Forgotten() < kReleasedTogether) return;
  // Every record but those left as tags is its own bytes; their tags may still point into the file's
  // bytes (of any record: a record may be made of another's tags).
  std::erase_if(keptAsTags_, [](const Record* record) { return !record->dirty_; });
  for (const Record* record : keptAsTags_) PinFileBytes(*record);
  if (heldLast_) PinFileBytes(*heldLast_);
  bytes_.Release();
}

void Drawing::PinFileBytes(const Record& record) {
  if (!record.tags_) return;
  for (const Tag& tag : *record.tags_) {
    bytes_.Pin(tag.codeLine);
    bytes_.Pin(tag.value);
    bytes_.Pin(tag.valueEnd);
  }
}

void Drawing::ReleaseTags(Record& record) noexcept {
  if (record.dirty_ || !record.tags_) return;
  record.tags_.reset();
}

}  // namespace zil::drawing
