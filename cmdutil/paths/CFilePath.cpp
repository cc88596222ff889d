#include "xqcmdutil/CFilePath.h"

#include <string>

#include "sdk/win/VexaFileServices.h"
#include "sdk/win/VexaPathSyntax.h"

namespace {

bool isSeparator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

std::wstring trimmedBlanks(std::wstring_view s) {
  const size_t first = s.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return {};
  const size_t last = s.find_last_not_of(L' ');
  return std::wstring(s.substr(first, last - first + 1));
}

}  // namespace

void CArgument::Normalize() {
  if (m_name.Remove(L'/') > 0) m_switch = L'/';
  if (m_name.Remove(L'-') > 0) m_switch = L'-';
  m_name.Remove(L' ');
}

CFilePath::operator const wchar_t*() {
  m_cache = GetPath(0, 0);
  return m_cache;
}

void CFilePath::SetPath(const wchar_t* path, int isDirectory, int hasArguments) {
  // Every part starts empty, so that nothing of an earlier path survives a short or bad one.
  m_given.Empty();
  m_drive.Empty();
  m_driveLabel.Empty();
  m_dirs.RemoveAll();
  m_dir.Empty();
  m_title.Empty();
  m_ext.Empty();
  m_args.Empty();
  m_argList.clear();
  m_relative = false;
  if (!path) return;
  m_given = path;
  std::wstring_view view(m_given.wstr());
  std::wstring withoutArgs;
  if (hasArguments) {
    m_args = PathGetArgs(view);
    withoutArgs = view;
    PathRemoveArgs(withoutArgs);
    view = withoutArgs;
  }
  view = PathUnquoteSpaces(view);
  if (view.empty()) return;

  const VexaPathParts parts = vexaSplitPath(view);
  m_drive = std::wstring(parts.drive);
  if (isDirectory) {
    // The last name is a directory, whole: "a.b" keeps its ".b".
    std::wstring dir(parts.dir);
    dir += parts.fname;
    dir += parts.ext;
    m_dir = AddBackSlash(AddBackSlash(std::move(dir)));
  } else {
    m_dir = std::wstring(parts.dir);
    m_title = std::wstring(parts.fname);
  }
  m_dir.Replace(L'/', L'\\');
  // A path without drive and root is relative, also when it is a bare file name.
  m_relative = m_drive.IsEmpty() && !m_dir.wstr().starts_with(L'\\') &&
               !(m_dir.IsEmpty() && m_title.IsEmpty());
  if (IsFilePath()) {
    m_ext = std::wstring(parts.ext);
    m_ext.Remove(L'.');
  }
}

void CFilePath::SetPath(int which) {
  if (which == 0) {
    const std::wstring line = GetCommandLine();
    SetPath(line.c_str(), 0, 1);
  } else if (which == 1) {
    const std::wstring module = GetModuleFileName();
    SetPath(module.c_str(), 0, 0);
  }
}

int CFilePath::ExistFile() const {
  if (!IsFilePath()) return 0;
  return PathFileExists((GetLocation() + GetFileName()).wstr()) ? 1 : 0;
}

int CFilePath::ExistLocation() const {
  return PathFileExists(GetLocation().wstr()) ? 1 : 0;
}

void CFilePath::FillDirArray() {
  if (m_dir.IsEmpty() || !m_dirs.IsEmpty()) return;
  const std::wstring& dir = m_dir.wstr();
  size_t start = 0;
  if (dir.starts_with(L"\\\\"))
    start = 2;  // a share: the server is the first name
  else if (dir.starts_with(L'\\'))
    start = 1;
  for (size_t i = start; i < dir.size(); ++i) {
    if (dir[i] != L'\\') continue;
    if (i > start) m_dirs.Add(CString(dir.substr(start, i - start)));
    start = i + 1;
  }
}

int CFilePath::GetDirCount() {
  FillDirArray();
  return m_dirs.GetSize();
}

CString CFilePath::GetDir(int i) {
  if (i < 0) return m_dir;
  FillDirArray();
  return i < m_dirs.GetSize() ? m_dirs[i] : CString();
}

CString CFilePath::GetPath(int withArgs, int asGiven) {
  CString path = asGiven ? m_given : CString(builtPath());
  if (!withArgs) return path;
  const CString args = GetArgument(-1, 0);
  if (args.IsEmpty()) return path;
  if (!asGiven && path.Find(L' ') >= 0) path = L"\"" + path + L"\"";
  return path + L" " + args;
}

std::wstring CFilePath::builtPath() const {
  std::wstring path;
  path.reserve(static_cast<size_t>(m_drive.GetLength() + m_dir.GetLength() + m_title.GetLength() +
                                   m_ext.GetLength() + 1));
  path += m_drive.wstr();
  path += m_dir.wstr();
  path += m_title.wstr();
  if (!m_ext.IsEmpty()) {
    path += L'.';
    path += m_ext.wstr();
  }
  return path;
}

CString CFilePath::GetShortPath() {
  std::wstring out;
  return GetShortPathName(GetPath(0, 0).wstr(), out) ? CString(out) : CString();
}

CString CFilePath::GetLongPath() {
  std::wstring out;
  return GetLongPathName(GetPath(0, 0).wstr(), out) ? CString(out) : CString();
}

CString CFilePath::GetAbsolutePath(const wchar_t* base) {
  if (!m_relative || !base || !*base) return {};
  std::wstring out;
  if (!PathCanonicalize(out, (AddBackSlash(base) + GetPath(0, 0)).wstr())) return {};
  return out;
}

