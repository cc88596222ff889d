#include "sdk/rx/VexaProductName.h"

#include <cwchar>
#include <string>

namespace {

std::wstring& prefix() {
  static std::wstring value = L"Xq";
  return value;
}

}  // namespace

int GetVexaProductPreName(wchar_t* buffer, int size) {
  const std::wstring& value = prefix();
  if (!buffer || size <= static_cast<int>(value.size())) return 0;
  std::wmemcpy(buffer, value.c_str(), value.size() + 1);
  return static_cast<int>(value.size());
}

void setVexaProductPreName(const wchar_t* value) {
  prefix() = value && *value ? value : L"Xq";
}
