#include "revit_flow.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

#include "conversions/revit_conversion.h"
#include "conversions/style_table.h"
#include "support/fake_services.h"
#include "textcore/codepage.h"
#include "textcore/conversions.h"
#include "textcore/utf8.h"

namespace zil::bench {
namespace {

// A TEXT as plain fields: every member the conversion calls is a field read or write, the box a
// character count.
class PlainText final : public acad::Entity {
 public:
  explicit PlainText(std::u16string text, double rotation) : text_(std::move(text)), rotation_(rotation) {}

  std::u16string ObjectName() const override { return u"AcDbText"; }
  int EntityType() const override { return acad::kEntityText; }
  std::u16string Handle() const override { return u"1"; }
  std::u16string Layer() const override { return u"0"; }
  void SetLayer(const std::u16string&) override {}
  int Color() const override { return 256; }
  void SetColor(int) override {}
  void Update() override {}
  void Erase() override {}
  std::shared_ptr<acad::Entity> Copy() override { return std::make_shared<PlainText>(*this); }
  void Move(const acad::Point&, const acad::Point&) override {}
  void Rotate(const acad::Point& base, double angle) override {
    const auto turn = [&](acad::Point& p) {
      const double x = p.x - base.x, y = p.y - base.y;
      p = {base.x + x * std::cos(angle) - y * std::sin(angle), base.y + x * std::sin(angle) + y * std::cos(angle), p.z};
    };
    turn(insertion_);
    turn(alignment_);
    rotation_ = std::fmod(rotation_ + angle + 2 * std::numbers::pi, 2 * std::numbers::pi);
  }
  std::pair<acad::Point, acad::Point> GetBoundingBox() const override {
    return {insertion_, {insertion_.x + 0.8 * static_cast<double>(text_.size()), insertion_.y + 1, 0}};
  }
  void Highlight(bool) override {}
  std::u16string StyleName() const override { return style_; }
  void SetStyleName(const std::u16string& name) override { style_ = name; }
  std::u16string TextString() const override { return text_; }
  void SetTextString(const std::u16string& text) override { text_ = text; }
  double Rotation() const override { return rotation_; }
  acad::Point InsertionPoint() const override { return insertion_; }
  void SetInsertionPoint(const acad::Point& p) override { insertion_ = p; }
  int HorizontalAlignment() const override { return horizontal_; }
  void SetHorizontalAlignment(int value) override { horizontal_ = value; }
  int VerticalAlignment() const override { return vertical_; }
  void SetVerticalAlignment(int value) override { vertical_ = value; }
  int Alignment() const override { return horizontal_; }
  void SetAlignment(int value) override { horizontal_ = value; }
  acad::Point TextAlignmentPoint() const override { return alignment_; }
  void SetTextAlignmentPoint(const acad::Point& p) override { alignment_ = p; }
  bool Backward() const override { return (flags_ & 2) != 0; }
  void SetBackward(bool on) override { flags_ = on ? flags_ | 2 : flags_ & ~2; }
  int TextGenerationFlag() const override { return flags_; }
  void SetTextGenerationFlag(int flags) override { flags_ = flags; }

 private:
  std::u16string text_;
  std::u16string style_ = u"Standard";
  double rotation_ = 0;
  acad::Point insertion_;
  acad::Point alignment_;
  int horizontal_ = 0;
  int vertical_ = 0;
  int flags_ = 0;
};

// Texts as the benchmark drawing holds them: DOS Hebrew with numbers and Latin, at angles in steps of 45°.
std::vector<PlainText> Texts(std::size_t count) {
  std::vector<PlainText> texts;
  texts.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::string edit =
        textcore::ToAnsi(textcore::FromUtf8("חדר " + std::to_string(i) + " קומה " + std::to_string(i % 100) + " room"));
    texts.emplace_back(textcore::FromAnsi(textcore::StrToAcad(edit, DosHebrew, false)),
                       static_cast<double>(i % 8) * std::numbers::pi / 4);
  }
  return texts;
}

}  // namespace

double RevitFlowSeconds(std::size_t count, int runs) {
  const std::filesystem::path data = std::filesystem::path(ZIL_SOURCE_DIR) / "samples" / "data";
  test::FakeServices services(data);
  config::FontDefinitions fonts(services.services());
  conversions::StyleTable styles;
  conversions::TstyleRec standard;
  standard.stName = u"Standard";
  standard.StType = DosHebrew;
  styles.astyles.push_back(standard);
  styles.dirstyles[u"STANDARD"] = 0;

  std::vector<double> seconds;
  for (int run = 0; run < runs; ++run) {
    std::vector<PlainText> texts = Texts(count);
    const auto start = std::chrono::steady_clock::now();
    int converted = 0;
    for (PlainText& text : texts)
      converted += conversions::ConvertTextForRevit(text, styles, fonts) == conversions::Outcome::Converted;
    seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    if (converted != static_cast<int>(count)) throw std::runtime_error("the plain texts were not all converted");
  }
  std::sort(seconds.begin(), seconds.end());
  return seconds[seconds.size() / 2];
}

}  // namespace zil::bench