CString CFilePath::GetRelativePath(const wchar_t* base) {
  if (m_relative || !base || !*base) return {};
  std::wstring path = builtPath();
  if (!PathIsSameRoot(path, base)) return path;
  std::wstring out;
  if (!PathRelativePathTo(out, base, true, path, !IsFilePath())) return path;
  if (out.size() > 1 && out[0] == L'.' && out[1] == L'\\') out.erase(0, 2);
  return out;
}

CString CFilePath::GetDriveLabel(int useServerName) {
  if (!m_driveLabel.IsEmpty()) return m_driveLabel;
  if (m_relative) return {};
  const bool share = m_dir.wstr().starts_with(L"\\\\");
  if (useServerName && share) {
    m_driveLabel = GetDir(0);
    return m_driveLabel;
  }
  CString root;
  if (IsLocalPath()) {
    root = m_drive + L"\\";
  } else if (share) {
    if (GetDirCount() < 2) return {};
    root.Format(L"\\\\%ls\\%ls\\", GetDir(0).GetString(), GetDir(1).GetString());
  } else if (m_dir.wstr().starts_with(L'\\')) {
    root = L"\\";
  } else {
    return {};
  }
  std::wstring name;
  if (!GetVolumeInformation(root.wstr(), name)) name.clear();
  m_driveLabel = name;
  return m_driveLabel;
}

int CFilePath::FillFileInformation() {
  return GetFileInformation(GetPath(0, 0).wstr(), m_info) ? 1 : 0;
}

int CFilePath::GetFileSize(std::uint64_t& size) {
  const int filled = FillFileInformation();
  size = m_info.size();
  return filled;
}

int CFilePath::GetFileTime(CTime& time, int which) {
  const int filled = FillFileInformation();
  const std::time_t seconds = which == 0   ? m_info.creationTime
                              : which == 2 ? m_info.lastWriteTime
                                           : m_info.lastAccessTime;
  time = CTime(seconds);
  return filled;
}

void CFilePath::FillArgArray() {
  if (m_args.IsEmpty() || !m_argList.empty()) return;
  std::wstring s = trimmedBlanks(m_args.wstr()) + L" ";
  CArgument pending;
  auto append = [this, &pending] {
    pending.Normalize();
    m_argList.push_back(pending);
    pending.m_name.Empty();
    pending.m_value.Empty();
  };
  for (size_t i = s.find_first_of(L" \""); i != std::wstring::npos; i = s.find_first_of(L" \"")) {
    if (s[i] == L'"') {
      const size_t close = s.find(L'"', i + 1);
      if (close == std::wstring::npos) break;  // a quotation that never closes ends the list
      pending.m_value = CString(s.substr(i + 1, close - i - 1));
      i = close;
    } else if (s[0] != L'/' && s[0] != L'-') {
      pending.m_value = CString(s.substr(0, i));
    } else {
      if (!pending.m_name.IsEmpty()) append();
      pending.m_name = CString(s.substr(0, i));
    }
    if (!pending.m_value.IsEmpty()) append();
    const size_t next = s.find_first_not_of(L' ', i + 1);
    s = next == std::wstring::npos ? std::wstring() : s.substr(next);
  }
  if (!pending.m_name.IsEmpty()) append();
}

int CFilePath::GetArgCount() {
  FillArgArray();
  return static_cast<int>(m_argList.size());
}

CString CFilePath::GetArgument(int i, int nameWanted) {
  if (i < 0) {
    if (!m_args.IsEmpty()) return m_args;
    CString text;
    for (const CArgument& arg : m_argList) {
      if (!arg.m_name.IsEmpty())
        text.AppendFormat(L" %lc%ls", arg.m_switch, arg.m_name.GetString());
      if (arg.m_value.IsEmpty()) continue;
      if (arg.m_value.Find(L' ') < 0)
        text += L" " + arg.m_value;
      else
        text += L" \"" + arg.m_value + L"\"";
    }
    m_args = text.TrimLeft();
    return m_args;
  }
  FillArgArray();
  if (static_cast<size_t>(i) >= m_argList.size()) return {};
  const CArgument& arg = m_argList[static_cast<size_t>(i)];
  return nameWanted ? arg.m_name : arg.m_value;
}

void CFilePath::SetArguments(const wchar_t* text) {
  m_argList.clear();
  m_args = text ? text : L"";
}

void CFilePath::AddSetArgument(const wchar_t* name, const wchar_t* value) {
  const int found = FindArgument(name);
  if (found >= 0) {
    m_argList[static_cast<size_t>(found)].m_value = value ? value : L"";
  } else {
    CArgument arg(L'/', name ? name : L"", value ? value : L"");
    arg.Normalize();
    m_argList.push_back(arg);
  }
  m_args.Empty();  // rebuilt from the list when next asked
}

void CFilePath::RemoveArgument(int i) {
  FillArgArray();
  if (i < 0 || static_cast<size_t>(i) >= m_argList.size()) return;
  m_argList.erase(m_argList.begin() + i);
  m_args.Empty();
}

int CFilePath::FindArgument(const wchar_t* name) {
  FillArgArray();
  CArgument wanted(L'/', name ? name : L"", L"");
  wanted.Normalize();
  if (wanted.m_name.IsEmpty()) return -1;
  for (size_t i = 0; i < m_argList.size(); ++i)
    if (m_argList[i].m_name.CompareNoCase(wanted.m_name) == 0) return static_cast<int>(i);
  return -1;
}

CString CFilePath::AddBackSlash(const CString& s, int forward) {
  if (s.IsEmpty() || isSeparator(s.GetAt(s.GetLength() - 1))) return s;
  return s + (forward ? L'/' : L'\\');
}

CString CFilePath::RemoveBackSlash(const CString& s) {
  if (!s.IsEmpty() && isSeparator(s.GetAt(s.GetLength() - 1))) return s.Left(s.GetLength() - 1);
  return s;
}
