// zil.dll as AutoCAD uses it: registered by regsvr32 (the ctest fixture), created by its ProgID in this
// process, every member called by name through IDispatch::Invoke.
#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <string>
#include <vector>

#include "com_client.h"
#include "conversion_corpus.h"

namespace zil::test {
namespace {

constexpr char16_t kNoApplication[] = u"No AutoCAD application: the command layer must call SetApp before this command";
constexpr HRESULT kUnexpected = static_cast<HRESULT>(0x8000FFFF);

std::wstring RegistryText(const std::wstring& key, const wchar_t* value) {
  wchar_t text[1024] = {};
  DWORD size = sizeof(text);
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), value, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
    return L"<missing>";
  return text;
}

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

std::wstring ModulePath(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(module, path, MAX_PATH);
  return path;
}

// An application object for SetApp that counts its references; the add-in may release it last, when the
// module shuts down at CoUninitialize.
class FakeApplication final : public IDispatch {
 public:
  static FakeApplication* Create() { return new FakeApplication; }
  ULONG references() const { return references_; }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid != IID_IUnknown && iid != IID_IDispatch) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    *out = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }

 private:
  FakeApplication() = default;
  std::atomic<ULONG> references_{1};
};

class ComServer : public ::testing::Test {
 protected:
  void SetUp() override {
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(L"zil.autozil", &clsid), S_OK) << "zil.dll is not registered";
    ASSERT_TRUE(IsEqualCLSID(clsid, CLSID_autozil));
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&zil)),
              S_OK);
  }
  void TearDown() override { ReleaseObject(); }
  void ReleaseObject() {
    if (zil != nullptr) zil->Release();
    zil = nullptr;
  }

  DataFolder data;  // before the object: the add-in reads the data folder when it starts
  IDispatch* zil = nullptr;
};

TEST_F(ComServer, IsRegisteredAsAnApartmentServerWithItsTypeLibrary) {
  const std::wstring classKey = L"CLSID\\" + GuidText(CLSID_autozil);
  const HMODULE module = GetModuleHandleW(L"zil.dll");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(CompareStringOrdinal(RegistryText(classKey + L"\\InprocServer32", nullptr).c_str(), -1,
                                 ModulePath(module).c_str(), -1, TRUE),
            CSTR_EQUAL);
  EXPECT_EQ(RegistryText(classKey + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
  EXPECT_EQ(RegistryText(classKey + L"\\ProgID", nullptr), L"zil.autozil");
  EXPECT_EQ(RegistryText(classKey, nullptr), L"autozil Object");

  ITypeLib* library = nullptr;
  ASSERT_EQ(LoadRegTypeLib(LIBID_zil, 1, 0, 0x0409, &library), S_OK);
  TLIBATTR* attributes = nullptr;
  ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->lcid, 1033u);
  EXPECT_EQ(attributes->wMajorVerNum, 1);
  EXPECT_EQ(attributes->wMinorVerNum, 0);
  library->ReleaseTLibAttr(attributes);
  const auto documentation = [library](int index) {
    BSTR name = nullptr, text = nullptr;
    library->GetDocumentation(index, &name, &text, nullptr, nullptr);
    const std::u16string both = Text(name) + u"|" + Text(text);
    SysFreeString(name);
    SysFreeString(text);
    return both;
  };
  EXPECT_EQ(documentation(-1), u"zil|zil Library");
  ITypeInfo* info = nullptr;
  ASSERT_EQ(library->GetTypeInfoOfGuid(CLSID_autozil, &info), S_OK);
  UINT index = 0;
  ITypeLib* owner = nullptr;
  info->GetContainingTypeLib(&owner, &index);
  owner->Release();
  info->Release();
  EXPECT_EQ(documentation(static_cast<int>(index)), u"autozil|autozil Object");
  ASSERT_EQ(library->GetTypeInfoOfGuid(IID_Iautozil, &info), S_OK);
  TYPEATTR* type = nullptr;
  ASSERT_EQ(info->GetTypeAttr(&type), S_OK);
  EXPECT_EQ(type->typekind, TKIND_DISPATCH);
  EXPECT_TRUE(type->wTypeFlags & TYPEFLAG_FDUAL);
  EXPECT_TRUE(type->wTypeFlags & TYPEFLAG_FDISPATCHABLE);
  info->ReleaseTypeAttr(type);
  HREFTYPE vtable = 0;  // the dual interface's vtable half
  ASSERT_EQ(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtable), S_OK);
  ITypeInfo* vtableInfo = nullptr;
  ASSERT_EQ(info->GetRefTypeInfo(vtable, &vtableInfo), S_OK);
  ASSERT_EQ(vtableInfo->GetTypeAttr(&type), S_OK);
  EXPECT_EQ(type->typekind, TKIND_INTERFACE);
  EXPECT_TRUE(type->wTypeFlags & TYPEFLAG_FOLEAUTOMATION);
  vtableInfo->ReleaseTypeAttr(type);
  vtableInfo->Release();
  info->GetContainingTypeLib(&owner, &index);
  owner->Release();
  info->Release();
  EXPECT_EQ(documentation(static_cast<int>(index)), u"Iautozil|Dispatch interface for autozil Object");
  library->Release();
}

