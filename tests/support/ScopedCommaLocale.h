#pragma once

#include <locale>
#include <memory>
#include <optional>
#include <string>

#include "tests/support/ScopedEnv.h"
#include "tests/support/TempFolder.h"

// Makes the process read and write numbers with a decimal comma for a scope, then puts the
// former locales back. The C++ global locale gets a comma in every case; the C library's
// numeric locale gets one when a comma locale is installed, or can be compiled from the
// system's locale sources into a folder of the test (LOCPATH).
class ScopedCommaLocale {
 public:
  ScopedCommaLocale();
  ~ScopedCommaLocale();
  ScopedCommaLocale(const ScopedCommaLocale&) = delete;
  ScopedCommaLocale& operator=(const ScopedCommaLocale&) = delete;

  // Whether the C library's conversions (strtod, printf) now use the comma.
  bool cLibraryUsesComma() const;
  // The name of the C numeric locale in force, for messages.
  const std::string& cLocaleName() const { return cName_; }

 private:
  bool trySetNumeric(const char* name);

  std::string savedAll_;
  std::string savedNumeric_;
  std::locale savedGlobal_;
  std::optional<TempFolder> compiled_;
  std::unique_ptr<ScopedEnv> locpath_;
  std::string cName_ = "C";
};
