// Conversions per second for each kind on 40-character mixed drawing strings.
// Target: at least 2 million conversions per second per core for kinds 0..3, the reordering kind
// (TrueType) within 5x of them.
#include <benchmark/benchmark.h>

#include <string>

#include "textcore/codepage.h"
#include "textcore/conversions.h"
#include "textcore/utf8.h"
#include "textcore/visual_order.h"

namespace {

using namespace zil::textcore;

// Hebrew, digits, Latin letters, punctuation and brackets: 40 characters.
std::string EditForm() { return ToAnsi(FromUtf8("קומה 3 (A-12): קיר בטון 20 ס\"מ, גובה 2.8")); }

std::string DrawingForm(int kind) { return StrToAcad(EditForm(), kind, false); }

void BM_AcadToStr(benchmark::State& state) {
  const int kind = static_cast<int>(state.range(0));
  const std::string drawing = DrawingForm(kind);
  for (auto _ : state) benchmark::DoNotOptimize(AcadToStr(drawing, kind, false));
  state.SetItemsProcessed(state.iterations());
  state.SetLabel(std::to_string(drawing.size()) + " chars");
}

void BM_StrToAcad(benchmark::State& state) {
  const int kind = static_cast<int>(state.range(0));
  const std::string edit = EditForm();
  for (auto _ : state) benchmark::DoNotOptimize(StrToAcad(edit, kind, false));
  state.SetItemsProcessed(state.iterations());
}

// What the automation member does: UTF-16 in, single-byte conversion, UTF-16 out.
void BM_AcadToStrUtf16(benchmark::State& state) {
  const int kind = static_cast<int>(state.range(0));
  const std::u16string drawing = FromAnsi(DrawingForm(kind));
  for (auto _ : state) benchmark::DoNotOptimize(FromAnsi(AcadToStr(ToAnsi(drawing), kind, false)));
  state.SetItemsProcessed(state.iterations());
}

void BM_ConvertFontTypeW(benchmark::State& state) {
  const std::u16string drawing = FromAnsi(DrawingForm(zil::DosHebrew));
  for (auto _ : state)
    benchmark::DoNotOptimize(ConvertFontTypeW(drawing, zil::DosHebrew, false, zil::WindowsHeb, false));
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_AcadToStr)->DenseRange(0, 4);
BENCHMARK(BM_StrToAcad)->DenseRange(0, 4);
BENCHMARK(BM_AcadToStrUtf16)->DenseRange(0, 4);
BENCHMARK(BM_ConvertFontTypeW);

}  // namespace

namespace {
void BM_VisualOrderScreen(benchmark::State& state) {
  const std::string edit = EditForm();
  for (auto _ : state) benchmark::DoNotOptimize(VisualOrderDC(ScreenDC, edit));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_VisualOrderScreen);
}  // namespace