TEST_F(ComServer, NamesGiveTheInterfaceDispatchIdentifiers) {
  for (const automation::MemberInfo& member : automation::kMembers) {
    for (std::wstring name : {std::wstring(member.name.begin(), member.name.end()), std::wstring()}) {
      if (name.empty()) {  // names compare without regard to case
        for (char c : member.name) name += static_cast<wchar_t>(std::toupper(static_cast<unsigned char>(c)));
      }
      LPOLESTR names[] = {name.data()};
      DISPID id = 0;
      EXPECT_EQ(zil->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << member.name;
      EXPECT_EQ(id, member.dispid) << member.name;
    }
  }
  std::wstring unknown = L"Hebstring";
  LPOLESTR names[] = {unknown.data()};
  DISPID id = 0;
  EXPECT_EQ(zil->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);
}

// The type information the object serves lists the member table: order, names, identifiers, kinds and
// parameter types.
TEST_F(ComServer, TypeInformationMatchesTheMemberTable) {
  ITypeInfo* info = nullptr;
  ASSERT_EQ(zil->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info), S_OK);
  TYPEATTR* type = nullptr;
  ASSERT_EQ(info->GetTypeAttr(&type), S_OK);
  std::size_t next = 0;
  for (UINT f = 0; f < type->cFuncs; ++f) {
    FUNCDESC* func = nullptr;
    ASSERT_EQ(info->GetFuncDesc(f, &func), S_OK);
    if (func->memid >= 201 && func->memid <= 220) {  // IUnknown's and IDispatch's members come first
      ASSERT_LT(next, automation::kMembers.size());
      const automation::MemberInfo& member = automation::kMembers[next++];
      BSTR name = nullptr;
      info->GetDocumentation(func->memid, &name, nullptr, nullptr, nullptr);
      EXPECT_EQ(Text(name), std::u16string(member.name.begin(), member.name.end()));
      SysFreeString(name);
      EXPECT_EQ(func->memid, member.dispid) << member.name;
      const INVOKEKIND kind = member.kind == automation::MemberKind::Method        ? INVOKE_FUNC
                              : member.kind == automation::MemberKind::PropertyGet ? INVOKE_PROPERTYGET
                                                                                   : INVOKE_PROPERTYPUT;
      EXPECT_EQ(func->invkind, kind) << member.name;
      ASSERT_EQ(func->cParams, member.paramCount) << member.name;
      for (int p = 0; p < member.paramCount; ++p) {
        const automation::ParamType param = member.params[static_cast<std::size_t>(p)].type;
        const VARTYPE expected = param == automation::ParamType::String ? VT_BSTR
                                 : param == automation::ParamType::Int8 ? VT_I1
                                                                        : VT_DISPATCH;
        EXPECT_EQ(func->lprgelemdescParam[p].tdesc.vt, expected) << member.name << " parameter " << p;
      }
      // Dispatch returns the property's value; every other member returns nothing but its result code.
      EXPECT_EQ(func->elemdescFunc.tdesc.vt, member.ReturnsValue() ? VT_BSTR : VT_VOID) << member.name;
    }
    info->ReleaseFuncDesc(func);
  }
  EXPECT_EQ(next, automation::kMembers.size());
  info->ReleaseTypeAttr(type);
  info->Release();
}

