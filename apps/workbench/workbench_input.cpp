#include "workbench_input.h"

#include <QEventLoop>
#include <charconv>
#include <cmath>

#include "acad/error.h"
#include "command_line.h"
#include "drawing/tag_values.h"
#include "drawing_view.h"
#include "textcore/utf8.h"

namespace zil::workbench {
namespace {

QString Number(double v) { return QString::number(v, 'f', 4); }

QString PointText(const acad::Point& p) { return Number(p.x) + QLatin1Char(',') + Number(p.y); }

// A number as AutoCAD reads one at its prompts: a full stop before the decimals, whatever the locale.
std::optional<double> ParseNumber(QStringView text) {
  const std::string s = text.trimmed().toString().toStdString();
  if (s.empty()) return std::nullopt;
  const char* begin = s.data() + (s[0] == '+' ? 1 : 0);
  double value = 0;
  const auto [end, error] = std::from_chars(begin, s.data() + s.size(), value);
  if (error != std::errc() || end != s.data() + s.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

standin::Answer Answered(standin::Answer::Kind kind) {
  standin::Answer answer;
  answer.kind = kind;
  return answer;
}

standin::Answer PointAnswer(const acad::Point& point) {
  standin::Answer answer = Answered(standin::Answer::Kind::Point);
  answer.point = point;
  return answer;
}

std::u16string HandleText(const drawing::Record& record) {
  return textcore::FromUtf8(drawing::FormatHandle(record.Handle()));
}

}  // namespace

WorkbenchInput::WorkbenchInput(DrawingView& view, CommandLine& line, platform::Messages& messages, QObject* parent)
    : QObject(parent), view_(view), line_(line), messages_(messages) {
  connect(&view_, &DrawingView::clicked, this, &WorkbenchInput::OnClicked);
  connect(&view_, &DrawingView::windowChosen, this, &WorkbenchInput::OnWindow);
  connect(&view_, &DrawingView::rightClicked, this, &WorkbenchInput::OnEnter);
  connect(&line_, &CommandLine::submitted, this, &WorkbenchInput::OnSubmitted);
  connect(&line_, &CommandLine::cancelled, this, &WorkbenchInput::OnCancelled);
}

WorkbenchInput::~WorkbenchInput() { Cancel(); }

standin::Answer WorkbenchInput::Ask(const standin::Prompt& prompt) {
  Mode mode = Mode::Point;
  if (prompt.kind == standin::PromptKind::Distance) mode = Mode::Distance;
  if (prompt.kind == standin::PromptKind::Pick) mode = Mode::Objects;
  return Wait({mode, QString::fromStdU16String(prompt.text), prompt.base});
}

standin::Answer WorkbenchInput::AskCorner(const QString& prompt, const acad::Point& corner) {
  return Wait({Mode::Point, prompt, corner, false, true});
}

EntityAnswer WorkbenchInput::AskEntity(const QString& prompt, bool nested) {
  const standin::Answer answer = Wait({Mode::Entity, prompt, std::nullopt, nested});
  return {answer.kind == standin::Answer::Kind::Pick ? entity_ : nullptr, answer.kind == standin::Answer::Kind::Cancel};
}

standin::Answer WorkbenchInput::Wait(const Waiting& waiting) {
  if (loop_ != nullptr)
    throw acad::Error("Another prompt is waiting for an answer (" + waiting_->prompt.toStdString() + ")");
  waiting_ = waiting;
  ++waits_;
  answer_ = {};
  entity_ = nullptr;
  picks_.clear();
  picked_.clear();
  line_.SetPrompt(waiting.prompt);
  if (waiting.base) view_.SetRubberBand(Vec2{waiting.base->x, waiting.base->y}, waiting.box);
  view_.SetWindowSelection(waiting.mode == Mode::Objects);
  QEventLoop loop;
  loop_ = &loop;
  loop.exec();
  loop_ = nullptr;
  waiting_.reset();
  line_.SetPrompt(QStringLiteral("Command:"));
  view_.SetRubberBand(std::nullopt);
  view_.SetWindowSelection(false);
  if (!picked_.empty()) {
    picked_.clear();
    emit picksChanged(picked_);
  }
  if (answer_.kind == standin::Answer::Kind::Point) lastPoint_ = answer_.point;
  return answer_;
}

void WorkbenchInput::Finish(standin::Answer answer, const QString& echo) {
  if (!loop_) return;
  line_.Echo(waiting_->prompt, echo);
  answer.origin = "the workbench";
  answer_ = std::move(answer);
  loop_->quit();
}

void WorkbenchInput::Cancel() {
  if (loop_) Finish(Answered(standin::Answer::Kind::Cancel), QStringLiteral("*Cancel*"));
}

std::u16string WorkbenchInput::Alert(const std::u16string& message) {
  line_.Message(QStringLiteral("Alert: ") + QString::fromStdU16String(message));
  messages_.Show(u"zil-workbench", message, platform::MessageIcon::Information, platform::MessageButtons::Ok);
  return u"OK";
}

void WorkbenchInput::AddPicks(const std::vector<drawing::Record*>& records) {
  int added = 0;
  for (drawing::Record* r : records) {
    if (picked_.insert(r).second) {
      picks_.push_back(r);
      ++added;
    }
  }
  line_.Message(QStringLiteral("%1 found, %2 in all").arg(records.size()).arg(picks_.size()));
  if (added > 0) emit picksChanged(picked_);
}

void WorkbenchInput::OnClicked(Vec2 at, double tolerance) {
  if (!waiting_) return;
  const acad::Point point{at.x, at.y, 0};
  switch (waiting_->mode) {
    case Mode::Point:
    case Mode::Distance:
      Finish(PointAnswer(point), PointText(point));
      return;
    case Mode::Objects:
    case Mode::Entity:
      break;
  }
  const ViewScene* scene = view_.Scene();
  const std::optional<Hit> hit = scene ? scene->Pick(at, tolerance) : std::nullopt;
  if (!hit) return;  // nothing there: the prompt goes on
  if (waiting_->mode == Mode::Objects) {
    AddPicks({hit->part->entity});
    return;
  }
  entity_ = waiting_->nested ? hit->record : hit->part->entity;
  standin::Answer answer = Answered(standin::Answer::Kind::Pick);
  answer.handles.push_back(HandleText(*entity_));
  const QString echo = QString::fromStdU16String(answer.handles.back());
  Finish(std::move(answer), echo);
}

void WorkbenchInput::OnWindow(const Box2& window, bool crossing) {
  if (!waiting_ || waiting_->mode != Mode::Objects || !view_.Scene()) return;
  std::vector<drawing::Record*> records;
  for (const EntityPart* part : view_.Scene()->InWindow(window, crossing)) records.push_back(part->entity);
  AddPicks(records);
}

void WorkbenchInput::OnEnter() {
  if (!waiting_) return;
  if (waiting_->mode == Mode::Objects && !picks_.empty()) {
    standin::Answer answer = Answered(standin::Answer::Kind::Pick);
    for (const drawing::Record* r : picks_) answer.handles.push_back(HandleText(*r));
    Finish(std::move(answer), QStringLiteral("%1 selected").arg(picks_.size()));
    return;
  }
  Finish(Answered(standin::Answer::Kind::Enter), QString());
}

std::optional<acad::Point> WorkbenchInput::ParsePoint(const QString& text) const {
  QString s = text.trimmed();
  std::optional<acad::Point> origin;
  if (s.startsWith(QLatin1Char('@'))) {
    origin = waiting_ && waiting_->base ? waiting_->base : lastPoint_;
    if (!origin) origin = acad::Point{};
    s.remove(0, 1);
  }
  const QStringList parts = s.split(QLatin1Char(','));
  if (parts.size() != 2 && parts.size() != 3) return std::nullopt;
  acad::Point p;
  double* fields[] = {&p.x, &p.y, &p.z};
  for (qsizetype i = 0; i < parts.size(); ++i) {
    const auto value = ParseNumber(parts[i]);
    if (!value) return std::nullopt;
    *fields[i] = *value;
  }
  if (origin) p = {origin->x + p.x, origin->y + p.y, origin->z + p.z};
  return p;
}

void WorkbenchInput::OnSubmitted(const QString& line) {
  if (!waiting_) {
    emit commandTyped(line);
    return;
  }
  if (line.trimmed().isEmpty()) {
    OnEnter();
    return;
  }
  switch (waiting_->mode) {
    case Mode::Point:
      if (const auto p = ParsePoint(line)) return Finish(PointAnswer(*p), line.trimmed());
      line_.Error(QStringLiteral("Point or \"x,y\" required: ") + line.trimmed());
      return;
    case Mode::Distance:
      if (const auto d = ParseNumber(line)) {
        standin::Answer answer = Answered(standin::Answer::Kind::Distance);
        answer.distance = *d;
        return Finish(answer, line.trimmed());
      }
      if (const auto p = ParsePoint(line)) return Finish(PointAnswer(*p), line.trimmed());
      line_.Error(QStringLiteral("A number or a point is required: ") + line.trimmed());
      return;
    case Mode::Objects:
    case Mode::Entity:
      line_.Error(QStringLiteral("Pick the objects in the drawing, then press Enter: ") + line.trimmed());
      return;
  }
}

void WorkbenchInput::OnCancelled() {
  if (waiting_) {
    Cancel();
  } else {
    emit escaped();
  }
}

}  // namespace zil::workbench
