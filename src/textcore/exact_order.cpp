#include "textcore/exact_order.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <vector>

#include "textcore/bidi_controls.h"

namespace zil::textcore {
namespace {

using C = BidiClass;

// Latin-1 above 0x7F.
BidiClass Latin1Class(char32_t c) {
  if (c == 0x85) return C::B;
  if (c < 0xA0 || c == 0xAD) return C::BN;
  if (c == 0xA0) return C::CS;
  if ((c >= 0xA2 && c <= 0xA5) || c == 0xB0 || c == 0xB1) return C::ET;
  if (c == 0xB2 || c == 0xB3 || c == 0xB9) return C::EN;
  if (c == 0xAA || c == 0xB5 || c == 0xBA || (c >= 0xC0 && c != 0xD7 && c != 0xF7)) return C::L;
  return C::ON;
}

BidiClass AsciiClass(char32_t c) {
  if (c == 0x09 || c == 0x0B || c == 0x1F) return C::S;
  if (c == 0x0A || c == 0x0D || (c >= 0x1C && c <= 0x1E)) return C::B;
  if (c == 0x0C || c == 0x20) return C::WS;
  if (c < 0x20 || c == 0x7F) return C::BN;
  if (c >= '0' && c <= '9') return C::EN;
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return C::L;
  switch (c) {
    case '#':
    case '$':
    case '%':
      return C::ET;
    case '+':
    case '-':
      return C::ES;
    case ',':
    case '.':
    case '/':
    case ':':
      return C::CS;
    default:
      return C::ON;
  }
}

BidiClass HebrewBlockClass(char32_t c) {
  if ((c >= 0x591 && c <= 0x5BD) || c == 0x5BF || c == 0x5C1 || c == 0x5C2 || c == 0x5C4 || c == 0x5C5 || c == 0x5C7)
    return C::NSM;
  return C::R;
}

bool Strong(BidiClass c) { return c == C::L || c == C::R || c == C::AL; }
bool Neutral(BidiClass c) { return c == C::B || c == C::S || c == C::WS || c == C::ON; }
// A strong direction as neutrals and brackets see it: numbers count as right to left.
BidiClass Direction(BidiClass c) {
  if (c == C::L) return C::L;
  if (c == C::R || c == C::AL || c == C::EN || c == C::AN) return C::R;
  return C::Unknown;
}

char32_t ClosingBracket(char32_t c) {
  switch (c) {
    case U'(':
      return U')';
    case U'[':
      return U']';
    case U'{':
      return U'}';
    default:
      return 0;
  }
}
bool IsClosingBracket(char32_t c) { return c == U')' || c == U']' || c == U'}'; }

// The embedding levels of a paragraph of level 0 without explicit embeddings or paragraph separators.
std::vector<int> ResolveLevels(std::u32string_view s) {
  const std::size_t n = s.size();
  std::vector<BidiClass> original(n), t(n);
  for (std::size_t i = 0; i < n; ++i) original[i] = t[i] = BidiClassOf(s[i]);

  // Weak types.
  for (std::size_t i = 0; i < n; ++i)  // W1
    if (t[i] == C::NSM) t[i] = i == 0 ? C::L : t[i - 1];
  BidiClass lastStrong = C::L;
  for (std::size_t i = 0; i < n; ++i) {  // W2
    if (Strong(t[i])) lastStrong = t[i];
    if (t[i] == C::EN && lastStrong == C::AL) t[i] = C::AN;
  }
  for (auto& c : t)  // W3
    if (c == C::AL) c = C::R;
  for (std::size_t i = 1; i + 1 < n; ++i) {  // W4
    if (t[i] == C::ES && t[i - 1] == C::EN && t[i + 1] == C::EN) t[i] = C::EN;
    if (t[i] == C::CS && t[i - 1] == C::EN && t[i + 1] == C::EN) t[i] = C::EN;
    if (t[i] == C::CS && t[i - 1] == C::AN && t[i + 1] == C::AN) t[i] = C::AN;
  }
  for (std::size_t i = 0; i < n;) {  // W5
    if (t[i] != C::ET) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < n && t[end] == C::ET) ++end;
    if ((i > 0 && t[i - 1] == C::EN) || (end < n && t[end] == C::EN))
      for (std::size_t k = i; k < end; ++k) t[k] = C::EN;
    i = end;
  }
  for (auto& c : t)  // W6
    if (c == C::ES || c == C::ET || c == C::CS) c = C::ON;
  lastStrong = C::L;
  for (std::size_t i = 0; i < n; ++i) {  // W7
    if (t[i] == C::L || t[i] == C::R) lastStrong = t[i];
    if (t[i] == C::EN && lastStrong == C::L) t[i] = C::L;
  }

