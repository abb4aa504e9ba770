#include "host_objects.h"

#include <oleauto.h>

#include <sstream>

#include "command_report_json.h"
#include "drawing/standin/application.h"
#include "drawing/standin/input_source.h"
#include "textcore/utf8.h"

namespace zil::testhost {
namespace {

using autocad::BoolArg;
using autocad::DoubleArg;
using autocad::IntArg;
using autocad::OwnedVariant;
using autocad::PointArg;
using autocad::StringArg;
using autocad::ValueArg;

struct HostApplication {
  std::shared_ptr<standin::StandInApplication> application = standin::StandInApplication::Create();
  standin::ScriptedInput input;
};

OwnedVariant Nothing() { return OwnedVariant(); }

OwnedVariant StringArray(const std::vector<std::string>& lines) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(lines.size()));
  for (LONG i = 0; i < static_cast<LONG>(lines.size()); ++i) {
    OwnedVariant line = StringArg(textcore::FromUtf8(lines[static_cast<std::size_t>(i)]));
    SafeArrayPutElement(array, &i, &line.get());
  }
  OwnedVariant v;
  v.get().vt = VT_ARRAY | VT_VARIANT;
  v.get().parray = array;
  return v;
}

// The members every collection has: Count, Item by index or name, Add.
template <typename T>
std::vector<Member> CollectionMembers(const std::shared_ptr<acad::Collection<T>>& c,
                                      OwnedVariant (*wrap)(std::shared_ptr<T>)) {
  return {
      {"Count", 0, 0, [c](const CallArgs&) { return IntArg(c->Count()); }, {}},
      {"Item",
       1,
       1,
       [c, wrap](const CallArgs& a) {
         const VARIANT& index = a.At(0);
         return wrap(index.vt == VT_BSTR ? c->Item(a.String(0)) : c->Item(a.Int(0)));
       },
       {}},
      {"Add", 1, 1, [c, wrap](const CallArgs& a) { return wrap(c->Add(a.String(0))); }, {}},
  };
}

OwnedVariant Entity(acad::EntityPtr e);

OwnedVariant Layer(std::shared_ptr<acad::Layer> l) {
  return Result(
      new Served<acad::Layer>(l, {
                                     {"Name", 0, 0, [l](const CallArgs&) { return StringArg(l->Name()); }, {}},
                                     {"Freeze", 0, 0, [l](const CallArgs&) { return BoolArg(l->Freeze()); },
                                      [l](const CallArgs& a) { l->SetFreeze(a.Bool(0)); }},
                                     {"Lock", 0, 0, [l](const CallArgs&) { return BoolArg(l->Lock()); },
                                      [l](const CallArgs& a) { l->SetLock(a.Bool(0)); }},
                                 }));
}

OwnedVariant TextStyle(std::shared_ptr<acad::TextStyle> s) {
  return Result(new Served<acad::TextStyle>(
      s, {
             {"Name", 0, 0, [s](const CallArgs&) { return StringArg(s->Name()); }, {}},
             {"FontFile", 0, 0, [s](const CallArgs&) { return StringArg(s->FontFile()); },
              [s](const CallArgs& a) { s->SetFontFile(a.String(0)); }},
             {"BigFontFile", 0, 0, [s](const CallArgs&) { return StringArg(s->BigFontFile()); },
              [s](const CallArgs& a) { s->SetBigFontFile(a.String(0)); }},
             {"TextGenerationFlag", 0, 0, [s](const CallArgs&) { return IntArg(s->TextGenerationFlag()); },
              [s](const CallArgs& a) { s->SetTextGenerationFlag(a.Int(0)); }},
             {"Height", 0, 0, [s](const CallArgs&) { return DoubleArg(s->Height()); },
              [s](const CallArgs& a) { s->SetHeight(a.Double(0)); }},
             {"Width", 0, 0, [s](const CallArgs&) { return DoubleArg(s->Width()); },
              [s](const CallArgs& a) { s->SetWidth(a.Double(0)); }},
             {"SetFont",
              5,
              5,
              [s](const CallArgs& a) {
                s->SetFont(a.String(0), a.Bool(1), a.Bool(2), a.Int(3), a.Int(4));
                return Nothing();
              },
              {}},
         }));
}

