#pragma once

#include "sdk/base/QvString.h"

// A file name of the host, in Windows syntax (see VexaPathSyntax): its parts, its kind, its
// read-only state and its form relative to a folder.
class QvFileStringName {
 public:
  enum Kind {
    kAbsolute,         // a drive and root ("C:\..."), a share, or a rooted path of this system
    kRelativeToRoot,   // rooted without a drive ("\plans\a.dwg")
    kRelativeToUpDir,  // starting with the parent folder ("..\a.dwg")
  };

  explicit QvFileStringName(const QvString& name) : name_(name) {}

  const QvString& name() const { return name_; }
  // The name and extension after the last separator ("a.dwg"), the extension with its full
  // stop (".dwg", empty when there is none), and the folder part with its trailing separator.
  QvString fileName() const;
  QvString extension() const;
  QvString directory() const;
  bool isIt(Kind kind) const;
  // Whether the file is there and may not be written.
  bool isReadOnly() const;
  // The name relative to the folder `directory` (".\" dropped); false, and the name left as
  // it is, when they share no root or either is empty.
  bool convertToRelative(const QvString& directory);

 private:
  QvString name_;
};
