#pragma once

#include <string>

#include "sdk/base/QvString.h"

// The host's path class: a path in Windows syntax taken apart, what lies at it on this system
// (through VexaDriveMap), and the removal of the file it names.
class CQvUiPathname {
 public:
  enum PathStatus {
    kNoPath,      // nothing parsed yet, or an empty path
    kBadPath,     // a character no file name may hold (control characters, < > " | ? *, a
                  // colon after the drive), or only a root or a drive
    kNoRoot,      // its drive or share is not mapped
    kNoFolder,    // its folder is not there
    kNewFile,     // its folder is there and nothing is at the path
    kFileExists,  // a regular file
    kDirectory,   // a folder
    kOtherFile,   // something that is neither (a FIFO, a device)
  };

  // Takes a path apart: blanks around it and one pair of enclosing quotation marks go, "." and
  // ".." are resolved, slashes become backslashes. Answers the status, also kept.
  PathStatus parse(const QvString& path);
  PathStatus status() const { return status_; }
  // Whether the path was taken apart (a status other than kNoPath and kBadPath).
  bool isParsed() const { return status_ != kNoPath && status_ != kBadPath; }
  // Whether it names a regular file.
  bool isFile() const { return status_ == kFileExists; }

  // The resolved path; its folder part with the trailing separator; the name with its
  // extension; the extension without its full stop.
  const QvString& path() const { return path_; }
  QvString directory() const;
  QvString fileName() const;
  QvString extension() const;
  // Whether the extension is `extension` (with or without its full stop), ignoring case.
  bool verifyExtension(const QvString& extension) const;
  // The name of the path on this system; empty when its root is not mapped.
  const std::string& localName() const { return local_; }

  // Removes the file the path names. True when it named a regular file and it is gone (the
  // status becomes kNewFile); false, nothing removed, for anything else (a folder is never
  // removed).
  bool remove();

 private:
  PathStatus status_ = kNoPath;
  QvString path_;
  std::string local_;
};
