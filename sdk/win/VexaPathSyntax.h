#pragma once

#include <string>
#include <string_view>

// Windows path syntax as pure string functions, with no limit on length. Backslash and slash
// both separate; "X:" at the start is a drive; a path that starts with two separators names a
// share ("\\server\share"); one that starts with one separator is rooted without a drive (on
// this system, a POSIX path). Names on a drive or share compare without regard to case, rooted
// names without a drive with regard to it, as the file systems behind them do.

inline bool vexaIsPathSeparator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

// The argument part of a command line: what follows the first blank outside quotation marks
// (empty when there is none).
std::wstring PathGetArgs(std::wstring_view commandLine);
// Cuts the argument part and the blanks before it from a command line.
void PathRemoveArgs(std::wstring& commandLine);
// Removes one pair of enclosing quotation marks.
void PathUnquoteSpaces(std::wstring& path);
std::wstring_view PathUnquoteSpaces(std::wstring_view path);

// A path split as the run-time library splits it: drive ("C:"), directory with its leading
// and trailing separators, file name, and extension with its full stop; views of the path.
struct VexaPathParts {
  std::wstring_view drive;
  std::wstring_view dir;
  std::wstring_view fname;
  std::wstring_view ext;
};
VexaPathParts vexaSplitPath(std::wstring_view path);

// The root of a path: "C:\" (or "C:" for a drive-relative path), "\\server\share", "\" for a
// rooted path, empty for a relative one.
std::wstring_view vexaPathRoot(std::wstring_view path);

// Resolves "." and ".." (never above the root) and turns slashes into backslashes. False for
// an empty path.
bool PathCanonicalize(std::wstring& out, std::wstring_view path);

// The path from `from` to `to`, starting ".\" or "..\": false when they do not share a root.
// A `from` that is a file counts from its directory; a `to` that is a directory keeps its
// trailing separator.
bool PathRelativePathTo(std::wstring& out, std::wstring_view from, bool fromIsDirectory,
                        std::wstring_view to, bool toIsDirectory);

// Whether both paths have the same, non-empty root.
bool PathIsSameRoot(std::wstring_view a, std::wstring_view b);
