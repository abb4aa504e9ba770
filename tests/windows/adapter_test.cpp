// The AutoCAD adapter (hosts/autocad) against the COM test host, beside the same drawing opened in the
// stand-in host directly: what the surface reads through IDispatch must be what the host has, failures
// must carry the host's own messages, and zil's members must report them through the error information.
// clang-format off
#include "automation/com/dispatch_application.h"
// clang-format on

#include <gtest/gtest.h>

#include "acad/error.h"
#include "autocad/objects.h"
#include "drawing/standin/application.h"
#include "late_client.h"

namespace zil::test {
namespace {

constexpr char kDrawing[] = ZIL_CHAIN_CASES "/drawings/hebrew.dxf";

class Adapter : public ::testing::Test {
 protected:
  void SetUp() override {
    host = LateObject::Create(L"zilstandin.Application");
    const std::wstring drawing = WindowsPath(kDrawing);
    host.Object(L"Documents").Call(L"Open", {Str(std::u16string(drawing.begin(), drawing.end()))});
    adapted = std::static_pointer_cast<autocad::AutoCadApplication>(com::AdaptApplication(host.get()));
    direct = standin::StandInApplication::Create();
    direct->OpenDrawing(kDrawing);
  }

  std::string Message(const std::function<void()>& call) {
    try {
      call();
    } catch (const acad::Error& e) {
      return e.what();
    }
    return "(no failure)";
  }

