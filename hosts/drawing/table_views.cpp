#include "drawing/table_views.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>

#include <array>

#include "drawing/tag_values.h"
#include "platform/ascii_case.h"

namespace zil::drawing {
namespace {

constexpr std::array kTableRecordOrder = {2, 70, 40, 41, 50, 71, 42, 3, 4, 62, 6, 290, 370, 390, 347, 348, 340};

}  // namespace

bool SameName(std::u16string_view a, std::u16string_view b) {
  UErrorCode status = U_ZERO_ERROR;
  return u_strCaseCompare(a.data(), static_cast<int32_t>(a.size()), b.data(), static_cast<int32_t>(b.size()),
                          U_FOLD_CASE_DEFAULT, &status) == 0 &&
         U_SUCCESS(status);
}

namespace {

// The first record of the table, erased ones left out, for which `found` is true; nullptr when none is.
template <typename Found>
Record* FirstTableRecord(const Drawing& drawing, std::string_view table, Found&& found) {
  const Span* span = drawing.FindTable(table);
  if (!span) return nullptr;
  for (Record* r = span->head->Next(); r != nullptr && r != span->end; r = r->Next())
    if (!r->Erased() && found(*r)) return r;
  return nullptr;
}

}  // namespace

std::vector<Record*> TableRecords(const Drawing& drawing, std::string_view table) {
  std::vector<Record*> records;
  FirstTableRecord(drawing, table, [&](Record& r) {
    records.push_back(&r);
    return false;
  });
  return records;
}

namespace {

// Bytes that every code page and DXF version reads as the same ASCII characters: no escapes (\U+XXXX,
// ^J), nothing above 0x7F.
bool PlainAscii(std::string_view value) {
  for (const char c : value)
    if (static_cast<unsigned char>(c) >= 0x80 || c == '\\' || c == '^') return false;
  return true;
}

bool Ascii(std::u16string_view text) {
  for (const char16_t c : text)
    if (c >= 0x80) return false;
  return true;
}

// SameName(Decode(value), name), without decoding when both are plain ASCII (as table names nearly
// always are): folding an ASCII letter's case is lowering it.
bool NamedAs(const Drawing& drawing, std::string_view value, std::u16string_view name, bool asciiName) {
  if (!asciiName || !PlainAscii(value)) return SameName(drawing.Decode(value), name);
  if (value.size() != name.size()) return false;
  for (std::size_t i = 0; i < value.size(); ++i)
    if (LowerAscii(static_cast<char16_t>(static_cast<unsigned char>(value[i]))) != LowerAscii(name[i])) return false;
  return true;
}

}  // namespace

Record* FindTableRecord(const Drawing& drawing, std::string_view table, std::u16string_view name) {
  const bool asciiName = Ascii(name);
  return FirstTableRecord(drawing, table, [&](const Record& r) {
    const Tag* tag = r.Find(2);
    return tag && NamedAs(drawing, tag->value, name, asciiName);
  });
}

TableRecordView::TableRecordView(Drawing& drawing, Record& record, std::string_view marker)
    : EntityView(drawing, record), placement_{marker, 1, kTableRecordOrder} {}

void TableRecordView::SetFlag(int bit, bool on) {
  const int flags = Flags();
  SetInteger(placement_, 70, on ? (flags | bit) : (flags & ~bit));
}

std::u16string StyleView::TrueTypeFamily() const {
  const auto& tags = Rec().Tags();
  for (std::size_t i = XdataStart(tags); i + 1 < tags.size(); ++i) {
    if (tags[i].code == 1001 && Trimmed(tags[i].value) == "ACAD" && tags[i + 1].code == 1000) {
      return Owner().Decode(tags[i + 1].value);
    }
  }
  return {};
}

std::u16string StyleView::FontFileAsNamed() const {
  std::u16string file = FontFile();
  const std::size_t name = file.find_last_of(u"/\\");
  const bool extension = file.find(u'.', name == std::u16string::npos ? 0 : name + 1) != std::u16string::npos;
  if (!file.empty() && !extension && !TrueTypeFamily().empty()) file += u".ttf";
  return file;
}

void StyleView::SetTrueTypeFont(std::u16string_view family, long long flags) {
  Drawing& drawing = Owner();
  std::vector<Tag> tags = Rec().Tags();
  SetIn(drawing, tags, placement_, 3, "");
  // Drop the ACAD application's XDATA (from its 1001 tag to the next 1001 tag or the end).
  for (std::size_t i = XdataStart(tags); i < tags.size();) {
    if (tags[i].code != 1001 || Trimmed(tags[i].value) != "ACAD") {
      ++i;
      continue;
    }
    std::size_t end = i + 1;
    while (end < tags.size() && tags[end].code != 1001) ++end;
    tags.erase(tags.begin() + static_cast<std::ptrdiff_t>(i), tags.begin() + static_cast<std::ptrdiff_t>(end));
  }
  tags.push_back(drawing.MakeTag(1001, "ACAD"));
  tags.push_back(drawing.MakeTag(1000, drawing.Encode(family)));
  tags.push_back(drawing.MakeIntegerTag(1071, flags));
  drawing.SetTags(Rec(), std::move(tags));
}

std::uint64_t BlockRecordView::LayoutHandle() const {
  const Tag* tag = Get(placement_, 340);
  return tag ? ToHandle(tag->value).value_or(0) : 0;
}

}  // namespace zil::drawing
