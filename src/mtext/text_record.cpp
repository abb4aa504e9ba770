#include "mtext/text_record.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>

namespace zil::mtext {

namespace {

constexpr double kSamePlace = 0.001;

// Numbers the groups of `order` (indices sorted by `value`, descending) in which neighbours lie closer
// than kSamePlace: group[i] is the group of record i.
template <typename Value>
void NumberGroups(const std::vector<std::size_t>& order, Value value, std::vector<std::size_t>& group) {
  std::size_t current = 0;
  for (std::size_t k = 0; k < order.size(); ++k) {
    if (k > 0 && !(value(order[k - 1]) - value(order[k]) < kSamePlace)) ++current;
    group[order[k]] = current;
  }
}

}  // namespace

int CompareTextPosition(const rstrec& a, const rstrec& b) {
  double d = b.y - a.y;
  if (std::fabs(d) < kSamePlace) d = b.x - a.x;
  if (std::fabs(d) < kSamePlace) return 0;
  return d < 0 ? -1 : 1;
}

void SortByReadingOrder(std::vector<rstrec>& records) {
  // "Same place" is not transitive (10, 10.0006 and 10.0012 chain up), so CompareTextPosition is no
  // order a sort may rely on. Lines are therefore numbered first, neighbours in descending y that lie
  // closer than 0.001 sharing one, then places within each line the same way by descending x; records
  // sort by line, place and the order they were gathered in. Without such chains this is exactly the
  // order CompareTextPosition gives.
  const std::size_t n = records.size();
  std::vector<std::size_t> byY(n);
  std::iota(byY.begin(), byY.end(), std::size_t{0});
  std::stable_sort(byY.begin(), byY.end(), [&](std::size_t a, std::size_t b) { return records[a].y > records[b].y; });
  std::vector<std::size_t> line(n), place(n);
  NumberGroups(
      byY, [&](std::size_t i) { return records[i].y; }, line);

  std::vector<std::size_t> byX = byY;
  std::stable_sort(byX.begin(), byX.end(), [&](std::size_t a, std::size_t b) {
    return line[a] != line[b] ? line[a] < line[b] : records[a].x > records[b].x;
  });
  // Places are numbered across the whole list; a new line always starts a new place.
  std::size_t current = 0;
  for (std::size_t k = 0; k < n; ++k) {
    if (k > 0 && (line[byX[k]] != line[byX[k - 1]] || !(records[byX[k - 1]].x - records[byX[k]].x < kSamePlace)))
      ++current;
    place[byX[k]] = current;
  }

  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return place[a] < place[b]; });
  std::vector<rstrec> sorted;
  sorted.reserve(n);
  for (std::size_t i : order) sorted.push_back(std::move(records[i]));
  records = std::move(sorted);
}

}  // namespace zil::mtext
