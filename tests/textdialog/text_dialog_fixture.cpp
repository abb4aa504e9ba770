#include "text_dialog_fixture.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

#include "support/ezdxf_fixtures.h"
#include "textdialog/dialogs/stored_order_edit.h"

namespace zil::textdialog::test {
namespace {

constexpr const char* kFixtures = "textdialog/make_text_dialog_fixtures.py";
constexpr const char* kFontTable =
    "[Fonts]\r\nhebrew=DosHebrew\r\nhebkeys=DosEnglish\r\nhebkeysr=DosEnglishR\r\n"
    "[SymbolFonts]\r\nhebsym=1\r\n"
    "[hebsym]\r\nb1=176\r\nb2=0\r\nb3=171\r\nb4=200\r\n";

}  // namespace

TextDialogTest::TextDialogTest(const char* drawing)
    : AddInOnDrawingTest(zil::test::FixturesMadeBy(kFixtures) / drawing, kFontTable, {kUs, kHebrew, kRussian}) {}

automation::CallResult TextDialogTest::Run(std::u16string_view member, const std::u16string& handle,
                                           std::function<void(Thtext&)> drive) {
  return RunDriving<Thtext>(
      [&](automation::Tautozil& o) {
        if (member == u"newtext") return o.newtext(handle);
        if (member == u"edit") return o.edit(handle);
        return o.block(handle);
      },
      drive);
}

void TextDialogTest::UseStyle(const std::u16string& style) { doc->SetActiveTextStyle(doc->TextStyles()->Item(style)); }

std::u16string TextDialogTest::Place(acad::Point at, double height) {
  return doc->ModelSpace()->AddText(u"x", at, height)->Handle();
}

std::u16string TextDialogTest::Handle(const char* name) const { return zil::test::HandleMadeBy(kFixtures, name); }

QWidget* Editor(Thtext& form, const char* name) { return zil::test::Child<QWidget>(form, name); }

QString EditorText(Thtext& form, const char* name) {
  QWidget* editor = Editor(form, name);
  if (auto* line = qobject_cast<QLineEdit*>(editor)) return line->text();
  if (auto* stored = qobject_cast<StoredOrderEdit*>(editor)) return stored->text();
  ADD_FAILURE() << name << " is not an editor";
  return {};
}

void TypeKeys(QWidget* editor, const QString& keys, const std::function<void()>& after) {
  for (const QChar key : keys) {
    zil::test::TypeText(editor, QString(key));
    if (after) after();
  }
}

void Click(Thtext& form, const char* button) {
  QTest::mouseClick(zil::test::Child<QAbstractButton>(form, button), Qt::LeftButton);
}

}  // namespace zil::textdialog::test
