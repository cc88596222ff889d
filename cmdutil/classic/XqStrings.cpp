#include "xqcmdutil/XqStrings.h"

#include <algorithm>
#include <cwchar>
#include <string_view>

namespace {

void trim(wchar_t* s, const wchar_t* how, bool tabsLeading) {
  if (!s) return;
  size_t length = std::wcslen(s);
  if (std::wstring_view(s, length).find_first_not_of(L' ') == std::wstring_view::npos) {
    s[0] = L'\0';
    return;
  }
  for (const wchar_t* mode = how; mode && *mode; ++mode) {
    switch (*mode) {
      case L'B':
      case L'b': {
        size_t skip = 0;
        while (skip < length && (s[skip] == L' ' || (tabsLeading && s[skip] == L'\t'))) ++skip;
        std::wmemmove(s, s + skip, length - skip + 1);
        length -= skip;
        break;
      }
      case L'E':
      case L'e':
        while (length > 0 && s[length - 1] == L' ') s[--length] = L'\0';
        break;
      case L'M':
      case L'm': {
        const std::wstring_view view(s, length);
        const size_t first = view.find_first_not_of(L' ');
        if (first == std::wstring_view::npos) break;
        const size_t last = view.find_last_not_of(L' ');
        size_t out = first;
        for (size_t in = first; in <= last; ++in)
          if (s[in] != L' ') s[out++] = s[in];
        std::wmemmove(s + out, s + last + 1, length - last);  // trailing blanks and the NUL
        length = out + (length - last - 1);
        break;
      }
      default:
        break;
    }
  }
}

}  // namespace

void qv_trim(wchar_t* s, const wchar_t* how) {
  trim(s, how, false);
}

void trimWhiteSpace(wchar_t* s, const wchar_t* how) {
  trim(s, how, true);
}

void qv_trimDoubleQuotation(wchar_t* s) {
  if (!s) return;
  const size_t length = std::wcslen(s);
  if (length < 2 || s[0] != L'"' || s[length - 1] != L'"') return;
  std::wmemmove(s, s + 1, length - 2);
  s[length - 2] = L'\0';
  qv_trim(s, L"BE");
}

void qv_getext(const wchar_t* path, wchar_t* ext, size_t size) {
  if (!ext || size == 0) return;
  ext[0] = L'\0';
  if (size > 1) std::wcscpy(ext, L".");
  if (!path) return;
  const std::wstring_view view(path);
  const size_t slash = view.rfind(L'/');
  const size_t dot = view.rfind(L'.');
  if (dot == std::wstring_view::npos || (slash != std::wstring_view::npos && dot < slash)) return;
  const size_t count = std::min(view.size() - dot, size - 1);
  std::wmemcpy(ext, path + dot, count);
  ext[count] = L'\0';
  qv_trim(ext, L"BME");
}

int strings_i_compare(const wchar_t* a, const wchar_t* b) {
  if (!a || !b) return -1;
  auto fold = [](wchar_t c) { return (c >= L'A' && c <= L'Z') ? c + (L'a' - L'A') : c; };
  for (;; ++a, ++b) {
    const wchar_t x = fold(*a);
    const wchar_t y = fold(*b);
    if (x != y) return static_cast<int>(x) - static_cast<int>(y);
    if (x == L'\0') return 0;
  }
}

void db_astrncpy(wchar_t** dst, const wchar_t* src, int n) {
  if (!dst) return;
  delete[] * dst;
  *dst = nullptr;
  if (!src) return;
  const size_t length = std::wcslen(src);
  const size_t count = n < 0 ? length : std::min(length, static_cast<size_t>(n));
  *dst = new wchar_t[count + 1];
  std::wmemcpy(*dst, src, count);
  (*dst)[count] = L'\0';
}

bool IsAllNum(const wchar_t* s) {
  if (!s) return false;
  bool stop = false;
  for (; *s; ++s) {
    if (*s == L'.') {
      if (stop) return false;
      stop = true;
    } else if (*s < L'0' || *s > L'9') {
      return false;
    }
  }
  return true;
}

bool IsLegalName(const wchar_t* s) {
  return s && std::wcspbrk(s, L"\"'*,/:<=>?\\|") == nullptr;
}

int IsStringSelected(const wchar_t* s, const CStringArray& list) {
  if (!s) return 0;
  for (const CString& item : list)
    if (item == s) return 1;
  return 0;
}