TEST_F(ComServer, HebstrHoldsTheLastConversion) {
  EXPECT_EQ(Hebstr(zil), u"");
  EXPECT_EQ(Call(zil, L"acadtostr", {Str(u"ouka"), Int(1)})->hr, S_OK);
  EXPECT_EQ(Hebstr(zil), u"שלום");
  EXPECT_EQ(Hebstr(zil), u"שלום");
  // A failing call and a verb that does not write the result leave it as it was.
  EXPECT_EQ(Call(zil, L"newtext", {Str(u"1A")})->code(), kUnexpected);
  EXPECT_EQ(Call(zil, L"Cmd", {Str(u"DB_SQLEXEC"), Str(u"a.db"), Str(u"select 1")})->hr, S_OK);
  EXPECT_EQ(Hebstr(zil), u"שלום");
  // The result belongs to the module, not to one object.
  IDispatch* second = nullptr;
  CLSID clsid{};
  CLSIDFromProgID(L"zil.autozil", &clsid);
  ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&second)),
            S_OK);
  EXPECT_EQ(Hebstr(second), u"שלום");
  second->Release();
}

TEST_F(ComServer, ConvertsHebrewInEveryKind) {
  const struct {
    const wchar_t* member;
    int kind;
    std::u16string in;
    std::u16string out;
  } cases[] = {
      {L"strtoacad", 0, u"שלום עולם", u"\u008D\u008C\u2026\u2019 \u008D\u2026\u008C\u2122"},
      {L"acadtostr", 0, u"\u008D\u008C\u2026\u2019 \u008D\u2026\u008C\u2122", u"שלום עולם"},
      {L"strtoacad", 0, u"(א) 1:50", u"( 1:50\u20AC)"},
      {L"strtoacad", 1, u"שלום עולם", u"okug ouka"},
      {L"acadtostr", 1, u"ouka", u"שלום"},
      {L"strtoacad", 2, u"קומה 2", u"eunv2 "},
      {L"acadtostr", 2, u"akuo guko", u"שלום עולם"},
      {L"strtoacad", 3, u"קומה 2", u" 2המוק"},
      {L"acadtostr", 3, u"םלוע םולש", u"שלום עולם"},
      {L"acadtostr", 3, u"(a<b)", u")a>b("},
      {L"strtoacad", 4, u"קומה 2", u" 2המוק"},
      {L"acadtostr", 4, u" 2המוק", u"2 המוק"},
      {L"acadtostr", 4, u"(א) 1:50", u"(א1:50 )"},
      {L"strtoacad", 4, u"(א) 1:50", u") 05:1א("},
      {L"acadtostr", 5, u"שלום", u""},
      {L"strtoacad", 10, u"שלום", u""},
      {L"acadtostr", -1, u"שלום", u""},
      {L"acadtostr", 3, u"", u""},
  };
  for (const auto& c : cases) {
    const auto reply = Call(zil, c.member, {Str(c.in), Int(c.kind)});
    ASSERT_EQ(reply->hr, S_OK) << Narrow(c.member) << " kind " << c.kind;
    EXPECT_EQ(ToHex16(Hebstr(zil)), ToHex16(c.out)) << "kind " << c.kind << " of " << ToHex16(c.in);
  }
}

// The corpus of make_corpus.py: every string converted by this build as by the Linux build.
TEST_F(ComServer, ConvertsLikeTheLinuxBuild) {
  const std::vector<ConversionCase> corpus = ReadConversionCorpus(ZIL_CONVERSION_CORPUS);
  int compared = 0, differing = 0;
  for (const ConversionCase& c : corpus) {
    if (c.conversion != "acadtostr" && c.conversion != "strtoacad") continue;
    const std::wstring member(c.conversion.begin(), c.conversion.end());
    const auto reply = Call(zil, member.c_str(), {Str(c.input), Int(c.kind)});
    ASSERT_EQ(reply->hr, S_OK);
    const std::u16string result = Hebstr(zil);
    ++compared;
    if (result != c.expected && ++differing <= 20) {
      ADD_FAILURE() << c.conversion << " kind " << c.kind << " of " << ToHex16(c.input) << ": " << ToHex16(result)
                    << ", the Linux build gives " << ToHex16(c.expected);
    }
  }
  EXPECT_EQ(differing, 0) << "of " << compared;
  EXPECT_GT(compared, 10000);
}