OwnedVariant DimStyle(std::shared_ptr<acad::DimStyle> d) {
  return Result(
      new Served<acad::DimStyle>(d, {{"Name", 0, 0, [d](const CallArgs&) { return StringArg(d->Name()); }, {}}}));
}

OwnedVariant Block(std::shared_ptr<acad::Block> b) {
  return Result(new Served<acad::Block>(
      b, {
             {"Name", 0, 0, [b](const CallArgs&) { return StringArg(b->Name()); }, {}},
             {"IsLayout", 0, 0, [b](const CallArgs&) { return BoolArg(b->IsLayout()); }, {}},
             {"Count", 0, 0, [b](const CallArgs&) { return IntArg(b->Count()); }, {}},
             {"Item", 1, 1, [b](const CallArgs& a) { return Entity(b->Item(a.Int(0))); }, {}},
             {"AddText",
              3,
              3,
              [b](const CallArgs& a) { return Entity(b->AddText(a.String(0), a.Point(1), a.Double(2))); },
              {}},
             {"AddMText",
              3,
              3,
              [b](const CallArgs& a) { return Entity(b->AddMText(a.Point(0), a.Double(1), a.String(2))); },
              {}},
             {"AddSolid",
              4,
              4,
              [b](const CallArgs& a) { return Entity(b->AddSolid(a.Point(0), a.Point(1), a.Point(2), a.Point(3))); },
              {}},
         }));
}

// Selection filters: none when left out.
std::pair<std::vector<std::int16_t>, std::vector<acad::Value>> Filters(const CallArgs& a, std::size_t first) {
  if (a.Missing(first) && a.Missing(first + 1)) return {};
  return {a.Shorts(first), a.Values(first + 1)};
}

OwnedVariant SelectionSet(std::shared_ptr<acad::SelectionSet> s) {
  return Result(new Served<acad::SelectionSet>(
      s, {
             {"Name", 0, 0, [s](const CallArgs&) { return StringArg(s->Name()); }, {}},
             {"Select",
              1,
              5,
              [s](const CallArgs& a) {
                const auto [types, data] = Filters(a, 3);
                s->Select(a.Int(0), a.Missing(1) ? acad::Point{} : a.Point(1),
                          a.Missing(2) ? acad::Point{} : a.Point(2), types, data);
                return Nothing();
              },
              {}},
             {"SelectOnScreen",
              0,
              2,
              [s](const CallArgs& a) {
                const auto [types, data] = Filters(a, 0);
                s->SelectOnScreen(types, data);
                return Nothing();
              },
              {}},
             {"Count", 0, 0, [s](const CallArgs&) { return IntArg(s->Count()); }, {}},
             {"Item", 1, 1, [s](const CallArgs& a) { return Entity(s->Item(a.Int(0))); }, {}},
             {"Erase",
              0,
              0,
              [s](const CallArgs&) {
                s->Erase();
                return Nothing();
              },
              {}},
             {"Delete",
              0,
              0,
              [s](const CallArgs&) {
                s->Delete();
                return Nothing();
              },
              {}},
         }));
}

OwnedVariant Utility(std::shared_ptr<acad::Utility> u) {
  const auto base = [](const CallArgs& a) { return a.Missing(0) ? std::nullopt : std::optional(a.Point(0)); };
  return Result(new Served<acad::Utility>(
      u, {
             {"GetPoint",
              0,
              2,
              [u, base](const CallArgs& a) { return PointArg(u->GetPoint(base(a), a.Missing(1) ? u"" : a.String(1))); },
              {}},
             {"GetDistance",
              0,
              2,
              [u, base](const CallArgs& a) {
                return DoubleArg(u->GetDistance(base(a), a.Missing(1) ? u"" : a.String(1)));
              },
              {}},
         }));
}

// A property of an entity: read and written through the surface's pair of members.
template <typename Get, typename Set>
Member Property(const char* name, Get get, Set set) {
  return {name, 0, 0, get, set};
}

