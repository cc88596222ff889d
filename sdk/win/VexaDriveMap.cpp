#include "sdk/win/VexaDriveMap.h"

#include <cstdlib>
#include <cwctype>
#include <map>
#include <mutex>

#include "sdk/base/qvUtf8.h"
#include "sdk/win/VexaPathSyntax.h"

namespace {

struct Mapping {
  std::string folder;
  std::wstring label;
};

// Roots are kept upper case, with backslashes and without a trailing separator.
std::wstring key(std::wstring_view root) {
  std::wstring out;
  out.reserve(root.size());
  for (wchar_t c : root) out += c == L'/' ? L'\\' : static_cast<wchar_t>(std::towupper(c));
  while (out.size() > 2 && out.back() == L'\\') out.pop_back();
  if (out.size() == 3 && out[1] == L':') out.pop_back();
  return out;
}

struct Table {
  std::mutex mutex;
  std::map<std::wstring, Mapping> roots;

  Table() {
    const char* env = std::getenv("TARVO_DRIVES");
    if (!env) return;
    const std::wstring text = qvWidenUtf8(env);
    size_t start = 0;
    while (start <= text.size()) {
      size_t end = text.find(L';', start);
      if (end == std::wstring::npos) end = text.size();
      const std::wstring entry = text.substr(start, end - start);
      const size_t eq = entry.find(L'=');
      if (eq != std::wstring::npos && eq > 0) {
        const size_t eq2 = entry.find(L'=', eq + 1);
        const std::wstring folder =
            entry.substr(eq + 1, eq2 == std::wstring::npos ? eq2 : eq2 - eq - 1);
        const std::wstring label = eq2 == std::wstring::npos ? L"" : entry.substr(eq2 + 1);
        roots[key(entry.substr(0, eq))] = {qvNarrowUtf8(folder), label};
      }
      start = end + 1;
    }
  }
};

Table& table() {
  static Table instance;
  return instance;
}

std::string localTail(std::wstring_view rest) {
  std::string out = qvNarrowUtf8(rest);
  for (char& c : out)
    if (c == '\\') c = '/';
  return out;
}

}  // namespace

void VexaDriveMap::map(std::wstring_view root, const std::string& folder, std::wstring_view label) {
  Table& t = table();
  std::lock_guard lock(t.mutex);
  t.roots[key(root)] = {folder, std::wstring(label)};
}

void VexaDriveMap::unmap(std::wstring_view root) {
  Table& t = table();
  std::lock_guard lock(t.mutex);
  t.roots.erase(key(root));
}

void VexaDriveMap::clear() {
  Table& t = table();
  std::lock_guard lock(t.mutex);
  t.roots.clear();
}

std::optional<std::string> VexaDriveMap::localName(std::wstring_view path) {
  if (path.empty()) return std::nullopt;
  const std::wstring_view root = vexaPathRoot(path);
  if (root.empty() || root == L"\\" || root == L"/") return localTail(path);
  Table& t = table();
  std::lock_guard lock(t.mutex);
  const auto found = t.roots.find(key(root));
  if (found == t.roots.end()) return std::nullopt;
  std::string out = found->second.folder;
  std::string tail = localTail(path.substr(root.size()));
  if (!tail.empty() && tail.front() != '/' && (out.empty() || out.back() != '/')) out += '/';
  return out + tail;
}

std::optional<std::wstring> VexaDriveMap::label(std::wstring_view root) {
  Table& t = table();
  std::lock_guard lock(t.mutex);
  const auto found = t.roots.find(key(root));
  if (found == t.roots.end()) return std::nullopt;
  return found->second.label;
}
