#include "sdk/rx/QvRxModuleLocator.h"

#include <dlfcn.h>

#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace fs = std::filesystem;

namespace QvRxModuleLocator {

namespace {

bool hasSlash(const wchar_t* name) {
  return name && std::wcschr(name, L'/') != nullptr;
}

bool endsWithNoCase(std::wstring_view text, std::wstring_view suffix) {
  if (text.size() < suffix.size()) return false;
  const std::wstring_view tail = text.substr(text.size() - suffix.size());
  for (size_t i = 0; i < suffix.size(); ++i)
    if (qvToLower(tail[i]) != qvToLower(suffix[i])) return false;
  return true;
}

std::string sdkFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&searchPath), &info) == 0 || !info.dli_fname) return {};
  std::error_code ec;
  const fs::path lib = fs::weakly_canonical(fs::path(info.dli_fname), ec);
  return (ec ? fs::path(info.dli_fname) : lib).parent_path().string();
}

// The entry of `folder` named `file`, or one whose name differs only in case.
std::string findInFolder(const std::string& folder, const std::string& file) {
  std::error_code ec;
  const fs::path exact = fs::path(folder) / file;
  if (fs::is_regular_file(exact, ec)) return exact.string();
  const QvString wanted(file.c_str());
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string candidate = it->path().filename().string();
    if (QvString(candidate.c_str()).isEqualNoCase(wanted) && it->is_regular_file(ec))
      return it->path().string();
  }
  return {};
}

}  // namespace

QvString baseName(const wchar_t* moduleName) {
  // Module names are looked up often (each switch of resource module): no copies on the way.
  std::wstring_view name(moduleName ? moduleName : L"");
  const size_t slash = name.rfind(L'/');
  if (slash != std::wstring_view::npos) name.remove_prefix(slash + 1);
  bool library = false;
  for (const std::wstring_view ext : {L".dll", L".qrx", L".so"}) {
    if (name.size() > ext.size() && endsWithNoCase(name, ext)) {
      library = ext == L".so";
      name.remove_suffix(ext.size());
      break;
    }
  }
  if ((library || slash != std::wstring_view::npos) && name.starts_with(L"lib") && name.size() > 3)
    name.remove_prefix(3);
  return QvString(name);
}

QvString key(const wchar_t* moduleName) {
  return baseName(moduleName).makeLower();
}

std::string fileName(const wchar_t* moduleName) {
  return "lib" + baseName(moduleName).utf8() + ".so";
}

std::vector<std::string> searchPath() {
  std::vector<std::string> folders;
  if (const char* env = std::getenv("TARVO_MODULE_PATH")) {
    std::string list(env);
    size_t start = 0;
    while (start <= list.size()) {
      const size_t colon = list.find(':', start);
      const size_t end = colon == std::string::npos ? list.size() : colon;
      if (end > start) folders.push_back(list.substr(start, end - start));
      start = end + 1;
    }
  }
  if (std::string own = sdkFolder(); !own.empty()) folders.push_back(own);
  return folders;
}

std::string findFile(const wchar_t* moduleName) {
  if (!moduleName || !*moduleName) return {};
  std::error_code ec;
  if (hasSlash(moduleName)) {
    const std::string path = QvString(moduleName).utf8();
    return fs::is_regular_file(path, ec) ? path : std::string();
  }
  const std::string file = fileName(moduleName);
  for (const std::string& folder : searchPath())
    if (std::string found = findInFolder(folder, file); !found.empty()) return found;
  return {};
}

}  // namespace QvRxModuleLocator
