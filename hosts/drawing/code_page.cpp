#include "drawing/code_page.h"

#include <unicode/ucnv.h>

#include <algorithm>
#include <cctype>
#include <utility>

#include "drawing/dxf_error.h"
#include "textcore/codepage.h"
#include "textcore/utf8.h"

namespace zil::drawing {
namespace {

struct KnownCodePage {
  std::string_view dxfName;  // as AutoCAD writes it in $DWGCODEPAGE
  const char* icuName;       // nullptr: the text core's Windows-1255
  bool doubleByte;
};

constexpr KnownCodePage kKnown[] = {
    {"ANSI_1250", "windows-1250", false}, {"ANSI_1251", "windows-1251", false}, {"ANSI_1252", "windows-1252", false},
    {"ANSI_1253", "windows-1253", false}, {"ANSI_1254", "windows-1254", false}, {"ANSI_1255", nullptr, false},
    {"ANSI_1256", "windows-1256", false}, {"ANSI_1257", "windows-1257", false}, {"ANSI_1258", "windows-1258", false},
    {"ANSI_874", "windows-874", false},   {"DOS437", "ibm-437", false},         {"DOS737", "ibm-737", false},
    {"DOS850", "ibm-850", false},         {"DOS852", "ibm-852", false},         {"DOS855", "ibm-855", false},
    {"DOS857", "ibm-857", false},         {"DOS860", "ibm-860", false},         {"DOS861", "ibm-861", false},
    {"DOS862", "ibm-862", false},         {"DOS863", "ibm-863", false},         {"DOS864", "ibm-864", false},
    {"DOS865", "ibm-865", false},         {"DOS866", "ibm-866", false},         {"DOS869", "ibm-869", false},
    {"ISO8859-1", "ISO-8859-1", false},   {"ISO8859-2", "ISO-8859-2", false},   {"ISO8859-5", "ISO-8859-5", false},
    {"ISO8859-7", "ISO-8859-7", false},   {"ISO8859-8", "ISO-8859-8", false},   {"MACINTOSH", "macintosh", false},
    {"ANSI_932", "windows-932", true},    {"DOS932", "windows-932", true},      {"ANSI_936", "windows-936", true},
    {"ANSI_949", "windows-949", true},    {"ANSI_950", "windows-950", true},
};

struct ConverterCloser {
  void operator()(UConverter* c) const noexcept { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter OpenStrictConverter(const char* icuName) {
  UErrorCode status = U_ZERO_ERROR;
  Converter converter(ucnv_open(icuName, &status));
  if (U_FAILURE(status)) return nullptr;
  ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  return U_SUCCESS(status) ? std::move(converter) : nullptr;
}

class Utf8CodePage final : public CodePage {
 public:
  std::string_view Name() const noexcept override { return "UTF-8"; }
  void Decode(std::string_view bytes, std::u16string& out) const override { out += textcore::FromUtf8(bytes); }
  std::size_t EncodeUnit(std::u16string_view text, std::size_t pos, std::string& out) const override {
    const char16_t unit = text[pos];
    std::size_t used = 1;
    char32_t cp = unit;
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      if (pos + 1 >= text.size() || text[pos + 1] < 0xDC00 || text[pos + 1] > 0xDFFF) return 0;
      cp = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (static_cast<char32_t>(text[pos + 1]) - 0xDC00);
      used = 2;
    } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
      return 0;  // an unpaired surrogate has no UTF-8 form
    }
    const auto put = [&out](char32_t byte) { out += static_cast<char>(byte); };
    if (cp < 0x80) {
      put(cp);
    } else if (cp < 0x800) {
      put(0xC0 | (cp >> 6)), put(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      put(0xE0 | (cp >> 12)), put(0x80 | ((cp >> 6) & 0x3F)), put(0x80 | (cp & 0x3F));
    } else {
      put(0xF0 | (cp >> 18)), put(0x80 | ((cp >> 12) & 0x3F)), put(0x80 | ((cp >> 6) & 0x3F)), put(0x80 | (cp & 0x3F));
    }
    return used;
  }
};

// One byte per unit through a 256-entry table; bytes below 0x80 are ASCII. Encoding looks a unit up in a
// table of all 65,536 units, built once with the code page, where 0 marks a unit the code page lacks (no
// unit but 0 encodes to byte 0).
class SingleByteCodePage final : public CodePage {
 public:
  // The text core's Windows-1255.
  explicit SingleByteCodePage(std::string_view name) : name_(name) {
    for (unsigned b = 0; b < 256; ++b) decode_[b] = textcore::DecodeAnsiByte(static_cast<unsigned char>(b));
    for (unsigned b = 0x80; b < 256; ++b) encode_[decode_[b]] = textcore::EncodeAnsiUnit(decode_[b]);
    AddAscii();
  }

