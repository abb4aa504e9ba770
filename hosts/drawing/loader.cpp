#include "drawing/loader.h"

#include "drawing/dxf_error.h"
#include "drawing/header_view.h"
#include "drawing/new_table_records.h"
#include "drawing/tag_values.h"
#include "drawing/tagger.h"

namespace zil::drawing {
namespace {

// The value of the first group 2 tag of `record` (section, table and block names).
std::string NameOf(const Record& record) {
  const Tag* name = record.Find(2);
  return name ? std::string(Trimmed(name->value)) : std::string();
}

}  // namespace

std::unique_ptr<Drawing> LoadDxf(std::string_view bytes, std::string file) {
  return LoadDxf(WholeFile(bytes), std::move(file));
}

std::unique_ptr<Drawing> LoadDxf(WholeFile bytes, std::string file) {
  CheckAsciiDxf(bytes.View(), file);
  std::unique_ptr<Drawing> drawing(new Drawing());
  Drawing& d = *drawing;
  d.file_ = std::move(file);
  d.bytes_ = FileBytes(std::move(bytes));
  const std::string_view source = d.bytes_.View();
  const std::size_t bom = ByteOrderMarkLength(source);

  d.handles_.reserve(source.size() / 160);  // about one handle for every 160 bytes of a typical drawing

  // Records: a group 0 tag and the tags up to the next one. Comments before the first are the preamble.
  Tagger tagger(source.substr(bom), d.file_);
  Tag tag;
  const char* recordStart = nullptr;
  Record current;
  int handleCode = 0;
  bool first = true;
  const auto close = [&](const char* end) {
    if (recordStart == nullptr) return;
    const auto size = static_cast<std::size_t>(end - recordStart);
    if (size > kLargestRecord)
      ThrowAt(d.file_, current.line_,
              "the object is larger than 4 GiB; expected a DXF file of objects smaller than that");
    current.SetSource(std::string_view(recordStart, size));
    current.fileBytes_ = true;
    Record& stored = d.Append(std::move(current));
    if (stored.handle_ != 0) {
      const auto [it, added] = d.handles_.emplace(stored.handle_, &stored);
      if (!added) {
        ThrowAt(d.file_, stored.line_,
                "handle " + FormatHandle(stored.handle_) + " is already used by the object at line " +
                    std::to_string(it->second->line_) + "; expected every handle to be unique");
      }
      if (stored.handle_ > d.maxHandle_) d.maxHandle_ = stored.handle_;
    }
  };
  while (tagger.Next(tag)) {
    if (first) {
      d.codeWidth_ = tag.codeLine.find_first_not_of(' ') > 0 ? 3 : 0;
      if (!tag.valueEnd.empty()) d.lineEnd_ = std::string(tag.valueEnd);
      first = false;
    }
    if (tag.code == 0) {
      close(tag.codeLine.data());
      recordStart = tag.codeLine.data();
      current = Record();
      current.type_ = d.TypeName(Trimmed(tag.value));
      current.line_ = tag.line;
      handleCode = HandleCode(current.Type());
      continue;
    }
    if (recordStart == nullptr) {
      if (tag.code == 999) continue;  // a comment before the first record belongs to the preamble
      ThrowAt(d.file_, tag.line,
              "expected group code 0 (the start of a section), found group code " + std::to_string(tag.code));
    }
    if (tag.code == handleCode && current.handle_ == 0) {
      current.handle_ = HandleOf(tag, d.file_);
    } else if (tag.code == 67) {
      current.paperSpace_ = Trimmed(tag.value) == "1";
    }
  }
  const std::string_view rest = tagger.Rest();
  close(rest.data());
  d.trailer_ = rest;
  d.preamble_ =
      source.substr(0, static_cast<std::size_t>((d.first_ ? d.first_->source_ : rest.data()) - source.data()));
  if (d.first_ == nullptr) ThrowAt(d.file_, tagger.Line(), "expected 0 SECTION, found no records");

  // Sections, tables and blocks.
  Record* r = d.first_;
  while (r != nullptr) {
    if (r->Type() == "EOF") break;  // the tagger stops after it
    if (r->Type() == "ENDSEC") {
      // A stray ENDSEC between sections: some writers (dxflib) close the header twice. It is kept and
      // written back as it is; the tags after it belong to no section.
      r = r->Next();
      continue;
    }
    if (r->Type() != "SECTION") {
      ThrowAt(d.file_, r->line_, "expected 0 SECTION or 0 EOF, found 0 " + Quote(r->Type()));
    }
    Span section{NameOf(*r), r, nullptr};
    if (section.name.empty()) ThrowAt(d.file_, r->line_, "expected the section's name (group 2) after 0 SECTION");
    Span* open = nullptr;  // the table or block being read
    for (r = r->Next(); r != nullptr; r = r->Next()) {
      const std::string_view type = r->Type();
      if (type == "ENDSEC") break;
      if (type == "SECTION" || type == "EOF") {
        ThrowAt(d.file_, r->line_,
                "expected 0 ENDSEC to close section " + section.name + " (line " + std::to_string(section.head->line_) +
                    ") before 0 " + std::string(type));
      }
      if (section.name == "TABLES") {
        if (type == "TABLE") {
          if (open)
            ThrowAt(d.file_, r->line_, "expected 0 ENDTAB to close table " + open->name + " before the next 0 TABLE");
          d.tables_.push_back({NameOf(*r), r, nullptr});
          open = &d.tables_.back();
        } else if (type == "ENDTAB") {
          if (!open) ThrowAt(d.file_, r->line_, "found 0 ENDTAB without 0 TABLE before it");
          open->end = r, open = nullptr;
        } else if (!open) {
          ThrowAt(d.file_, r->line_, "expected 0 TABLE in the TABLES section, found 0 " + Quote(type));
        }
      } else if (section.name == "BLOCKS") {
        if (type == "BLOCK") {
          if (open)
            ThrowAt(d.file_, r->line_,
                    "expected 0 ENDBLK to close the block at line " + std::to_string(open->head->line_) +
                        " before the next 0 BLOCK");
          d.blocks_.push_back({std::string(), r, nullptr});
          open = &d.blocks_.back();
        } else if (type == "ENDBLK") {
          if (!open) ThrowAt(d.file_, r->line_, "found 0 ENDBLK without 0 BLOCK before it");
          open->end = r, open = nullptr;
        } else if (!open) {
          ThrowAt(d.file_, r->line_, "expected 0 BLOCK in the BLOCKS section, found 0 " + Quote(type));
        }
      }
    }
    if (r == nullptr) {
      ThrowAt(d.file_, tagger.Line(),
              "the file ends inside section " + section.name + " (line " + std::to_string(section.head->line_) +
                  "); expected 0 ENDSEC");
    }
    if (open) {
      ThrowAt(d.file_, r->line_,
              std::string("expected 0 ") + (section.name == "TABLES" ? "ENDTAB" : "ENDBLK") +
                  " before 0 ENDSEC (opened at line " + std::to_string(open->head->line_) + ")");
    }
    section.end = r;
    d.sections_.push_back(std::move(section));
    r = r->Next();
  }

  // Version and code page.
  HeaderView header(d);
  if (const Tag* acadver = header.Value("$ACADVER")) {
    const auto version = ParseDxfVersion(Trimmed(acadver->value));
    if (!version) {
      ThrowAt(d.file_, acadver->line + 1,
              "the drawing's version $ACADVER " + Quote(acadver->value) +
                  " is not supported; expected AC1009 (R12) to AC1032 (R2018)");
    }
    d.version_ = *version;
  }
  if (UsesUtf8(d.version_)) {
    d.strings_ = std::make_unique<DxfStrings>(CodePage::Utf8());
  } else {
    const Tag* codePage = header.Value("$DWGCODEPAGE");
    d.strings_ = std::make_unique<DxfStrings>(
        CodePage::ForName(codePage ? Trimmed(codePage->value) : std::string_view("ANSI_1252"), d.file_));
  }
  if (const Tag* seed = header.Value("$HANDSEED")) HandleOf(*seed, d.file_);
  ProvideStandardTextStyle(d);
  return drawing;
}

}  // namespace zil::drawing
