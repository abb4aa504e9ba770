// The text a double is written as: the same as std::to_chars's shortest form (which files written earlier
// hold and a change of a value must keep writing) with ".0" after a whole number, for every finite double.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <random>
#include <string>
#include <string_view>

#include "drawing/tag_values.h"

namespace zil::drawing {
namespace {

// The reference: std::to_chars, and ".0" after a whole number.
struct ToCharsText {
  explicit ToCharsText(double value) : size(std::to_chars(text, text + sizeof text - 2, value).ptr - text) {
    if (std::string_view(*this).find_first_of(".eEn") == std::string_view::npos) {
      text[size++] = '.';
      text[size++] = '0';
    }
  }
  operator std::string_view() const { return {text, static_cast<std::size_t>(size)}; }
  char text[32];
  std::ptrdiff_t size;
};

TEST(FormattedDouble, WritesTheShortestFormFixedOrScientificWhicheverIsShorter) {
  const struct {
    double value;
    std::string_view text;
  } cases[] = {
      {0.0, "0.0"},
      {-0.0, "-0.0"},
      {1.0, "1.0"},
      {-12.0, "-12.0"},
      {10000.0, "10000.0"},
      {100000.0, "1e+05"},  // fixed on a tie, else the shorter
      {123400000.0, "123400000.0"},
      {1234000000.0, "1.234e+09"},
      {0.001, "0.001"},
      {0.0001, "1e-04"},
      {0.00012, "0.00012"},
      {0.000012, "1.2e-05"},
      {123.456, "123.456"},
      {0.1 + 0.2, "0.30000000000000004"},
      {-2.5e-300, "-2.5e-300"},
      {1e100, "1e+100"},
      {DBL_MAX, "1.7976931348623157e+308"},
      {DBL_MIN, "2.2250738585072014e-308"},
      {-std::numeric_limits<double>::denorm_min(), "-5e-324"},
      // A whole number is written exactly, not as its shortest digits and zeros.
      {0x1p60, "1152921504606846976.0"},
      {98765432109876543e4, "987654321098765369344.0"},  // beyond 64 bits
      {std::numeric_limits<double>::infinity(), "inf"},
      {-std::numeric_limits<double>::quiet_NaN(), "-nan"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(std::string_view(FormattedDouble(c.value)), c.text) << c.text;
    EXPECT_EQ(FormatDouble(c.value), std::string_view(ToCharsText(c.value))) << c.text;
  }
}

TEST(FormattedDouble, IsStdToCharsTextForAwkwardValues) {
  const double awkward[] = {
      1e15,
      1e16,
      1e17,
      9007199254740991.0,
      9007199254740992.0,
      9007199254740993.0,
      1e15 + 0.5,
      999999999999999.9,
      9999999999999998.0,
      1.0000000000000002,
      0.9999999999999999,
      1e-5,
      1e-4,
      0.00009999999999999999,
      0.000100000000000001,
      123456789012345678.0,
      12345678901234567e3,
      1e22,
      1e23,
      5e-324,
      2.2250738585072009e-308,
      4.9406564584124654e-322,
      1.7976931348623157e308 / 3,
      1.0 / 3,
      2.0 / 3,
      100.0 / 7,
      std::numbers::pi,
      -std::numbers::e * 1e6,
      299792.458,
      0.1,
      0.7,
      1.1,
      33554432.5,
      4294967296.0,
      18446744073709551616.0,
      18446744073709549568.0,
      1e21,
      123456789e12,
      0x1.fffffffffffffp52,
  };
  for (const double a : awkward)
    for (const double value : {a, -a}) EXPECT_EQ(FormatDouble(value), std::string_view(ToCharsText(value)));
}

TEST(FormattedDouble, IsStdToCharsTextForManyPseudoRandomDoubles) {
  std::mt19937_64 random(20261211);
  int differing = 0;
  const auto check = [&differing](double value) {
    const FormattedDouble text(value);
    const ToCharsText expected(value);
    if (std::string_view(text) != std::string_view(expected) && ++differing <= 5)
      ADD_FAILURE() << std::string_view(expected) << " written as " << std::string_view(text);
  };
  // Every finite double alike: random bit patterns.
  for (int i = 0; i < 100'000; ++i) {
    const double value = std::bit_cast<double>(random());
    if (std::isfinite(value)) check(value);
  }
  // The values drawings hold: coordinates up to 1e7 at every scale, computed (15 to 17 digits) or short.
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  std::uniform_int_distribution<int> scale(-8, 7);
  for (int i = 0; i < 100'000; ++i) {
    const double value = unit(random) * std::pow(10.0, scale(random));
    check(value);
    check(std::round(value * 1000.0) / 1000.0);
  }
  EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace zil::drawing
