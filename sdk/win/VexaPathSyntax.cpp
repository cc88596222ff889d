#include "sdk/win/VexaPathSyntax.h"

#include <cwctype>
#include <vector>

namespace {

bool isDriveLetter(wchar_t c) {
  return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

bool hasDrive(std::wstring_view path) {
  return path.size() >= 2 && isDriveLetter(path[0]) && path[1] == L':';
}

bool isShare(std::wstring_view path) {
  return path.size() >= 2 && vexaIsPathSeparator(path[0]) && vexaIsPathSeparator(path[1]);
}

// Where the next separator at or after `from` is, or the end.
size_t nextSeparator(std::wstring_view path, size_t from) {
  while (from < path.size() && !vexaIsPathSeparator(path[from])) ++from;
  return from;
}

wchar_t fold(wchar_t c) {
  if (c < 128) return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c;
  return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
}

bool sameName(std::wstring_view a, std::wstring_view b, bool foldCase) {
  if (a.size() != b.size()) return false;
  if (!foldCase) return a == b;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i] && fold(a[i]) != fold(b[i])) return false;
  return true;
}

bool sameRoot(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (vexaIsPathSeparator(a[i]) && vexaIsPathSeparator(b[i])) continue;
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

// The names after the root, with "." dropped and ".." taking back the name before it.
void names(std::wstring_view rest, std::vector<std::wstring_view>& out) {
  out.clear();
  size_t i = 0;
  while (i < rest.size()) {
    const size_t end = nextSeparator(rest, i);
    const std::wstring_view name = rest.substr(i, end - i);
    if (name == L"..") {
      if (!out.empty()) out.pop_back();
    } else if (!name.empty() && name != L".") {
      out.push_back(name);
    }
    i = end + 1;
  }
}

}  // namespace

std::wstring PathGetArgs(std::wstring_view commandLine) {
  bool quoted = false;
  for (size_t i = 0; i < commandLine.size(); ++i) {
    if (commandLine[i] == L'"') quoted = !quoted;
    if (commandLine[i] == L' ' && !quoted) return std::wstring(commandLine.substr(i + 1));
  }
  return {};
}

void PathRemoveArgs(std::wstring& commandLine) {
  bool quoted = false;
  for (size_t i = 0; i < commandLine.size(); ++i) {
    if (commandLine[i] == L'"') quoted = !quoted;
    if (commandLine[i] == L' ' && !quoted) {
      commandLine.resize(i);
      break;
    }
  }
  while (!commandLine.empty() && commandLine.back() == L' ') commandLine.pop_back();
}

void PathUnquoteSpaces(std::wstring& path) {
  if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"')
    path = path.substr(1, path.size() - 2);
}

std::wstring_view PathUnquoteSpaces(std::wstring_view path) {
  if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"')
    return path.substr(1, path.size() - 2);
  return path;
}

VexaPathParts vexaSplitPath(std::wstring_view path) {
  VexaPathParts parts;
  if (hasDrive(path)) {
    parts.drive = path.substr(0, 2);
    path.remove_prefix(2);
  }
  size_t lastSeparator = std::wstring_view::npos;
  for (size_t i = 0; i < path.size(); ++i)
    if (vexaIsPathSeparator(path[i])) lastSeparator = i;
  if (lastSeparator != std::wstring_view::npos) {
    parts.dir = path.substr(0, lastSeparator + 1);
    path.remove_prefix(lastSeparator + 1);
  }
  const size_t dot = path.rfind(L'.');
  if (dot == std::wstring_view::npos) {
    parts.fname = path;
  } else {
    parts.fname = path.substr(0, dot);
    parts.ext = path.substr(dot);
  }
  return parts;
}

std::wstring_view vexaPathRoot(std::wstring_view path) {
  if (hasDrive(path))
    return path.substr(0, path.size() > 2 && vexaIsPathSeparator(path[2]) ? 3 : 2);
  if (isShare(path)) {
    const size_t server = nextSeparator(path, 2);
    if (server >= path.size()) return path;
    return path.substr(0, nextSeparator(path, server + 1));
  }
  if (!path.empty() && vexaIsPathSeparator(path[0])) return path.substr(0, 1);
  return {};
}

bool PathCanonicalize(std::wstring& out, std::wstring_view path) {
  if (path.empty()) return false;
  const std::wstring_view root = vexaPathRoot(path);
  std::wstring result(root);
  for (wchar_t& c : result)
    if (c == L'/') c = L'\\';
  std::vector<std::wstring_view> parts;
  names(path.substr(root.size()), parts);
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0 || (!result.empty() && result.back() != L'\\' && result.back() != L':'))
      result += L'\\';
    result += parts[i];
  }
  if (!parts.empty() && vexaIsPathSeparator(path.back())) result += L'\\';
  if (result.empty()) result = L".";
  out = std::move(result);
  return true;
}

bool PathRelativePathTo(std::wstring& out, std::wstring_view from, bool fromIsDirectory,
                        std::wstring_view to, bool toIsDirectory) {
  if (!PathIsSameRoot(from, to)) return false;
  const std::wstring_view root = vexaPathRoot(from);
  const bool foldCase = !(root.size() == 1);  // a rooted path without drive is a POSIX path
  // Kept between calls, so that a run of many paths allocates once.
  thread_local std::vector<std::wstring_view> source, target;
  names(from.substr(root.size()), source);
  names(to.substr(vexaPathRoot(to).size()), target);
  if (!fromIsDirectory && !source.empty()) source.pop_back();
  size_t common = 0;
  while (common < source.size() && common < target.size() &&
         sameName(source[common], target[common], foldCase))
    ++common;
  std::wstring result;
  result.reserve(to.size() + 3 * (source.size() - common) + 2);
  if (common == source.size()) {
    result = L".";
  } else {
    for (size_t i = common; i < source.size(); ++i) {
      if (i > common) result += L'\\';
      result += L"..";
    }
  }
  for (size_t i = common; i < target.size(); ++i) {
    result += L'\\';
    result += target[i];
  }
  if (toIsDirectory && common < target.size() && !to.empty() && vexaIsPathSeparator(to.back()))
    result += L'\\';
  out = std::move(result);
  return true;
}

bool PathIsSameRoot(std::wstring_view a, std::wstring_view b) {
  const std::wstring_view rootA = vexaPathRoot(a);
  const std::wstring_view rootB = vexaPathRoot(b);
  if (rootA.empty() || rootB.empty()) return false;
  // "C:" and "C:\" are the same drive.
  auto trimmed = [](std::wstring_view root) {
    if (root.size() == 3 && root[1] == L':') root.remove_suffix(1);
    return root;
  };
  return sameRoot(trimmed(rootA), trimmed(rootB));
}