  // N0: bracket pairs, in the order of their opening brackets.
  std::vector<std::pair<std::size_t, std::size_t>> pairs;
  std::vector<std::pair<char32_t, std::size_t>> stack;
  for (std::size_t i = 0; i < n; ++i) {
    if (t[i] != C::ON) continue;
    if (const char32_t closing = ClosingBracket(s[i])) {
      if (stack.size() == 63) break;
      stack.emplace_back(closing, i);
    } else if (IsClosingBracket(s[i])) {
      for (std::size_t k = stack.size(); k-- > 0;) {
        if (stack[k].first != s[i]) continue;
        pairs.emplace_back(stack[k].second, i);
        stack.resize(k);
        break;
      }
    }
  }
  std::sort(pairs.begin(), pairs.end());
  for (const auto& [open, close] : pairs) {
    bool left = false, right = false;
    for (std::size_t k = open + 1; k < close; ++k) {
      left = left || Direction(t[k]) == C::L;
      right = right || Direction(t[k]) == C::R;
    }
    BidiClass to = C::Unknown;
    if (left) {
      to = C::L;
    } else if (right) {
      BidiClass before = C::L;
      for (std::size_t k = open; k-- > 0;)
        if (Direction(t[k]) != C::Unknown) {
          before = Direction(t[k]);
          break;
        }
      to = before == C::R ? C::R : C::L;
    }
    if (to == C::Unknown) continue;
    t[open] = t[close] = to;
    for (std::size_t k : {open, close})
      for (std::size_t m = k + 1; m < n && original[m] == C::NSM; ++m) t[m] = to;
  }

