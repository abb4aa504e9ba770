#include "drawing/dxf_file.h"

#include <filesystem>

#include "drawing/dxf_error.h"
#include "drawing/loader.h"
#include "drawing/whole_file.h"
#include "drawing/writer.h"
#include "platform/atomic_file.h"

namespace zil::drawing {

std::unique_ptr<Drawing> LoadDxfFile(const std::string& path) { return LoadDxf(ReadWholeFile(path), path); }

void SaveDxfFile(const Drawing& drawing, const std::string& path) {
  // The drawing streams into the file: a save needs no second copy of a large drawing in memory.
  class Sink final : public ByteSink {
   public:
    explicit Sink(const platform::ByteWriter& write) : write_(write) {}
    void Write(std::string_view bytes) override { write_(bytes); }

   private:
    const platform::ByteWriter& write_;
  };
  try {
    platform::WriteFileAtomically(std::filesystem::path(path), [&drawing](const platform::ByteWriter& write) {
      Sink sink(write);
      WriteDxf(drawing, sink);
    });
  } catch (const platform::WriteError& e) {
    throw DxfError("cannot save " + path + ": " + e.Reason() + (e.LeftAsItWas() ? "; the file is left as it was" : ""));
  }
}

}  // namespace zil::drawing