OwnedVariant Entity(acad::EntityPtr e) {
  const auto call = [e](void (acad::Entity::*member)()) {
    return [e, member](const CallArgs&) {
      ((*e).*member)();
      return Nothing();
    };
  };
  const auto text = [e](const char* name, std::u16string (acad::Entity::*get)() const,
                        void (acad::Entity::*set)(const std::u16string&)) {
    return Property(
        name, [e, get](const CallArgs&) { return StringArg(((*e).*get)()); },
        [e, set](const CallArgs& a) { ((*e).*set)(a.String(0)); });
  };
  const auto number = [e](const char* name, double (acad::Entity::*get)() const, void (acad::Entity::*set)(double)) {
    return Property(
        name, [e, get](const CallArgs&) { return DoubleArg(((*e).*get)()); },
        [e, set](const CallArgs& a) { ((*e).*set)(a.Double(0)); });
  };
  const auto integer = [e](const char* name, int (acad::Entity::*get)() const, void (acad::Entity::*set)(int)) {
    return Property(
        name, [e, get](const CallArgs&) { return IntArg(((*e).*get)()); },
        [e, set](const CallArgs& a) { ((*e).*set)(a.Int(0)); });
  };
  const auto point = [e](const char* name, acad::Point (acad::Entity::*get)() const,
                         void (acad::Entity::*set)(const acad::Point&)) {
    return Property(
        name, [e, get](const CallArgs&) { return PointArg(((*e).*get)()); },
        [e, set](const CallArgs& a) { ((*e).*set)(a.Point(0)); });
  };
  using E = acad::Entity;
  std::vector<Member> members = {
      {"ObjectName", 0, 0, [e](const CallArgs&) { return StringArg(e->ObjectName()); }, {}},
      {"EntityType", 0, 0, [e](const CallArgs&) { return IntArg(e->EntityType()); }, {}},
      {"EntityName", 0, 0, [e](const CallArgs&) { return StringArg(e->EntityName()); }, {}},
      {"Handle", 0, 0, [e](const CallArgs&) { return StringArg(e->Handle()); }, {}},
      text("Layer", &E::Layer, &E::SetLayer),
      integer("Color", &E::Color, &E::SetColor),
      {"Update", 0, 0, call(&E::Update), {}},
      {"Erase", 0, 0, call(&E::Erase), {}},
      {"Copy", 0, 0, [e](const CallArgs&) { return Entity(e->Copy()); }, {}},
      {"Move",
       2,
       2,
       [e](const CallArgs& a) {
         e->Move(a.Point(0), a.Point(1));
         return Nothing();
       },
       {}},
      {"Rotate",
       2,
       2,
       [e](const CallArgs& a) {
         e->Rotate(a.Point(0), a.Double(1));
         return Nothing();
       },
       {}},
      {"GetBoundingBox",
       2,
       2,
       [e](const CallArgs& a) {
         const auto [lower, upper] = e->GetBoundingBox();
         VARIANT& min = a.Out(0);
         VARIANT& max = a.Out(1);
         VariantClear(&min);
         VariantClear(&max);
         min = PointArg(lower).Detach();
         max = PointArg(upper).Detach();
         return Nothing();
       },
       {}},
      {"Highlight",
       1,
       1,
       [e](const CallArgs& a) {
         e->Highlight(a.Bool(0));
         return Nothing();
       },
       {}},
      text("StyleName", &E::StyleName, &E::SetStyleName),
      text("TextString", &E::TextString, &E::SetTextString),
      number("Height", &E::Height, &E::SetHeight),
      number("Rotation", &E::Rotation, &E::SetRotation),
      point("InsertionPoint", &E::InsertionPoint, &E::SetInsertionPoint),
      integer("HorizontalAlignment", &E::HorizontalAlignment, &E::SetHorizontalAlignment),
      integer("VerticalAlignment", &E::VerticalAlignment, &E::SetVerticalAlignment),
      integer("Alignment", &E::Alignment, &E::SetAlignment),
      point("TextAlignmentPoint", &E::TextAlignmentPoint, &E::SetTextAlignmentPoint),
      Property(
          "Backward", [e](const CallArgs&) { return BoolArg(e->Backward()); },
          [e](const CallArgs& a) { e->SetBackward(a.Bool(0)); }),
      integer("TextGenerationFlag", &E::TextGenerationFlag, &E::SetTextGenerationFlag),
      number("ScaleFactor", &E::ScaleFactor, &E::SetScaleFactor),
      text("TagString", &E::TagString, &E::SetTagString),
      text("PromptString", &E::PromptString, &E::SetPromptString),
      integer("AttachmentPoint", &E::AttachmentPoint, &E::SetAttachmentPoint),
      number("Width", &E::Width, &E::SetWidth),
      integer("DrawingDirection", &E::DrawingDirection, &E::SetDrawingDirection),
      text("TextOverride", &E::TextOverride, &E::SetTextOverride),
      {"Name", 0, 0, [e](const CallArgs&) { return StringArg(e->Name()); }, {}},
      {"HasAttributes", 0, 0, [e](const CallArgs&) { return BoolArg(e->HasAttributes()); }, {}},
      {"GetAttributes",
       0,
       0,
       [e](const CallArgs&) {
         const std::vector<acad::EntityPtr> attributes = e->GetAttributes();
         SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(attributes.size()));
         for (LONG i = 0; i < static_cast<LONG>(attributes.size()); ++i) {
           OwnedVariant attribute = Entity(attributes[static_cast<std::size_t>(i)]);
           SafeArrayPutElement(array, &i, &attribute.get());
         }
         OwnedVariant v;
         v.get().vt = VT_ARRAY | VT_VARIANT;
         v.get().parray = array;
         return v;
       },
       {}},
  };
  return Result(new Served<acad::Entity>(e, std::move(members)));
}