  // N1, N2: a run of neutrals between two of one direction takes it, any other the paragraph's (L).
  for (std::size_t i = 0; i < n;) {
    if (!Neutral(t[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < n && Neutral(t[end])) ++end;
    const BidiClass before = i == 0 ? C::L : Direction(t[i - 1]);
    const BidiClass after = end == n ? C::L : Direction(t[end]);
    for (std::size_t k = i; k < end; ++k) t[k] = before == after ? before : C::L;
    i = end;
  }

  // I1, then L1: separators and trailing whitespace at the paragraph's level.
  std::vector<int> levels(n);
  for (std::size_t i = 0; i < n; ++i) levels[i] = t[i] == C::R ? 1 : (t[i] == C::EN || t[i] == C::AN) ? 2 : 0;
  bool trailing = true;  // whitespace before a separator or the end of the line
  for (std::size_t i = n; i-- > 0;) {
    const BidiClass o = original[i];
    if (o == C::S || o == C::B) {
      levels[i] = 0;
      trailing = true;
    } else if (trailing && (o == C::WS || o == C::BN)) {
      levels[i] = 0;
    } else {
      trailing = false;
    }
  }
  return levels;
}

// Reverses every run at `level` or above, from the highest level down (display order), or from 1 up
// (back to logical order); the levels move with their characters.
void Reorder(std::u32string& s, std::vector<int>& levels, bool toDisplay) {
  const int top = levels.empty() ? 0 : *std::max_element(levels.begin(), levels.end());
  for (int step = 1; step <= top; ++step) {
    const int level = toDisplay ? top + 1 - step : step;
    for (std::size_t i = 0; i < s.size();) {
      if (levels[i] < level) {
        ++i;
        continue;
      }
      std::size_t end = i;
      while (end < s.size() && levels[end] >= level) ++end;
      std::reverse(s.begin() + static_cast<std::ptrdiff_t>(i), s.begin() + static_cast<std::ptrdiff_t>(end));
      std::reverse(levels.begin() + static_cast<std::ptrdiff_t>(i), levels.begin() + static_cast<std::ptrdiff_t>(end));
      i = end;
    }
  }
}

std::u32string Display(std::u32string_view logical, const std::vector<int>& resolved) {
  std::u32string s(logical);
  std::vector<int> levels = resolved;
  Reorder(s, levels, true);
  std::u32string shown;
  for (std::size_t i = 0; i < s.size(); ++i)
    if (!IsBidiControl(s[i])) shown += levels[i] % 2 == 1 ? Mirrored(s[i]) : s[i];
  return shown;
}

// The safe form: an LRM after every glyph that is not a left-to-right letter, so every other glyph stands
// alone between left-to-right neighbours (a Hebrew letter is a run of its own, a number or a neutral reads
// left to right).
ExactText WithMarksEverywhere(std::u32string_view glyphs) {
  ExactText out;
  for (char32_t g : glyphs) {
    out.logical += g;
    if (BidiClassOf(g) != C::L) {
      out.logical += kLrm;
      ++out.marks;
    }
  }
  return out;
}

// What a glyph is to the level plan.
enum class Kind { Letter, Hebrew, Number, Neutral };

// The level each glyph should have, so that the glyphs read as a right-to-left text in a left-to-right
// paragraph: Hebrew 1; Latin letters 0, with the numbers joined to them; other numbers 2; neutrals 1
// between two right-to-left neighbours (Hebrew or a number of level 2), else 0. `endsRightToLeft`: neutrals
// at an end of the line whose neighbour inside is right to left join it at level 1, as they do in a
// right-to-left text (the order a person types them).
std::vector<int> PlanLevels(std::u32string_view v, bool endsRightToLeft) {
  const std::size_t n = v.size();
  std::vector<Kind> kind(n);
  for (std::size_t i = 0; i < n; ++i) {
    const BidiClass c = BidiClassOf(v[i]);
    kind[i] = c == C::L                  ? Kind::Letter
              : c == C::R || c == C::AL  ? Kind::Hebrew
              : c == C::EN || c == C::AN ? Kind::Number
                                         : Kind::Neutral;
  }
  // Separators between digits and terminators beside them belong to the number, as the weak rules join them.
  for (std::size_t i = 1; i + 1 < n; ++i) {
    const BidiClass c = BidiClassOf(v[i]);
    if ((c == C::ES || c == C::CS) && kind[i - 1] == Kind::Number && kind[i + 1] == Kind::Number &&
        BidiClassOf(v[i + 1]) == BidiClassOf(v[i - 1]))
      kind[i] = Kind::Number;
  }
  for (bool changed = true; changed;) {
    changed = false;
    for (std::size_t i = 0; i < n; ++i)
      if (kind[i] == Kind::Neutral && BidiClassOf(v[i]) == C::ET &&
          ((i > 0 && kind[i - 1] == Kind::Number) || (i + 1 < n && kind[i + 1] == Kind::Number))) {
        kind[i] = Kind::Number;
        changed = true;
      }
  }
  std::vector<int> level(n, 0);
  for (std::size_t i = 0; i < n;) {
    std::size_t end = i + 1;
    while (end < n && kind[end] == kind[i]) ++end;
    if (kind[i] == Kind::Hebrew) {
      std::fill(level.begin() + static_cast<std::ptrdiff_t>(i), level.begin() + static_cast<std::ptrdiff_t>(end), 1);
    } else if (kind[i] == Kind::Number) {
      const bool joined = (i > 0 && kind[i - 1] == Kind::Letter) || (end < n && kind[end] == Kind::Letter);
      std::fill(level.begin() + static_cast<std::ptrdiff_t>(i), level.begin() + static_cast<std::ptrdiff_t>(end),
                joined ? 0 : 2);
    }
    i = end;
  }
  for (std::size_t i = 0; i < n;) {
    if (kind[i] != Kind::Neutral) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < n && kind[end] == Kind::Neutral) ++end;
    const bool before = i == 0 ? endsRightToLeft && end < n : level[i - 1] > 0;
    const bool after = end == n ? endsRightToLeft && i > 0 : level[end] > 0;
    const bool between = before && after;
    std::fill(level.begin() + static_cast<std::ptrdiff_t>(i), level.begin() + static_cast<std::ptrdiff_t>(end),
              between ? 1 : 0);
    i = end;
  }
  return level;
}

// The logical string with its planned levels, and where the marks stand.
struct Candidate {
  std::u32string text;
  std::vector<int> planned;  // -1 for a mark
};

std::size_t Misses(const Candidate& c) {
  const std::vector<int> resolved = ResolveLevels(c.text);
  std::size_t misses = 0;
  for (std::size_t i = 0; i < resolved.size(); ++i) misses += c.planned[i] >= 0 && c.planned[i] != resolved[i];
  return misses;
}

Candidate WithMark(const Candidate& c, std::size_t at, char32_t mark) {
  Candidate out = c;
  out.text.insert(out.text.begin() + static_cast<std::ptrdiff_t>(at), mark);
  out.planned.insert(out.planned.begin() + static_cast<std::ptrdiff_t>(at), -1);
  return out;
}

}  // namespace

BidiClass BidiClassOf(char32_t c) {
  if (c < 0x80) return AsciiClass(c);
  if (c < 0x100) return Latin1Class(c);
  if (c < 0x250) return C::L;  // Latin Extended-A and -B
  if (c >= 0x590 && c <= 0x5FF) return HebrewBlockClass(c);
  switch (c) {
    case 0x2C6:
    case 0x2DC:
    case 0x2013:
    case 0x2014:
    case 0x2018:
    case 0x2019:
    case 0x201A:
    case 0x201C:
    case 0x201D:
    case 0x201E:
    case 0x2020:
    case 0x2021:
    case 0x2022:
    case 0x2026:
    case 0x2039:
    case 0x203A:
    case 0x2122:
    case 0x2300:
      return C::ON;
    case 0x2030:
    case 0x20AA:
    case 0x20AC:
      return C::ET;
    case kLrm:
      return C::L;
    case kRlm:
      return C::R;
    case 0x061C:
      return C::AL;
    default:
      return C::Unknown;
  }
}

char32_t Mirrored(char32_t c) {
  switch (c) {
    case U'(':
      return U')';
    case U')':
      return U'(';
    case U'<':
      return U'>';
    case U'>':
      return U'<';
    case U'[':
      return U']';
    case U']':
      return U'[';
    case U'{':
      return U'}';
    case U'}':
      return U'{';
    case 0xAB:
      return 0xBB;
    case 0xBB:
      return 0xAB;
    case 0x2039:
      return 0x203A;
    case 0x203A:
      return 0x2039;
    default:
      return c;
  }
}

std::u32string ShowLeftToRight(std::u32string_view logical) { return Display(logical, ResolveLevels(logical)); }

namespace {

// The plan taken back to logical order, with the marks it needs; none when the marks cannot settle it.
std::optional<ExactText> FollowPlan(std::u32string_view glyphs, bool endsRightToLeft) {
  // The glyphs with their planned levels, taken back to logical order; a glyph of odd level is drawn
  // mirrored, so the string holds its mirror.
  Candidate best;
  best.text = glyphs;
  best.planned = PlanLevels(glyphs, endsRightToLeft);
  Reorder(best.text, best.planned, false);
  for (std::size_t i = 0; i < best.text.size(); ++i)
    if (best.planned[i] % 2 == 1) best.text[i] = Mirrored(best.text[i]);

  // Where the layout resolves a level other than the plan, a mark before or after the run of glyphs that
  // should share it gives them the neighbour they lack: RLM where they belong to a right-to-left run, LRM
  // where they should stay out of one.
  for (std::size_t round = 0; round <= glyphs.size() + 1; ++round) {
    if (ShowLeftToRight(best.text) == glyphs) {
      ExactText out;
      out.logical = best.text;
      out.marks = static_cast<int>(std::count(best.planned.begin(), best.planned.end(), -1));
      return out;
    }
    const std::vector<int> resolved = ResolveLevels(best.text);
    std::size_t i = 0;
    while (i < resolved.size() && (best.planned[i] < 0 || best.planned[i] == resolved[i])) ++i;
    if (i == resolved.size()) break;
    std::size_t end = i;
    while (end < resolved.size() && best.planned[end] == best.planned[i]) ++end;
    const std::size_t misses = Misses(best);
    std::size_t bestMisses = misses;
    Candidate next;
    for (const char32_t mark : {best.planned[i] > 0 ? kRlm : kLrm, best.planned[i] > 0 ? kLrm : kRlm})
      for (const std::size_t at : {i, end}) {
        Candidate c = WithMark(best, at, mark);
        const std::size_t m = Misses(c);
        if (m < bestMisses) {
          bestMisses = m;
          next = std::move(c);
        }
      }
    if (bestMisses == misses) break;
    best = std::move(next);
  }
  return std::nullopt;
}

}  // namespace

ExactText ExactLogicalOrder(std::u32string_view glyphs) {
  for (char32_t g : glyphs) {
    const BidiClass c = BidiClassOf(g);
    if (c == C::Unknown || c == C::B || c == C::BN || IsBidiControl(g)) return WithMarksEverywhere(glyphs);
  }
  // Two plans: the ends of the line as a right-to-left text has them, or left to the paragraph; the one
  // with fewer marks, the first on a tie.
  std::optional<ExactText> exact = FollowPlan(glyphs, true);
  if (std::optional<ExactText> other = FollowPlan(glyphs, false); other && (!exact || other->marks < exact->marks))
    exact = std::move(other);
  return exact ? *exact : WithMarksEverywhere(glyphs);
}

std::u16string TrueTypeString(std::u32string_view logical) {
  std::u16string out;
  for (std::size_t i = 0; i < logical.size(); ++i) {
    const char32_t c = logical[i];
    if (c == U'%' && i + 1 < logical.size() && logical[i + 1] == U'%') {
      out += u"%%%";
    } else if (c > 0xFFFF) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

}  // namespace zil::textcore
