#include "drawing/writer.h"

namespace zil::drawing {
namespace {

// Joins bytes that lie one after the other in the file, so an unchanged run of records is one write.
class Coalescer {
 public:
  explicit Coalescer(ByteSink& sink) : sink_(sink) {}
  ~Coalescer() = default;
  Coalescer(const Coalescer&) = delete;
  Coalescer& operator=(const Coalescer&) = delete;

  void Add(std::string_view bytes) {
    if (bytes.empty()) return;
    if (pending_.data() + pending_.size() == bytes.data()) {
      pending_ = std::string_view(pending_.data(), pending_.size() + bytes.size());
      return;
    }
    Flush();
    pending_ = bytes;
  }

  void Flush() {
    if (!pending_.empty()) sink_.Write(pending_);
    pending_ = {};
  }

 private:
  ByteSink& sink_;
  std::string_view pending_;
};

class StringSink final : public ByteSink {
 public:
  explicit StringSink(std::string& out) : out_(out) {}
  void Write(std::string_view bytes) override { out_ += bytes; }

 private:
  std::string& out_;
};

}  // namespace

void WriteDxf(const Drawing& drawing, ByteSink& sink) {
  Coalescer out(sink);
  out.Add(drawing.Preamble());
  for (const Record* r = drawing.First(); r != nullptr; r = r->Next()) {
    if (r->Erased() || (r->Provisional() && !drawing.KeepsProvisionalRecords())) continue;
    if (!r->Dirty()) {
      out.Add(r->Source());
      continue;
    }
    for (const Tag& tag : r->Tags()) {
      out.Add(tag.codeLine);
      out.Add(tag.value);
      out.Add(tag.valueEnd);
    }
  }
  out.Add(drawing.Trailer());
  out.Flush();
}

std::string WriteDxfToString(const Drawing& drawing) {
  std::string out;
  StringSink sink(out);
  WriteDxf(drawing, sink);
  return out;
}

}  // namespace zil::drawing