OwnedVariant Document(std::shared_ptr<acad::Document> d) {
  const auto act = [](auto body) {
    return [body](const CallArgs& a) {
      body(a);
      return Nothing();
    };
  };
  std::vector<Member> members = {
      {"ActiveSpace", 0, 0, [d](const CallArgs&) { return IntArg(d->ActiveSpace()); }, {}},
      {"ModelSpace", 0, 0, [d](const CallArgs&) { return Block(d->ModelSpace()); }, {}},
      {"PaperSpace", 0, 0, [d](const CallArgs&) { return Block(d->PaperSpace()); }, {}},
      {"TextStyles",
       0,
       0,
       [d](const CallArgs&) {
         auto c = d->TextStyles();
         return Result(new Served<acad::TextStyles>(c, CollectionMembers<acad::TextStyle>(c, &TextStyle)));
       },
       {}},
      {"Layers",
       0,
       0,
       [d](const CallArgs&) {
         auto c = d->Layers();
         return Result(new Served<acad::Layers>(c, CollectionMembers<acad::Layer>(c, &Layer)));
       },
       {}},
      {"Blocks",
       0,
       0,
       [d](const CallArgs&) {
         auto c = d->Blocks();
         return Result(new Served<acad::Blocks>(c, CollectionMembers<acad::Block>(c, &Block)));
       },
       {}},
      {"DimStyles",
       0,
       0,
       [d](const CallArgs&) {
         auto c = d->DimStyles();
         return Result(new Served<acad::DimStyles>(c, CollectionMembers<acad::DimStyle>(c, &DimStyle)));
       },
       {}},
      {"SelectionSets",
       0,
       0,
       [d](const CallArgs&) {
         auto c = d->SelectionSets();
         return Result(new Served<acad::SelectionSets>(c, CollectionMembers<acad::SelectionSet>(c, &SelectionSet)));
       },
       {}},
      {"Utility", 0, 0, [d](const CallArgs&) { return Utility(d->Utility()); }, {}},
      {"ActiveLayer", 0, 0, [d](const CallArgs&) { return Layer(d->ActiveLayer()); },
       [d](const CallArgs& a) { d->SetActiveLayer(SubjectOf<acad::Layer>(a, 0)); }},
      {"ActiveTextStyle", 0, 0, [d](const CallArgs&) { return TextStyle(d->ActiveTextStyle()); },
       [d](const CallArgs& a) { d->SetActiveTextStyle(SubjectOf<acad::TextStyle>(a, 0)); }},
      {"ActiveDimStyle", 0, 0, [d](const CallArgs&) { return DimStyle(d->ActiveDimStyle()); },
       [d](const CallArgs& a) { d->SetActiveDimStyle(SubjectOf<acad::DimStyle>(a, 0)); }},
      {"HandleToObject", 1, 1, [d](const CallArgs& a) { return Entity(d->HandleToObject(a.String(0))); }, {}},
      {"GetVariable", 1, 1, [d](const CallArgs& a) { return ValueArg(d->GetVariable(a.String(0))); }, {}},
      {"SetVariable", 2, 2, act([d](const CallArgs& a) { d->SetVariable(a.String(0), a.Value(1)); }), {}},
      {"StartUndoMark", 0, 0, act([d](const CallArgs&) { d->StartUndoMark(); }), {}},
      {"EndUndoMark", 0, 0, act([d](const CallArgs&) { d->EndUndoMark(); }), {}},
      {"SendCommand", 1, 1, act([d](const CallArgs& a) { d->SendCommand(a.String(0)); }), {}},
      {"Regen", 1, 1, act([d](const CallArgs& a) { d->Regen(a.Int(0)); }), {}},
      {"Saved", 0, 0, [d](const CallArgs&) { return BoolArg(d->Saved()); }, {}},
      {"Save", 0, 0, act([d](const CallArgs&) { d->Save(); }), {}},
      {"SaveAs", 1, 1, act([d](const CallArgs& a) { d->SaveAs(a.String(0)); }), {}},
      {"Path", 0, 0, [d](const CallArgs&) { return StringArg(d->Path()); }, {}},
      {"Name", 0, 0, [d](const CallArgs&) { return StringArg(d->Name()); }, {}},
  };
  return Result(new Served<acad::Document>(d, std::move(members)));
}

