#include "sdk/io/QvDxfTokenizer.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>

#include "sdk/io/QvDxfError.h"
#include "sdk/io/QvDxfGroupCode.h"
#include "sdk/io/QvDxfHugePages.h"
#include "sdk/io/QvDxfProgress.h"

namespace {

constexpr std::string_view kBinaryDxfSentinel = "AutoCAD Binary DXF";

// Values up to this length are scanned for their line end here; longer ones by memchr.
constexpr ptrdiff_t kShortValue = 24;

// The first line feed in [p, limit), or limit; eight bytes at a time while there are eight.
const char* lineFeedBefore(const char* p, const char* const limit) {
  static_assert(std::endian::native == std::endian::little);
  constexpr uint64_t kOnes = 0x0101010101010101u;
  constexpr uint64_t kHighs = 0x8080808080808080u;
  while (limit - p >= 8) {
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    const uint64_t x = word ^ (kOnes * '\n');
    // The high bit of each byte that is zero (a line feed): exact up to the first such byte.
    const uint64_t feeds = (x - kOnes) & ~x & kHighs;
    if (feeds) return p + (std::countr_zero(feeds) >> 3);
    p += 8;
  }
  while (p < limit && *p != '\n') ++p;
  return p;
}

// Whether each code up to the highest is one files may hold.
const std::array<bool, QvDxfGroupCode::kMaxCode + 1>& validCodes() {
  static const std::array<bool, QvDxfGroupCode::kMaxCode + 1> valid = [] {
    std::array<bool, QvDxfGroupCode::kMaxCode + 1> table{};
    for (int code = 0; code <= QvDxfGroupCode::kMaxCode; ++code)
      table[static_cast<size_t>(code)] = QvDxfGroupCode::isValid(code);
    return table;
  }();
  return valid;
}

bool looksLikeDwg(const std::string& text) {
  if (text.size() < 6 || text.compare(0, 4, "AC10") != 0) return false;
  const size_t probe = std::min<size_t>(text.size(), 128);
  return std::memchr(text.data(), '\0', probe) != nullptr;
}

}  // namespace