TEST_F(ComServer, FailuresCarryTheirCodeAndMessage) {
  // Late bound: DISP_E_EXCEPTION with the member's code, message and source in EXCEPINFO.
  const auto reply = Call(zil, L"newtext", {Str(u"1A")});
  EXPECT_EQ(reply->hr, DISP_E_EXCEPTION);
  EXPECT_EQ(reply->exception.scode, kUnexpected);
  EXPECT_EQ(reply->description(), kNoApplication);
  EXPECT_EQ(reply->source(), u"zil.autozil");

  // Early bound: the code itself, the message in the thread's error information.
  Iautozil* direct = nullptr;
  ASSERT_EQ(zil->QueryInterface(IID_Iautozil, reinterpret_cast<void**>(&direct)), S_OK);
  ISupportErrorInfo* supports = nullptr;
  ASSERT_EQ(zil->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&supports)), S_OK);
  EXPECT_EQ(supports->InterfaceSupportsErrorInfo(IID_Iautozil), S_OK);
  supports->Release();
  BSTR handle = SysAllocString(L"1A");
  EXPECT_EQ(direct->edit(handle), kUnexpected);
  SysFreeString(handle);
  IErrorInfo* error = nullptr;
  ASSERT_EQ(GetErrorInfo(0, &error), S_OK);
  BSTR description = nullptr, source = nullptr;
  error->GetDescription(&description);
  error->GetSource(&source);
  EXPECT_EQ(Text(description), kNoApplication);
  EXPECT_EQ(Text(source), u"zil.autozil");
  SysFreeString(description);
  SysFreeString(source);
  error->Release();

  // The module stays usable.
  EXPECT_EQ(direct->acadtostr(nullptr, 3), S_OK);  // a null BSTR is the empty string
  BSTR result = nullptr;
  ASSERT_EQ(direct->get_Hebstr(&result), S_OK);
  EXPECT_EQ(Text(result), u"");
  SysFreeString(result);
  direct->Release();
}

