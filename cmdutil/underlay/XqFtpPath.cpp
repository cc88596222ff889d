#include "xqcmdutil/XqFtpPath.h"

#include <string_view>

#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/win/VexaFileServices.h"

namespace {

// What a regular-expression '.' takes: anything but a line terminator.
bool isAny(wchar_t c) {
  return c != L'\n' && c != L'\r' && c != 0x2028 && c != 0x2029;
}

bool isDigit(wchar_t c) {
  return c >= L'0' && c <= L'9';
}

// "/.+" up to the end.
bool isFileTail(std::wstring_view rest) {
  if (rest.size() < 2 || rest[0] != L'/') return false;
  for (const wchar_t c : rest.substr(1))
    if (!isAny(c)) return false;
  return true;
}

// The groups "[0-9]{1,3}" from `group` to 3, each after one character of any kind, then the
// tail; every split of the digits is tried, as the expression's backtracking does.
bool isAddressFrom(std::wstring_view rest, int group) {
  for (size_t n = 1; n <= 3 && n <= rest.size() && isDigit(rest[n - 1]); ++n) {
    const std::wstring_view after = rest.substr(n);
    if (group == 3 ? isFileTail(after)
                   : !after.empty() && isAny(after[0]) && isAddressFrom(after.substr(1), group + 1))
      return true;
  }
  return false;
}

}  // namespace

// The whole path against (ftp://)([0-9]{1,3}(.[0-9]{1,3}){3})(/.+), whose dots stand unescaped.
bool isFtpPath(const QvString& path) {
  const std::wstring_view text = path.wstr();
  constexpr std::wstring_view kScheme = L"ftp://";
  return text.substr(0, kScheme.size()) == kScheme && isAddressFrom(text.substr(kScheme.size()), 0);
}

bool ftpToLocal(const QvString& ftpPath, QvString& localPath) {
  QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  if (!services) return false;
  const Vexa::ErrorStatus es = services->getRemoteFile(ftpPath, localPath, true);
  if (es != Vexa::eRemoteFetched && es != Vexa::eRemoteInCache && es != Vexa::eRemoteUnchanged)
    return false;
  VexaFileInformation info;
  return GetFileInformation(localPath.wstr(), info) && info.size() > 0;
}
