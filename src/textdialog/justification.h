// The justifications the text dialog offers, and the AutoCAD alignment pair each stands for (horizontal:
// 0 left, 1 center, 2 right; vertical: 0 baseline, 1 bottom, 2 middle, 3 top). The table is read both
// ways: an item chosen gives its pair; a text's pair gives its item, and a pair no item stands for
// (aligned, middle or fit texts, or a vertical value above 3) gives none.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace zil::textdialog {

struct Justification {
  int horizontal = 0;  // curhjust
  int vertical = 0;    // curvjust
  friend bool operator==(const Justification&, const Justification&) = default;
};

struct JustificationItem {
  std::u16string_view caption;
  Justification pair;
};

// The items in their order in the list.
inline constexpr std::array<JustificationItem, 12> kJustifications = {{
    {u"Right", {2, 0}},
    {u"Left", {0, 0}},
    {u"Center", {1, 0}},
    {u"Top Right", {2, 3}},
    {u"Top Left", {0, 3}},
    {u"Top Center", {1, 3}},
    {u"Middle Right", {2, 2}},
    {u"Middle Left", {0, 2}},
    {u"Middle Center", {1, 2}},
    {u"Bottom Right", {2, 1}},
    {u"Bottom Left", {0, 1}},
    {u"Bottom Center", {1, 1}},
}};

inline constexpr int kJustifyRight = 0;
inline constexpr int kJustifyLeft = 1;

// The pair of an item; an index outside the list gives none.
std::optional<Justification> ComboToJust(int index);
// The item of a pair, none when no item stands for it.
std::optional<int> JustToCombo(Justification pair);

}  // namespace zil::textdialog