OwnedVariant Documents(std::shared_ptr<acad::Documents> d) {
  return Result(new Served<acad::Documents>(
      d, {
             {"Count", 0, 0, [d](const CallArgs&) { return IntArg(d->Count()); }, {}},
             {"Open", 1, 1, [d](const CallArgs& a) { return Document(d->Open(a.String(0))); }, {}},
         }));
}

}  // namespace

DispatchObject* NewApplication() {
  auto host = std::make_shared<HostApplication>();
  std::istringstream none;
  host->input = standin::ScriptedInput::Parse(none, "no answers (SetInput was not called)");
  host->application->SetInputSource(&host->input);
  const auto& app = host->application;
  return new Served<HostApplication>(
      host, {
                {"ActiveDocument", 0, 0, [app](const CallArgs&) { return Document(app->ActiveDocument()); }, {}},
                {"Documents", 0, 0, [app](const CallArgs&) { return Documents(app->Documents()); }, {}},
                {"ZoomCenter",
                 2,
                 2,
                 [app](const CallArgs& a) {
                   app->ZoomCenter(a.Point(0), a.Double(1));
                   return Nothing();
                 },
                 {}},
                {"Update",
                 0,
                 0,
                 [app](const CallArgs&) {
                   app->Update();
                   return Nothing();
                 },
                 {}},
                {"RunQueuedCommands",
                 0,
                 0,
                 [app](const CallArgs&) {
                   std::vector<std::string> lines;
                   for (const standin::CommandReport& report : app->RunQueuedCommands())
                     lines.push_back(cli::CommandReportJson(report));
                   return StringArray(lines);
                 },
                 {}},
                {"SetInput",
                 1,
                 1,
                 [host](const CallArgs& a) {
                   std::istringstream answers(textcore::ToUtf8(a.String(0)));
                   host->input = standin::ScriptedInput::Parse(answers, "SetInput");
                   return Nothing();
                 },
                 {}},
            });
}

}  // namespace zil::testhost
