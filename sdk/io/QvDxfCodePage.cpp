#include "sdk/io/QvDxfCodePage.h"

#include <iconv.h>

#include <cctype>
#include <cerrno>
#include <cstdint>

namespace {

// Windows code page 1252 in 0x80-0x9F; the rest of the page is Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

wchar_t cp1252(unsigned char c) {
  if (c >= 0x80 && c < 0xA0) return static_cast<wchar_t>(kCp1252High[c - 0x80]);
  return static_cast<wchar_t>(c);
}

// The converter's name of a $DWGCODEPAGE name, empty for none: ANSI_n and DOSn are CPn.
std::string converterName(std::string_view dwgName) {
  std::string upper;
  for (const char c : dwgName)
    if (c != ' ') upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  auto number = [](std::string_view digits) {
    if (digits.empty() || digits.size() > 5) return std::string();
    for (const char c : digits)
      if (c < '0' || c > '9') return std::string();
    return "CP" + std::string(digits);
  };
  if (upper.rfind("ANSI_", 0) == 0) return number(std::string_view(upper).substr(5));
  if (upper.rfind("DOS", 0) == 0) return number(std::string_view(upper).substr(3));
  if (upper == "MACINTOSH" || upper == "MAC_ROMAN") return "MACINTOSH";
  if (upper == "BIG5") return "BIG5";
  if (upper == "GB2312") return "GB2312";
  if (upper == "KSC5601") return "CP949";
  if (upper == "JOHAB") return "JOHAB";
  if (upper.rfind("ISO8859-", 0) == 0) return "ISO-8859-" + upper.substr(8);
  return {};
}

constexpr const char* kWide = sizeof(wchar_t) == 4 ? "UTF-32LE" : "UTF-16LE";

// Pages of more than one byte a character.
bool isMultiByte(const std::string& name) {
  for (const char* page : {"CP932", "CP936", "CP949", "CP950", "CP1361", "BIG5", "GB2312", "JOHAB"})
    if (name == page) return true;
  return false;
}

// Converts bytes to wide characters; a byte the page has no character for (alone or as the
// start of a sequence) becomes fallback(byte).
template <class Fallback>
void convert(iconv_t cd, std::string_view in, std::wstring& out, Fallback fallback) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* src = const_cast<char*>(in.data());
  size_t left = in.size();
  std::wstring buffer(in.size() + 4, L'\0');
  while (left > 0) {
    char* dst = reinterpret_cast<char*>(buffer.data());
    size_t room = buffer.size() * sizeof(wchar_t);
    const size_t rc = iconv(cd, &src, &left, &dst, &room);
    out.append(buffer.data(), buffer.size() - room / sizeof(wchar_t));
    if (rc != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) continue;
    out += fallback(static_cast<unsigned char>(*src));
    ++src;
    --left;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
}

}  // namespace

struct QvDxfCodePage::Converter {
  iconv_t cd;
  ~Converter() { iconv_close(cd); }
};

QvDxfCodePage::QvDxfCodePage() {
  for (int c = 0; c < 256; ++c)
    table_[static_cast<size_t>(c)] = cp1252(static_cast<unsigned char>(c));
}

QvDxfCodePage::~QvDxfCodePage() = default;

bool QvDxfCodePage::select(std::string_view dwgName) {
  const std::string name = converterName(dwgName);
  if (name.empty()) return false;
  if (name == "CP1252") return true;
  const iconv_t cd = iconv_open(kWide, name.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  std::unique_ptr<Converter> converter(new Converter{cd});
  // Single bytes through a table; bytes the page leaves undefined read as in 1252.
  std::array<wchar_t, 256> table{};
  for (int c = 0; c < 256; ++c) {
    const char byte = static_cast<char>(c);
    std::wstring one;
    convert(cd, std::string_view(&byte, 1), one, [](unsigned char) { return L'\0'; });
    table[static_cast<size_t>(c)] =
        one.size() == 1 && one[0] != L'\0' ? one[0] : cp1252(static_cast<unsigned char>(c));
  }
  table[0] = L'\0';
  name_ = name;
  table_ = table;
  if (isMultiByte(name)) multiByte_ = std::move(converter);
  return true;
}

void QvDxfCodePage::appendDecoded(std::wstring& out, std::string_view bytes) const {
  if (multiByte_) {
    convert(multiByte_->cd, bytes, out, [this](unsigned char c) { return table_[c]; });
    return;
  }
  for (const char c : bytes) out += table_[static_cast<unsigned char>(c)];
}
