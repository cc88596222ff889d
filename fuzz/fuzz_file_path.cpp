// CFilePath::SetPath on any text. The first byte gives the directory and argument flags; the
// rest is UTF-8 text. Every part can be asked for, and the path built from the parts (when they
// are names: without quotation marks), taken apart and built again, is built the same.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "sdk/base/qvUtf8.h"
#include "xqcmdutil/CFilePath.h"

namespace {

struct Parts {
  std::wstring drive, dir, title, ext, args;
  bool relative = false;
  int dirs = 0, argCount = 0;
  bool operator==(const Parts&) const = default;
};

std::wstring wide(const CString& s) {
  return std::wstring(static_cast<const wchar_t*>(s));
}

Parts partsOf(CFilePath& path) {
  Parts p;
  p.drive = wide(path.GetDrive());
  p.dir = wide(path.GetDir());
  p.title = wide(path.GetFileTitle());
  p.ext = wide(path.GetExtName());
  p.args = wide(path.GetArgument());
  p.relative = path.IsRelativePath();
  p.dirs = path.GetDirCount();
  p.argCount = path.GetArgCount();
  for (int i = -1; i <= p.dirs; ++i) path.GetDir(i);
  for (int i = -1; i <= p.argCount; ++i) {
    path.GetArgument(i, 0);
    path.GetArgument(i, 1);
  }
  return p;
}

std::string describe(const Parts& p) {
  return qvNarrowUtf8(L"drive [" + p.drive + L"] dir [" + p.dir + L"] title [" + p.title +
                      L"] ext [" + p.ext + L"] args [" + p.args + L"] relative " +
                      (p.relative ? L"yes" : L"no"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int isDirectory = data[0] & 1;
  const int hasArguments = (data[0] >> 1) & 1;
  const std::string utf8(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::wstring text = qvWidenUtf8(utf8);

  CFilePath path;
  path.SetPath(text.c_str(), isDirectory, hasArguments);
  const Parts parts = partsOf(path);
  path.GetPath(0, 1);
  path.GetAbsolutePath(L"C:\\base\\dir");
  path.GetRelativePath(L"C:\\base\\dir");
  path.FindArgument(L"x");

  // A quotation mark is in no Windows name: parts that hold one have no faithful built form.
  const std::wstring names = parts.drive + parts.dir + parts.title + parts.ext;
  if (names.find(L'"') != std::wstring::npos) return 0;
  // Names the split takes as extensions alone (".profile": no file) or with an empty one
  // ("a.b.": title "a.b") are not built back to themselves; that is how paths are split.
  const std::wstring file = parts.title + (parts.ext.empty() ? L"" : L"." + parts.ext);
  if (!file.empty() && (file.front() == L'.' || file.back() == L'.')) return 0;
  // The path built from the parts is their normal form: taken apart and built again, it stays.
  // Only arguments that are there quote a path with blanks, so without them it is built bare.
  const int withArgs = hasArguments && !parts.args.empty();
  const std::wstring built = wide(path.GetPath(withArgs, 0));
  CFilePath again;
  again.SetPath(built.c_str(), isDirectory, withArgs);
  const Parts reread = partsOf(again);
  const std::wstring rebuilt = wide(again.GetPath(withArgs, 0));
  if (rebuilt != built)
    fuzzFinding("the path built from its parts is built differently after taking it apart",
                describe(parts) + "\nbuilt " + qvNarrowUtf8(built) + "\n" + describe(reread) +
                    "\nbuilt " + qvNarrowUtf8(rebuilt));
  return 0;
}
