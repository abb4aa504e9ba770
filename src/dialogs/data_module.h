// The icons the dialogs share, created once for the add-in's lifetime (at start-up) and freed at
// shut-down. The pictures come from the running Qt style, so they are made when a dialog first asks for
// one, inside the Qt application.
#pragma once

#include <QIcon>
#include <array>

namespace zil::dialogs {

enum class SharedIcon { OpenFile, SaveFile, About, Count };

class DataModule {
 public:
  const QIcon& Icon(SharedIcon which);

 private:
  bool loaded_ = false;
  std::array<QIcon, static_cast<std::size_t>(SharedIcon::Count)> icons_;
};

}  // namespace zil::dialogs
