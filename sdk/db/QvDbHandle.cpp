#include "sdk/db/QvDbHandle.h"

bool QvDbHandle::fromAscii(const wchar_t* text, QvDbHandle& handle) {
  handle = QvDbHandle();
  if (!text || !*text) return false;
  uint64_t value = 0;
  int digits = 0;
  for (const wchar_t* p = text; *p; ++p, ++digits) {
    if (digits == 16) return false;
    int digit;
    if (*p >= L'0' && *p <= L'9') {
      digit = *p - L'0';
    } else if (*p >= L'A' && *p <= L'F') {
      digit = *p - L'A' + 10;
    } else if (*p >= L'a' && *p <= L'f') {
      digit = *p - L'a' + 10;
    } else {
      return false;
    }
    value = (value << 4) | static_cast<uint64_t>(digit);
  }
  handle = QvDbHandle(value);
  return true;
}

QvString QvDbHandle::ascii() const {
  return QvString::format(L"%llX", static_cast<unsigned long long>(value_));
}