  // A code page from ICU; an undefined byte is the code point of the same value.
  SingleByteCodePage(std::string_view name, UConverter* converter) : name_(name) {
    for (unsigned b = 0; b < 256; ++b) {
      decode_[b] = static_cast<char16_t>(b);
      if (b < 0x80) continue;
      const char byte = static_cast<char>(b);
      UChar unit[2] = {};
      UErrorCode status = U_ZERO_ERROR;
      ucnv_reset(converter);
      const int32_t n = ucnv_toUChars(converter, unit, 2, &byte, 1, &status);
      if (U_SUCCESS(status) && n == 1) decode_[b] = unit[0];
    }
    // A few code pages have two bytes for one unit (a defined byte and an undefined one holding its own
    // value). Such a unit has always been written as the first of its bytes in this order, so that order is
    // kept: the same sort, and the first entry of a unit wins.
    struct Entry {
      char16_t unit;
      unsigned char byte;
    };
    std::vector<Entry> byUnit;
    for (unsigned b = 0x80; b < 256; ++b) byUnit.push_back({decode_[b], static_cast<unsigned char>(b)});
    std::sort(byUnit.begin(), byUnit.end(), [](const Entry& a, const Entry& b) { return a.unit < b.unit; });
    for (const Entry& e : byUnit)
      if (encode_[e.unit] == 0) encode_[e.unit] = e.byte;
    AddAscii();
  }

  std::string_view Name() const noexcept override { return name_; }

  void Decode(std::string_view bytes, std::u16string& out) const override {
    const std::size_t start = out.size();
    out.resize(start + bytes.size());
    char16_t* const units = out.data() + start;
    for (std::size_t i = 0; i < bytes.size(); ++i) units[i] = decode_[static_cast<unsigned char>(bytes[i])];
  }

  std::size_t EncodeUnit(std::u16string_view text, std::size_t pos, std::string& out) const override {
    const char16_t unit = text[pos];
    if (unit < 0x80) {
      out += static_cast<char>(unit);
      return 1;
    }
    if (encode_[unit] == 0) return 0;
    out += static_cast<char>(encode_[unit]);
    return 1;
  }

  bool WritesWhatItReads() const noexcept override { return true; }

  const ByteTable* BytesOfUnits() const noexcept override { return &encode_; }

 private:
  // Units below 0x80 are their own bytes (whatever bytes from 0x80 up decode to).
  void AddAscii() {
    for (unsigned unit = 1; unit < 0x80; ++unit) encode_[unit] = static_cast<unsigned char>(unit);
  }

  std::string_view name_;
  std::array<char16_t, 256> decode_{};
  ByteTable encode_{};
};

// East Asian code pages through an ICU converter. Not thread-safe (one converter), as the drawing is not.
class DoubleByteCodePage final : public CodePage {
 public:
  DoubleByteCodePage(std::string_view name, Converter converter) : name_(name), converter_(std::move(converter)) {}

  std::string_view Name() const noexcept override { return name_; }

  void Decode(std::string_view bytes, std::u16string& out) const override {
    // Bytes the code page lacks become U+FFFD here; the file keeps them as long as the string is unchanged.
    UErrorCode status = U_ZERO_ERROR;
    Converter lenient(ucnv_open(ucnv_getName(converter_.get(), &status), &status));
    if (U_FAILURE(status)) throw DxfError("cannot open the converter for " + std::string(name_));
    std::u16string decoded(bytes.size() + 1, u'\0');
    const int32_t n = ucnv_toUChars(lenient.get(), decoded.data(), static_cast<int32_t>(decoded.size()), bytes.data(),
                                    static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status)) throw DxfError("cannot decode a string of code page " + std::string(name_));
    decoded.resize(static_cast<std::size_t>(n));
    out += decoded;
  }

  std::size_t EncodeUnit(std::u16string_view text, std::size_t pos, std::string& out) const override {
    const std::size_t used =
        (text[pos] >= 0xD800 && text[pos] <= 0xDBFF && pos + 1 < text.size()) ? std::size_t{2} : std::size_t{1};
    char bytes[8] = {};
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(converter_.get());
    const int32_t n =
        ucnv_fromUChars(converter_.get(), bytes, sizeof bytes, text.data() + pos, static_cast<int32_t>(used), &status);
    if (U_FAILURE(status) || n <= 0) return 0;
    out.append(bytes, static_cast<std::size_t>(n));
    return used;
  }

 private:
  std::string_view name_;
  Converter converter_;
};

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

}  // namespace

std::size_t CodePage::EncodeRun(std::u16string_view text, std::size_t pos, std::size_t end, std::string& out) const {
  while (pos < end) {
    const std::size_t used = EncodeUnit(text, pos, out);
    if (used == 0) break;
    pos += used;
  }
  return pos;
}

std::shared_ptr<const CodePage> CodePage::Utf8() { return std::make_shared<Utf8CodePage>(); }

std::shared_ptr<const CodePage> CodePage::ForName(std::string_view name, const std::string& file) {
  const std::string wanted = Upper(name);
  for (const KnownCodePage& known : kKnown) {
    if (known.dxfName != wanted) continue;
    if (known.icuName == nullptr) return std::make_shared<SingleByteCodePage>(known.dxfName);
    Converter converter = OpenStrictConverter(known.icuName);
    if (!converter) break;
    if (known.doubleByte) return std::make_shared<DoubleByteCodePage>(known.dxfName, std::move(converter));
    return std::make_shared<SingleByteCodePage>(known.dxfName, converter.get());
  }
  std::string supported;
  for (std::string_view n : SupportedCodePageNames()) supported += (supported.empty() ? "" : ", ") + std::string(n);
  ThrowAt(file, 0,
          "the drawing's code page $DWGCODEPAGE " + Quote(name) + " is not supported; expected one of " + supported);
}

std::vector<std::string_view> SupportedCodePageNames() {
  std::vector<std::string_view> names;
  for (const KnownCodePage& known : kKnown) names.push_back(known.dxfName);
  return names;
}

}  // namespace zil::drawing
