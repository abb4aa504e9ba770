// Storage for the text of tags the host makes: every string stored keeps its address for the life of
// the drawing, so tags (and the snapshots an undo journal keeps) can point into it.
#pragma once

#include <deque>
#include <string>
#include <string_view>

namespace zil::drawing {

class TextStore {
 public:
  std::string_view Keep(std::string text) { return texts_.emplace_back(std::move(text)); }

 private:
  std::deque<std::string> texts_;  // a deque never moves its elements
};

}  // namespace zil::drawing
