#include "xqcmdutil/XqCmdResourceString.h"

#include <cstdarg>

namespace {

QvString formatResource(unsigned int id, va_list args) {
  QvString format;
  format.loadString(id);
  QvString text;
  if (!format.isEmpty()) vexaFormatVS(text, format.c_str(), args);
  return text;
}

}  // namespace

QvString qvcmdQvResourceString(unsigned int id) {
  QvString text;
  text.loadString(id);
  return text;
}

QvString qvcmdQvResourceString(unsigned int id, const wchar_t* fallback) {
  QvString text;
  if (!text.loadString(id)) text = QvString(fallback);
  return text;
}

bool qvcmdQvResourceString(unsigned int id, QvString& out) {
  return out.loadString(id);
}

QvString qvcmdQvResourceStringF(unsigned int id, ...) {
  va_list args;
  va_start(args, id);
  QvString text = formatResource(id, args);
  va_end(args);
  return text;
}

CString qvcmdCResourceString(unsigned int id) {
  CString text;
  text.LoadString(id);
  return text;
}

bool qvcmdCResourceString(unsigned int id, CString& out) {
  return out.LoadString(id);
}

CString qvcmdCResourceStringF(unsigned int id, ...) {
  va_list args;
  va_start(args, id);
  const QvString text = formatResource(id, args);
  va_end(args);
  return CString(text);
}
