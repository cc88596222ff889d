#include "sdk/io/QvDxfOutput.h"

#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfText.h"

void QvDxfOutput::codeLine(int code) {
  char buf[8];
  int n = QvDxfNumber::formatInteger(code, buf);
  for (int pad = n; pad < 3; ++pad) text_ += ' ';
  text_.append(buf, static_cast<size_t>(n));
  text_ += '\n';
}

void QvDxfOutput::raw(int code, std::string_view value) {
  codeLine(code);
  text_.append(value);
  text_ += '\n';
}

void QvDxfOutput::text(int code, const QvString& value) {
  codeLine(code);
  QvDxfText::appendEncoded(text_, value);
  text_ += '\n';
}

void QvDxfOutput::real(int code, double value) {
  codeLine(code);
  char buf[32];
  text_.append(buf, static_cast<size_t>(QvDxfNumber::formatReal(value, buf)));
  text_ += '\n';
}

void QvDxfOutput::integer(int code, int64_t value) {
  codeLine(code);
  char buf[24];
  text_.append(buf, static_cast<size_t>(QvDxfNumber::formatInteger(value, buf)));
  text_ += '\n';
}

void QvDxfOutput::handle(int code, QvDbHandle value) {
  codeLine(code);
  char buf[16];
  text_.append(buf, static_cast<size_t>(QvDxfNumber::formatHandle(value.value(), buf)));
  text_ += '\n';
}

void QvDxfOutput::point(int code, double x, double y, double z, bool is3d) {
  real(code, x);
  real(code + 10, y);
  if (is3d) real(code + 20, z);
}
