#pragma once

#include <locale.h>

#include <string>

// The user's default locale for character classification. It is the locale that the
// environment names for character types (LC_ALL, else LC_CTYPE, else LANG) when that is a UTF-8
// locale the system has; otherwise "C.UTF-8", so that the letters and digits of every script
// classify whatever the environment says ("C" only on a system without "C.UTF-8"). Only the
// character-type category is taken from it; the other categories are those of "C". It is made
// once, on first use, and lives as long as the process.
class VexaUserLocale {
 public:
  static locale_t ctype();
  // The name of the locale in use ("C.UTF-8", "de_DE.UTF-8", ...).
  static const std::string& name();
};

// While it lives, the calling thread classifies characters (iswalnum and the other wide
// classification functions) in the user's default locale, and every other category in "C".
// The thread's own locale comes back when it ends. The process locale (setlocale) is neither
// read nor changed, so other threads and later calls see it as they found it.
class VexaUserCTypeScope {
 public:
  VexaUserCTypeScope();
  ~VexaUserCTypeScope();
  VexaUserCTypeScope(const VexaUserCTypeScope&) = delete;
  VexaUserCTypeScope& operator=(const VexaUserCTypeScope&) = delete;

 private:
  locale_t previous_;
};