  LateObject host;
  std::shared_ptr<autocad::AutoCadApplication> adapted;
  std::shared_ptr<standin::StandInApplication> direct;
};

TEST_F(Adapter, ReadsWhatTheHostHas) {
  const auto a = adapted->ActiveDocument();
  const auto d = direct->ActiveDocument();
  EXPECT_EQ(a->ActiveSpace(), d->ActiveSpace());
  EXPECT_EQ(a->Name(), d->Name());
  EXPECT_EQ(std::get<acad::Point>(a->GetVariable(u"VIEWCTR")), std::get<acad::Point>(d->GetVariable(u"VIEWCTR")));
  EXPECT_EQ(a->GetVariable(u"CECOLOR"), d->GetVariable(u"CECOLOR"));

  const auto styles = a->TextStyles();
  ASSERT_EQ(styles->Count(), d->TextStyles()->Count());
  for (int i = 0; i < styles->Count(); ++i) {
    const auto byIndex = styles->Item(i);
    const auto byName = styles->Item(byIndex->Name());  // collections by index and by name
    const auto expected = d->TextStyles()->Item(i);
    EXPECT_EQ(byName->Name(), expected->Name());
    EXPECT_EQ(byName->FontFile(), expected->FontFile());
    EXPECT_EQ(byName->BigFontFile(), expected->BigFontFile());
    EXPECT_EQ(byName->TextGenerationFlag(), expected->TextGenerationFlag());
  }

  const auto space = a->ModelSpace();
  ASSERT_EQ(space->Count(), d->ModelSpace()->Count());
  for (int i = 0; i < space->Count(); ++i) {
    const acad::EntityPtr e = space->Item(i);
    const acad::EntityPtr x = d->ModelSpace()->Item(i);
    EXPECT_EQ(e->ObjectName(), x->ObjectName());
    EXPECT_EQ(e->EntityType(), x->EntityType());
    EXPECT_EQ(e->Handle(), x->Handle());
    EXPECT_EQ(e->GetBoundingBox(), x->GetBoundingBox()) << "out-parameters of " << Utf8(x->Handle());
    if (x->EntityType() == acad::kEntityText) {
      EXPECT_EQ(e->TextString(), x->TextString());
      EXPECT_EQ(e->InsertionPoint(), x->InsertionPoint());
      EXPECT_EQ(e->Backward(), x->Backward());
    }
    if (x->EntityType() == acad::kEntityBlockReference) {
      const auto attributes = e->GetAttributes();
      ASSERT_EQ(attributes.size(), x->GetAttributes().size());
      ASSERT_FALSE(attributes.empty());
      for (std::size_t k = 0; k < attributes.size(); ++k) {
        EXPECT_EQ(attributes[k]->ObjectName(), u"AcDbAttribute");
        EXPECT_EQ(attributes[k]->TagString(), x->GetAttributes()[k]->TagString());
      }
    }
  }
}

TEST_F(Adapter, LooksEachNameUpOncePerKindOfObject) {
  const auto space = adapted->ActiveDocument()->ModelSpace();
  const auto readAll = [&] {
    for (int i = 0; i < space->Count(); ++i) {
      const acad::EntityPtr e = space->Item(i);
      if (e->EntityType() == acad::kEntityText) e->TextString();
    }
  };
  readAll();
  const std::size_t looked = adapted->SharedSession()->NamesLookedUp();
  readAll();
  EXPECT_EQ(adapted->SharedSession()->NamesLookedUp(), looked);
}

TEST_F(Adapter, FailsWithTheHostsMessages) {
  const auto a = adapted->ActiveDocument();
  const auto d = direct->ActiveDocument();
  EXPECT_EQ(Message([&] { a->HandleToObject(u"7FFFFF"); }), Message([&] { d->HandleToObject(u"7FFFFF"); }));
  EXPECT_EQ(Message([&] { a->TextStyles()->Item(u"NoSuchStyle"); }),
            Message([&] { d->TextStyles()->Item(u"NoSuchStyle"); }));
  // A member the entity's kind lacks fails as late binding does, wherever the host says so.
  const auto line = a->ModelSpace()->Item(a->ModelSpace()->Count() - 2);
  ASSERT_EQ(line->ObjectName(), u"AcDbLine");
  EXPECT_EQ(Message([&] { line->TextString(); }), "The object AcDbLine does not support the member TextString");
  EXPECT_EQ(Message([&] { a->StartUndoMark(); }), "(no failure)");  // the document still answers

  // Enter alone at GetDistance is a keyword; the next prompt is answered.
  host.Call(L"SetInput", {Str(u"enter\ndistance 2.5\npoint 1 2\n")});
  const auto utility = a->Utility();
  EXPECT_NE(Message([&] { utility->GetDistance(acad::Point{0, 0, 0}, u"Height"); }).find("keyword"), std::string::npos);
  EXPECT_EQ(utility->GetDistance(std::nullopt, u"Height"), 2.5);
  EXPECT_EQ(utility->GetPoint(std::nullopt, u"Where"), (acad::Point{1, 2, 0}));
}

TEST_F(Adapter, ChangesAreUndoneByTheQueuedCommand) {
  const auto a = adapted->ActiveDocument();
  const auto set = a->SelectionSets()->Add(u"Texts");
  set->Select(acad::kSelectAll, {}, {}, {0}, {acad::Value(std::u16string(u"Text,MTEXT"))});
  const int texts = set->Count();
  EXPECT_GT(texts, 5);
  set->Delete();
  const int before = a->ModelSpace()->Count();
  a->StartUndoMark();
  a->ModelSpace()->AddText(u"x", acad::Point{1, 1, 0}, 2.5)->SetColor(3);
  a->EndUndoMark();
  EXPECT_EQ(a->ModelSpace()->Count(), before + 1);
  a->SendCommand(u"U ");
  EXPECT_EQ(a->ModelSpace()->Count(), before + 1);  // the command runs after the call
  ASSERT_EQ(Strings(host.Call(L"RunQueuedCommands")->result).size(), 1u);
  EXPECT_EQ(a->ModelSpace()->Count(), before);
}

// zil's members report what failed through the error information, and the next call works.
TEST(ZilOnTheHost, ErrorsReachTheCallerAndTheNextCallWorks) {
  DataFolder data;
  std::filesystem::copy_file(ZIL_CHAIN_CASES "/data/HebFonts.txt", data.path() / "HebFonts.txt");
  const LateObject host = LateObject::Create(L"zilstandin.Application");
  const std::wstring drawing = WindowsPath(kDrawing);
  host.Object(L"Documents").Call(L"Open", {Str(std::u16string(drawing.begin(), drawing.end()))});
  const LateObject zil = LateObject::Create(L"zil.autozil");
  Iautozil* direct = nullptr;
  ASSERT_EQ(zil.get()->QueryInterface(IID_Iautozil, reinterpret_cast<void**>(&direct)), S_OK);
  const auto errorInfo = [] {
    IErrorInfo* error = nullptr;
    if (GetErrorInfo(0, &error) != S_OK) return std::u16string(u"(none)");
    BSTR description = nullptr;
    error->GetDescription(&description);
    const std::u16string text = Text(description);
    SysFreeString(description);
    error->Release();
    return text;
  };
  BSTR handle = SysAllocString(L"3D");  // hebrew.dxf's key-mapped text "ouka"
  BSTR unknown = SysAllocString(L"7FFFFF");

  EXPECT_EQ(direct->HShowfont(), static_cast<HRESULT>(0x8000FFFF));
  EXPECT_EQ(errorInfo(), u"No AutoCAD application: the command layer must call SetApp before this command");
  ASSERT_EQ(direct->SetApp(host.get()), S_OK);
  EXPECT_EQ(direct->acadtostr(unknown, 11), static_cast<HRESULT>(0x8000FFFF));
  EXPECT_EQ(errorInfo(), u"HandleToObject: no object of the drawing has the handle \"7FFFFF\"");
  EXPECT_EQ(direct->acadtostr(handle, 11), S_OK);
  EXPECT_EQ(Hebstr(zil.get()), u"שלום");
  // A member that fails inside the host: the text's layer locked, writing it back is refused.
  const LateObject layer = host.Object(L"ActiveDocument").Object(L"Layers").Object(L"Item", {Str(u"0")});
  layer.Call(L"Lock", {Bool(true)}, DISPATCH_PROPERTYPUT);
  EXPECT_EQ(direct->strtoacad(handle, 11), static_cast<HRESULT>(0x8000FFFF));
  EXPECT_EQ(errorInfo(), u"The object AcDbText (handle 3D) is on a locked layer");
  layer.Call(L"Lock", {Bool(false)}, DISPATCH_PROPERTYPUT);
  EXPECT_EQ(direct->strtoacad(handle, 11), S_OK);

  SysFreeString(handle);
  SysFreeString(unknown);
  direct->Release();
}

}  // namespace
}  // namespace zil::test