QvDxfTokens QvDxfTokenizer::tokenize(std::string text, QvDxfProgress* progress) {
  if (text.size() >= std::numeric_limits<uint32_t>::max())
    throw QvDxfError(Vexa::eBadDxfFile, QvDxfDiagnostic::kFileTooLarge, 0,
                     "the file is too large for a drawing (4 GB or more)");
  if (text.compare(0, kBinaryDxfSentinel.size(), kBinaryDxfSentinel) == 0)
    throw QvDxfError(Vexa::eBadDxfFile, QvDxfDiagnostic::kNotDxfText, 1,
                     "this is a binary DXF file; only DXF text files can be read");
  if (looksLikeDwg(text))
    throw QvDxfError(Vexa::eBadDxfFile, QvDxfDiagnostic::kNotDxfText, 1,
                     "this is a binary DWG drawing (version " + text.substr(0, 6) +
                         "), not DXF text; save it as DXF to open it here");
  if (text.empty())
    throw QvDxfError(Vexa::eBadDxfFile, QvDxfDiagnostic::kEmptyFile, 0, "the file is empty");

  std::vector<QvDxfToken> tokens;
  tokens.reserve(text.size() / 12);
  qvDxfAdviseHugePages(tokens.data(), tokens.capacity() * sizeof(QvDxfToken));
  const char* const base = text.data();
  const char* p = base;
  const char* const end = base + text.size();
  if (text.size() >= 3 && std::memcmp(p, "\xEF\xBB\xBF", 3) == 0) p += 3;  // UTF-8 mark
  uint32_t line = 1;
  bool sawEnd = false;
  uint32_t groups = 0;

  const std::array<bool, QvDxfGroupCode::kMaxCode + 1>& valid = validCodes();
  // Without a NUL anywhere, values need no check of their own.
  const bool holdsNul = std::memchr(p, '\0', static_cast<size_t>(end - p)) != nullptr;

  while (p < end) {
    // The code line: blanks, the digits, blanks, the line end.
    const uint32_t codeLine = line;
    const char* q = p;
    while (q < end && (*q == ' ' || *q == '\t')) ++q;
    bool negative = false;
    if (q < end && *q == '-') {
      negative = true;
      ++q;
    }
    int code = 0;
    const char* digits = q;
    while (q < end && *q >= '0' && *q <= '9' && q - digits < 6) code = code * 10 + (*q++ - '0');
    const bool hasDigits = q > digits;
    while (q < end && (*q == ' ' || *q == '\t' || *q == '\r')) ++q;
    const char* lineEnd = q < end ? q : nullptr;
    if (!hasDigits || (lineEnd && *lineEnd != '\n')) {
      lineEnd = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
      const char* codeEnd = lineEnd ? lineEnd : end;
      if (p == codeEnd && !lineEnd) break;  // a last empty line
      if (std::memchr(p, '\0', static_cast<size_t>(codeEnd - p)))
        throw QvDxfError(Vexa::eBadDxfFile, QvDxfDiagnostic::kNotDxfText, codeLine,
                         "binary data where a group code should be: the file is not DXF text");
      throw QvDxfError(
          Vexa::eBadDxfFile, QvDxfDiagnostic::kNotAGroupCode, codeLine,
          qvDxfQuoted(qvDxfExcerpt(std::string_view(p, static_cast<size_t>(codeEnd - p)))) +
              " is not a group code");
    }
    if (negative) code = -code;
    if (code < 0 || code > QvDxfGroupCode::kMaxCode || !valid[static_cast<size_t>(code)])
      throw QvDxfError(Vexa::eBadDxfFile, QvDxfDiagnostic::kUnknownGroupCode, codeLine,
                       "group code " + std::to_string(code) + " does not exist in DXF files");
    if (!lineEnd)
      throw QvDxfError(Vexa::eBadDxfFile, QvDxfDiagnostic::kCutShort, codeLine,
                       "the file ends after group code " + std::to_string(code) +
                           " without its value: it is cut short");
    p = lineEnd + 1;
    ++line;

    // The value line; most are short enough to be scanned here.
    const char* const shortEnd = end - p > kShortValue ? p + kShortValue : end;
    const char* valueEnd = lineFeedBefore(p, shortEnd);
    if (valueEnd == shortEnd)
      valueEnd = static_cast<const char*>(
          std::memchr(valueEnd, '\n', static_cast<size_t>(end - valueEnd)));
    const char* next = valueEnd ? valueEnd + 1 : end;
    if (!valueEnd) valueEnd = end;
    const char* trimmedEnd = valueEnd;
    // Every carriage return before the line feed ends the line: kept, a value would lose one
    // on each save.
    while (trimmedEnd > p && trimmedEnd[-1] == '\r') --trimmedEnd;
    if (holdsNul && std::memchr(p, '\0', static_cast<size_t>(trimmedEnd - p)))
      throw QvDxfError(Vexa::eBadDxfFile, QvDxfDiagnostic::kNotDxfText, line,
                       "binary data in a value: the file is not DXF text or is damaged");
    const auto length = static_cast<uint32_t>(trimmedEnd - p);
    if (code == 0 && length >= 3 && std::string_view(p, 3) == "EOF" &&
        std::string_view(p, length).find_first_not_of(" \t", 3) == std::string_view::npos) {
      sawEnd = true;
      ++line;
      break;
    }
    if (code != 999)
      tokens.push_back(QvDxfToken{static_cast<uint32_t>(p - base), length, codeLine,
                                  static_cast<int16_t>(code)});
    p = next;
    ++line;
    if (progress && (++groups & 0x3fff) == 0) progress->at(static_cast<uint64_t>(p - base));
  }
  if (!sawEnd)
    throw QvDxfError(Vexa::eBadDxfFile, QvDxfDiagnostic::kCutShort, line,
                     "the file ends without its end marker (0 EOF): it is cut short");
  QvDxfTokens result(std::move(text), std::move(tokens));
  result.setEndLine(line);
  return result;
}
