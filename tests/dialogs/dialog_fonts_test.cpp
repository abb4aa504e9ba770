// The fonts that stand in for the forms' Windows fonts: each is installed, draws Hebrew, and keeps a
// fixed-pitch font fixed; unknown names fall back to a font with Hebrew.
#include "dialogs/dialog_fonts.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QList>

namespace zil::dialogs {
namespace {

QString Latin1(std::string_view s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

TEST(DialogFonts, EveryWindowsFontHasItsFirstChoiceInstalledWithHebrewLettersAndItsPitch) {
  const QString alef(QChar(0x05D0)), shin(QChar(0x05E9));
  for (const DialogFontEntry& entry : DialogFontTable()) {
    const QString name = Latin1(entry.windowsName);
    SCOPED_TRACE(name.toStdString());
    // scripts/bootstrap installs every first choice; a fallback here means a misspelt family.
    EXPECT_EQ(InstalledFamily(name), Latin1(entry.families.front()));
    const QFont font = DialogFontPixels(name, 19, true);
    const QFontInfo info(font);
    EXPECT_EQ(info.family(), InstalledFamily(name)) << "Qt substituted another family";
    EXPECT_EQ(info.pixelSize(), 19);
    EXPECT_TRUE(info.bold());
    EXPECT_TRUE(QFontDatabase::writingSystems(info.family()).contains(QFontDatabase::Hebrew));
    const QFontMetricsF metrics(font);
    EXPECT_TRUE(metrics.inFont(alef[0]) && metrics.inFont(shin[0]));
    if (entry.fixedPitch) {
      EXPECT_TRUE(info.fixedPitch());
      EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(alef), metrics.horizontalAdvance(QStringLiteral("i")));
      EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(shin), metrics.horizontalAdvance(QStringLiteral("W")));
    }
  }
}

TEST(DialogFonts, NamesCompareWithoutCaseAndUnknownNamesGetAFontWithHebrew) {
  EXPECT_EQ(InstalledFamily(u"courier new"), InstalledFamily(u"Courier New"));
  EXPECT_EQ(InstalledFamily(u"HNARKISIM"), InstalledFamily(u"HNarkisim"));
  for (const QString& name : {QStringLiteral("Wingdings"), QString(), QStringLiteral("Tahoma ")}) {
    EXPECT_EQ(InstalledFamily(name), QStringLiteral("DejaVu Sans")) << name.toStdString();
  }
  EXPECT_EQ(QFontInfo(DialogFontPoints(u"Wingdings", 12)).family(), QStringLiteral("DejaVu Sans"));
  EXPECT_EQ(DialogFontPoints(u"Wingdings", 12).pointSize(), 12);
}

}  // namespace
}  // namespace zil::dialogs