TEST_F(ComServer, KindsAreSignedEightBitIntegers) {
  for (int kind : {1000, 128, -129}) {
    EXPECT_EQ(Call(zil, L"acadtostr", {Str(u"abc"), Int(kind)})->hr, DISP_E_OVERFLOW) << kind;
  }
  for (int kind : {10, -128}) {  // the largest string kind, the smallest kind
    EXPECT_EQ(Call(zil, L"strtoacad", {Str(u"abc"), Int(kind)})->hr, S_OK) << kind;
  }
  EXPECT_EQ(Call(zil, L"acadtostr", {Str(u"(a"), Str(u"3")})->hr, S_OK);  // coerced from a string
  EXPECT_EQ(Hebstr(zil), u")a");
  // Too few arguments, and too many: the member is not called.
  EXPECT_EQ(Call(zil, L"acadtostr", {Str(u"abc")})->hr, DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(Call(zil, L"acadtostr", {Str(u"ouka"), Int(1), Int(1)})->hr, DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(Hebstr(zil), u")a");
  EXPECT_EQ(Call(zil, L"Hebstr", {Str(u"x")}, DISPATCH_PROPERTYGET)->hr, DISP_E_BADPARAMCOUNT);
}

TEST_F(ComServer, VersionMembersTakeAString) {
  EXPECT_EQ(Call(zil, L"aver", {Str(u"R24.2")}, DISPATCH_PROPERTYPUT)->hr, S_OK);
  EXPECT_EQ(Call(zil, L"acadversin", {Str(u"R25.0")})->hr, S_OK);
  EXPECT_EQ(Call(zil, L"Hebstr", {Str(u"x")}, DISPATCH_PROPERTYPUT)->hr, DISP_E_MEMBERNOTFOUND);  // read only
}

TEST_F(ComServer, CmdRoutesItsVerbsExactly) {
  const auto language = [] { return LOWORD(reinterpret_cast<std::uintptr_t>(GetKeyboardLayout(0))); };
  const struct {
    std::u16string par;
    WORD layout;
  } languages[] = {{u"HEB", 0x040D}, {u"", 0x0409}, {u"heb", 0x040D}, {u"eng", 0x0409}, {u"hebr", 0x0409}};
  for (const auto& l : languages) {
    EXPECT_EQ(Call(zil, L"Cmd", {Str(u"set_lang"), Str(l.par), Str(u"")})->hr, S_OK);
    EXPECT_EQ(language(), l.layout) << ToHex16(l.par);
  }

  const struct {
    std::u16string verb;
    HRESULT code;
    std::u16string message;
  } verbs[] = {
      {u"about_zil", E_NOTIMPL, u"The About window is not available in this build of zil (built without Qt)"},
      {u"hfont_convert", kUnexpected, kNoApplication},
      {u"DB_SQLEXEC", S_OK, u""},  // verbs compare with case: an unknown verb does nothing
      {u"no_such_verb", S_OK, u""},
  };
  for (const auto& v : verbs) {
    const auto reply = Call(zil, L"Cmd", {Str(v.verb), Str(u"zil.db"), Str(u"select 1")});
    EXPECT_EQ(reply->code(), v.code) << ToHex16(v.verb);
    EXPECT_EQ(reply->description(), v.message);
  }
}

TEST_F(ComServer, DialogsAreNotPartOfThisBuild) {
  const auto reply = Call(zil, L"FontTable", {});
  EXPECT_EQ(reply->code(), E_NOTIMPL);
  EXPECT_EQ(reply->description(),
            u"The \"Fonts Definition\" dialog is not available in this build of zil (built without Qt)");
}

// Before SetApp the members that work on the drawing say SetApp is missing; after it they drive the
// application given, late bound: one that is not AutoCAD's fails at the first member it lacks.
TEST_F(ComServer, DrawingMembersNeedTheApplication) {
  const struct {
    const wchar_t* member;
    std::vector<std::u16string> args;
    int kind;
  } members[] = {
      {L"newtext", {u"1A"}, -1},
      {L"edit", {u"1A"}, -1},
      {L"mtext", {u""}, -1},
      {L"block", {u"1A"}, -1},
      {L"replace", {}, -1},
      {L"HtoMtext", {}, -1},
      {L"Hlib", {}, -1},
      {L"HShowfont", {}, -1},
      {L"Hplot", {}, -1},
      {L"Convert", {}, -1},
      {L"acadtostr", {u"1A"}, 11},
      {L"strtoacad", {u"1A"}, 12},
      {L"Cmd", {u"hfont_convert", u"", u""}, -1},
  };
  const auto call = [this](const auto& m) {
    std::vector<VARIANT> args;
    for (const auto& a : m.args) args.push_back(Str(a));
    if (m.kind >= 0) args.push_back(Int(m.kind));
    return Call(zil, m.member, std::move(args));
  };
  for (const auto& m : members) {
    const auto reply = call(m);
    EXPECT_EQ(reply->code(), kUnexpected) << Narrow(m.member);
    EXPECT_EQ(reply->description(), kNoApplication);
  }
  FakeApplication* app = FakeApplication::Create();
  ASSERT_EQ(Call(zil, L"SetApp", {Dispatch(app)})->hr, S_OK);
  EXPECT_EQ(app->references(), 2u);  // the add-in keeps it
  app->Release();
  for (const auto& m : members) {
    const auto reply = call(m);
    EXPECT_EQ(reply->code(), kUnexpected);
    EXPECT_EQ(reply->description(), u"The object AcadApplication does not support the member ActiveDocument");
  }
}

// Shut-down when COM unloads the module: AutoCAD's object is released and the settings are written.
TEST_F(ComServer, UnloadingShutsTheAddInDown) {
  FakeApplication* first = FakeApplication::Create();
  FakeApplication* second = FakeApplication::Create();
  ASSERT_EQ(Call(zil, L"SetApp", {Dispatch(first)})->hr, S_OK);
  ASSERT_EQ(Call(zil, L"SetApp", {Dispatch(second)})->hr, S_OK);
  EXPECT_EQ(first->references(), 1u);  // replaced and released
  EXPECT_EQ(second->references(), 2u);
  first->Release();
  ReleaseObject();
  const std::filesystem::path settings = data.path() / "Hebrew.ini";
  EXPECT_FALSE(std::filesystem::exists(settings));
  CoFreeUnusedLibrariesEx(0, 0);
  EXPECT_EQ(GetModuleHandleW(L"zil.dll"), nullptr);
  EXPECT_EQ(second->references(), 1u);
  second->Release();
  EXPECT_TRUE(std::filesystem::exists(settings));
}

}  // namespace
}  // namespace zil::test
