// The system clipboard through Qt. Without a running Qt application the fallback clipboard serves.
#pragma once

#include "platform/clipboard.h"

namespace zil::platform {

class QtClipboard final : public Clipboard {
 public:
  explicit QtClipboard(Clipboard& fallback) : fallback_(fallback) {}
  std::u16string Text() const override;
  void SetText(const std::u16string& text) override;

 private:
  Clipboard& fallback_;
};

}  // namespace zil::platform
