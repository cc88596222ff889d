#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sdk/win/CString.h"
#include "sdk/win/CStringArray.h"
#include "sdk/win/CTime.h"
#include "sdk/win/VexaFileServices.h"
#include "xqcmdutil/XqCmdUtilExport.h"

// One argument of a command line: a switch character ('/' or '-'), a name, a value; either of
// the last two may be empty.
class XQCMDUTIL_EXPORT CArgument {
 public:
  CArgument() = default;
  CArgument(wchar_t switchChar, const CString& name, const CString& value)
      : m_switch(switchChar), m_name(name), m_value(value) {}
  virtual ~CArgument() = default;
  CArgument(const CArgument&) = default;
  CArgument& operator=(const CArgument&) = default;

  // Drops every '/' (the switch becomes '/'), then every '-' (it becomes '-') and every blank
  // from the name; a name with neither keeps the switch it had.
  void Normalize();

  wchar_t m_switch = L'/';
  CString m_name;
  CString m_value;
};

// A Windows path, possibly followed by command-line arguments, taken apart into drive,
// directories, file title, extension and arguments, and built again from them; with what the
// system knows of the file. Backslash separates directories (slashes are turned into
// backslashes). A path that starts with two separators is on a share ("\\server\share\..."),
// one that starts with one separator is rooted without a drive (a POSIX path here). Paths have
// no length limit.
class XQCMDUTIL_EXPORT CFilePath {
 public:
  CFilePath() = default;
  CFilePath(const wchar_t* path, int isDirectory = 0, int hasArguments = 0) {  // NOLINT
    SetPath(path, isDirectory, hasArguments);
  }
  explicit CFilePath(int which) { SetPath(which); }
  CFilePath(const CFilePath&) = default;
  CFilePath(CFilePath&&) = default;
  CFilePath& operator=(const CFilePath&) = default;
  CFilePath& operator=(CFilePath&&) = default;
  CFilePath& operator=(const wchar_t* path) {
    SetPath(path, 0, 0);
    return *this;
  }
  virtual ~CFilePath() = default;

  // GetPath(0, 0), valid until the next conversion or change.
  operator const wchar_t*();  // NOLINT: used as a string by the older interfaces

  // Takes a path apart. With `isDirectory` the last name is a directory too; with
  // `hasArguments` what follows the first blank outside quotation marks is the arguments.
  // Enclosing quotation marks are removed. A null path leaves everything empty.
  void SetPath(const wchar_t* path, int isDirectory = 0, int hasArguments = 0);
  // 0: the process's command line, with arguments; 1: its executable. Others do nothing.
  void SetPath(int which);

  bool IsLocalPath() const { return !m_drive.IsEmpty() && !m_relative; }
  bool IsRelativePath() const { return m_relative; }
  bool IsFilePath() const { return !m_title.IsEmpty(); }
  // Whether the file (0 when this is no file path) or its location is there.
  int ExistFile() const;
  int ExistLocation() const;

  const CString& GetDrive() const { return m_drive; }
  int GetDirCount();
  // i < 0: the whole directory part; out of range: empty; else the i-th directory name.
  CString GetDir(int i = -1);
  CString GetLocation() const { return m_drive + m_dir; }
  const CString& GetFileTitle() const { return m_title; }
  const CString& GetExtName() const { return m_ext; }
  CString GetExtension() const { return m_ext.IsEmpty() ? CString() : L"." + m_ext; }
  CString GetFileName() const { return m_title + GetExtension(); }
  // The path as given or as built from its parts; with `withArgs` followed by a blank and the
  // arguments (a built path with blanks is then quoted).
  CString GetPath(int withArgs = 0, int asGiven = 0);
  CString GetShortPath();
  CString GetLongPath();
  // A relative path made absolute against `base`: empty when the path is not relative, base
  // is empty, or the result cannot be made.
  CString GetAbsolutePath(const wchar_t* base);
  // The path relative to the directory `base`: empty when the path is relative or base is
  // empty; the whole path when they share no root.
  CString GetRelativePath(const wchar_t* base);
  // The volume label (or the server's name for a share when `useServerName`); cached.
  CString GetDriveLabel(int useServerName = 0);
  // Size and times of the file, without opening it; nonzero on success. `which`: 0 creation,
  // 2 last write, others last access.
  int GetFileSize(std::uint64_t& size);
  int GetFileTime(CTime& time, int which);

  int GetArgCount();
  // i < 0: the whole argument text; out of range: empty; else the i-th argument's name (when
  // `nameWanted`) or value.
  CString GetArgument(int i = -1, int nameWanted = 0);
  void SetArguments(const wchar_t* text);
  // Sets the value of the argument `name`, or adds it; the argument text follows.
  void AddSetArgument(const wchar_t* name, const wchar_t* value);
  void RemoveArgument(int i);
  // Index of the argument whose normalised name matches `name` without regard to case, or -1.
  int FindArgument(const wchar_t* name);

  static CString AddBackSlash(const CString& s, int forward = 0);
  static CString RemoveBackSlash(const CString& s);

 private:
  void FillDirArray();
  void FillArgArray();
  int FillFileInformation();
  // Drive, directory, title and extension put together.
  std::wstring builtPath() const;

  CString m_given;
  CString m_drive;
  CString m_driveLabel;
  CStringArray m_dirs;
  CString m_dir;
  CString m_title;
  CString m_ext;
  CString m_args;
  std::vector<CArgument> m_argList;
  bool m_relative = false;
  VexaFileInformation m_info;
  CString m_cache;
};
