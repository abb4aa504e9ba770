#include "automation/autozil.h"

#include <utility>

#include "acad/drawing_commands.h"
#include "acad/error.h"
#include "automation/addin.h"
#include "config/font_name.h"
#include "platform/number_format.h"
#if ZIL_WITH_DATABASE
#include "library/database_commands.h"
#endif
#include "platform/ascii_case.h"
#include "textcore/codepage.h"
#include "textcore/conversions.h"
#include "textcore/keyboard.h"

namespace zil::automation {
namespace {

// The largest kind the text core converts; above it the string is an entity handle.
constexpr int kLastStringKind = 10;

bool Contains(std::u16string_view text, std::u16string_view part) {
  return text.find(part) != std::u16string_view::npos;
}

}  // namespace

template <typename Body>
CallResult Tautozil::Guarded(Body&& body) {
  try {
    std::forward<Body>(body)();
    return {};
  } catch (const AutomationError& e) {
    return {e.code(), e.what()};
  } catch (const std::exception& e) {
    return {E_UNEXPECTED, e.what()};
  } catch (...) {
    return {E_UNEXPECTED, "Unexpected failure"};
  }
}

void Tautozil::Refresh() { addin_.host.RefreshHost(addin_.services().keyboard); }

CallResult Tautozil::newtext(std::u16string_view ent) {
  return Guarded([this, ent] {
    Refresh();
    addin_.dialogs().NewText(addin_, ent);
  });
}

std::u16string Tautozil::ObjectNameOf(std::u16string_view handle) {
  return UpperAscii(addin_.host.AcadDoc->HandleToObject(std::u16string(handle))->ObjectName());
}

CallResult Tautozil::edit(std::u16string_view ent) {
  return Guarded([this, ent] {
    Refresh();
    const std::u16string name = ObjectNameOf(ent);
    if (Contains(name, u"MTEXT")) {
      addin_.dialogs().EditMText(addin_, ent);
    } else if (Contains(name, u"ATTDEF") || Contains(name, u"ATTRIBUTEDEF")) {
      addin_.dialogs().EditAttributeDefinition(addin_, ent);
    } else {
      addin_.dialogs().EditText(addin_, ent);
    }
  });
}

CallResult Tautozil::FontTable() {
  return Guarded([this] { addin_.dialogs().ShowFontTable(addin_); });
}

CallResult Tautozil::mtext(std::u16string_view ent) {
  return Guarded([this, ent] {
    Refresh();
    if (ent.empty()) {
      addin_.dialogs().NewMText(addin_);
    } else {
      addin_.dialogs().EditMText(addin_, ent);
    }
  });
}

CallResult Tautozil::put_aver(std::u16string_view value) {
  return Guarded([this, value] { addin_.AcadVersion = value; });
}

CallResult Tautozil::block(std::u16string_view ent) {
  return Guarded([this, ent] {
    Refresh();
    if (Contains(ObjectNameOf(ent), u"ATTRIB")) {
      addin_.dialogs().EditText(addin_, ent);
    } else {
      addin_.dialogs().EditBlockAttributes(addin_, ent);
    }
  });
}

CallResult Tautozil::replace() {
  return Guarded([this] {
    Refresh();
    addin_.dialogs().ReplaceInTexts(addin_);
  });
}

CallResult Tautozil::acadtostr(std::u16string_view ent, std::int8_t kind) {
  return Guarded([this, ent, kind] {
    if (kind <= kLastStringKind) {
      addin_.ResultString = textcore::FromAnsi(textcore::AcadToStr(textcore::ToAnsi(ent), kind, false));
      return;
    }
    Refresh();
    acad::EntityAcadToStr(addin_.host, addin_.frmFonts(), ent, kind, addin_.ResultString);
  });
}

CallResult Tautozil::strtoacad(std::u16string_view ent, std::int8_t type) {
  return Guarded([this, ent, type] {
    if (type <= kLastStringKind) {
      addin_.ResultString = textcore::FromAnsi(textcore::StrToAcad(textcore::ToAnsi(ent), type, false));
      return;
    }
    Refresh();
    acad::EntityStrToAcad(addin_.host, addin_.frmFonts(), ent, type, addin_.ResultString);
  });
}

CallResult Tautozil::get_Hebstr(std::u16string& value) {
  return Guarded([this, &value] { value = addin_.ResultString; });
}

CallResult Tautozil::acadversin(std::u16string_view ver) {
  return Guarded([this, ver] { addin_.AcadVersion = ver; });
}

CallResult Tautozil::HtoMtext() {
  return Guarded([this] {
    Refresh();
    addin_.dialogs().ConvertTextsToMText(addin_);
  });
}

CallResult Tautozil::Hlib() {
  return Guarded([this] {
    Refresh();
    addin_.dialogs().ShowLibrary(addin_);
  });
}

CallResult Tautozil::HShowfont() {
  return Guarded([this] {
    Refresh();
    acad::HShowfont(addin_.host);
  });
}

CallResult Tautozil::Hplot() {
  return Guarded([this] {
    Refresh();
    acad::Hplot(addin_.host, addin_.frmFonts());
  });
}

CallResult Tautozil::Cmd(std::u16string_view cmd, std::u16string_view par, std::u16string_view value) {
  return Guarded([this, cmd, par, value] {
  // Verbs compare exactly, case and all, in this order; an unknown verb does nothing.
#if ZIL_WITH_DATABASE
    if (cmd == u"db_sqlexec") {
      library::SqlExec(par, value);
      return;
    }
    if (cmd == u"db_gettable") {
      // Reals are written with the user's decimal separator.
      addin_.ResultString = library::GetTable(par, value, platform::UsersNumberLocale());
      return;
    }
#else
    if (cmd == u"db_sqlexec" || cmd == u"db_gettable")
      throw AutomationError(E_NOTIMPL,
                            "The database commands are not available in this build of zil (built without SQLite)");
#endif
    if (cmd == u"set_lang") {
      if (EqualIgnoringAsciiCase(par, u"heb")) {
        textcore::HebrewKeyboard(addin_.services().keyboard);
      } else {
        textcore::EnglishKeyboard(addin_.services().keyboard);
      }
      return;
    }
    if (cmd == u"about_zil") {
      addin_.dialogs().ShowAbout(addin_);
      return;
    }
    if (cmd == u"hfont_convert") {
      Refresh();
      addin_.dialogs().ConvertFonts(addin_);
    }
  });
}

CallResult Tautozil::Convert() {
  return Guarded([this] {
    Refresh();
    addin_.dialogs().ConvertForRevit(addin_);
  });
}

CallResult Tautozil::SetApp(ApplicationRef app) {
  return Guarded([this, &app] { addin_.host.AcadApp = std::move(app); });
}

}  // namespace zil::automation
