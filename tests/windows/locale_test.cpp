// The decimal separator of "db_gettable" on Windows: the user's regional settings, read at each call. The
// test changes the user's decimal symbol of the Wine prefix for a moment, so ctest runs it alone.
#include <gtest/gtest.h>

#include "late_client.h"

namespace zil::test {
namespace {

// Reals take the decimal separator of the user's locale of the system, read at each call.
TEST(ZilDatabase, RealsTakeTheUsersDecimalSeparator) {
  DataFolder data;
  const LateObject zil = LateObject::Create(L"zil.autozil");
  const std::string file = (data.path() / "reals.db").generic_string();
  const std::u16string db(file.begin(), file.end());
  zil.Call(L"Cmd", {Str(u"db_sqlexec"), Str(db), Str(u"CREATE TABLE t (r REAL)")}, DISPATCH_METHOD);
  zil.Call(L"Cmd", {Str(u"db_sqlexec"), Str(db), Str(u"INSERT INTO t VALUES (2.5)")}, DISPATCH_METHOD);
  // The user's decimal symbol, as the regional settings change it; put back afterwards.
  wchar_t saved[8] = {};
  ASSERT_GT(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved, 8), 0);
  ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L","));
  zil.Call(L"Cmd", {Str(u"db_gettable"), Str(db), Str(u"SELECT r FROM t")}, DISPATCH_METHOD);
  const std::u16string comma = Hebstr(zil.get());
  SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L".");
  zil.Call(L"Cmd", {Str(u"db_gettable"), Str(db), Str(u"SELECT r FROM t")}, DISPATCH_METHOD);
  SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved);
  EXPECT_EQ(comma, u"\"2,5\"\r\n");
  EXPECT_EQ(Hebstr(zil.get()), u"\"2.5\"\r\n");
}

}  // namespace
}  // namespace zil::test
