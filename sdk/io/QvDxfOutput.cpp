#include "sdk/io/QvDxfOutput.h"

#include <array>
#include <cstring>

#include "sdk/io/QvDxfGroupCode.h"
#include "sdk/io/QvDxfHugePages.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfText.h"

namespace {

// The code lines of every code a file may hold, made once: "  0\n" to "1071\n".
struct CodeLine {
  char text[7];
  uint8_t size;
};

constexpr std::array<CodeLine, QvDxfGroupCode::kMaxCode + 1> makeCodeLines() {
  std::array<CodeLine, QvDxfGroupCode::kMaxCode + 1> lines{};
  for (int code = 0; code <= QvDxfGroupCode::kMaxCode; ++code) {
    char digits[4] = {};
    int n = 0;
    for (int v = code; n == 0 || v != 0; v /= 10) digits[n++] = static_cast<char>('0' + v % 10);
    CodeLine& line = lines[static_cast<size_t>(code)];
    int at = 0;
    for (int pad = n; pad < 3; ++pad) line.text[at++] = ' ';
    while (n > 0) line.text[at++] = digits[--n];
    line.text[at++] = '\n';
    line.size = static_cast<uint8_t>(at);
  }
  return lines;
}

constexpr std::array<CodeLine, QvDxfGroupCode::kMaxCode + 1> kCodeLines = makeCodeLines();

// Room for a code line and a number with its line end.
constexpr size_t kGroupRoom = 48;

}  // namespace

void QvDxfOutput::reserve(size_t bytes) {
  text_.reserve(text_.size() + bytes);
  qvDxfAdviseHugePages(text_.data(), text_.capacity());
}

char* QvDxfOutput::codeLine(int code, char* at) {
  if (code >= 0 && code <= QvDxfGroupCode::kMaxCode) {
    const CodeLine& line = kCodeLines[static_cast<size_t>(code)];
    std::memcpy(at, line.text, sizeof(line.text));
    return at + line.size;
  }
  char digits[24];
  const int n = QvDxfNumber::formatInteger(code, digits);
  for (int pad = n; pad < 3; ++pad) *at++ = ' ';
  std::memcpy(at, digits, static_cast<size_t>(n));
  at += n;
  *at++ = '\n';
  return at;
}

void QvDxfOutput::raw(int code, std::string_view value) {
  char buf[kGroupRoom];
  char* p = codeLine(code, buf);
  if (value.size() < kGroupRoom - 8) {
    std::memcpy(p, value.data(), value.size());
    p += value.size();
    *p++ = '\n';
    text_.append(buf, static_cast<size_t>(p - buf));
    return;
  }
  text_.append(buf, static_cast<size_t>(p - buf));
  text_.append(value);
  text_ += '\n';
}

void QvDxfOutput::text(int code, const QvString& value) {
  char buf[kGroupRoom];
  text_.append(buf, static_cast<size_t>(codeLine(code, buf) - buf));
  QvDxfText::appendEncoded(text_, value);
  text_ += '\n';
}

char* QvDxfOutput::realText(double value, char* at) {
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  RealText& kept = realTexts_[(bits * 0x9E3779B97F4A7C15ULL) >> 56];
  if (kept.bits == bits && kept.size != 0) {
    std::memcpy(at, kept.text, sizeof kept.text);
    return at + kept.size;
  }
  const int size = QvDxfNumber::formatReal(value, at);
  if (size <= static_cast<int>(sizeof kept.text)) {
    kept.bits = bits;
    kept.size = static_cast<uint8_t>(size);
    std::memcpy(kept.text, at, static_cast<size_t>(size));
  }
  return at + size;
}

void QvDxfOutput::real(int code, double value) {
  char buf[kGroupRoom];
  char* p = realText(value, codeLine(code, buf));
  *p++ = '\n';
  text_.append(buf, static_cast<size_t>(p - buf));
}

void QvDxfOutput::integer(int code, int64_t value) {
  char buf[kGroupRoom];
  char* p = codeLine(code, buf);
  p += QvDxfNumber::formatInteger(value, p);
  *p++ = '\n';
  text_.append(buf, static_cast<size_t>(p - buf));
}

void QvDxfOutput::handle(int code, QvDbHandle value) {
  char buf[kGroupRoom];
  char* p = codeLine(code, buf);
  p += QvDxfNumber::formatHandle(value.value(), p);
  *p++ = '\n';
  text_.append(buf, static_cast<size_t>(p - buf));
}

void QvDxfOutput::point(int code, double x, double y, double z, bool is3d) {
  char buf[3 * kGroupRoom];
  char* p = realText(x, codeLine(code, buf));
  *p++ = '\n';
  p = realText(y, codeLine(code + 10, p));
  *p++ = '\n';
  if (is3d) {
    p = realText(z, codeLine(code + 20, p));
    *p++ = '\n';
  }
  text_.append(buf, static_cast<size_t>(p - buf));
}
