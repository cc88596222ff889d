#include "tests/support/ScopedCommaLocale.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

// The classic locale's numbers with a decimal comma and a full stop between thousands.
class CommaPunct : public std::numpunct<char> {
 protected:
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

class WideCommaPunct : public std::numpunct<wchar_t> {
 protected:
  wchar_t do_decimal_point() const override { return L','; }
  wchar_t do_thousands_sep() const override { return L'.'; }
  std::string do_grouping() const override { return "\3"; }
};

constexpr const char* kInstalled[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8",
                                      "nl_NL.UTF-8", "nl_NL.utf8", "de_DE",       "fr_FR"};

}  // namespace

ScopedCommaLocale::ScopedCommaLocale() : savedGlobal_(std::locale()) {
  const char* all = std::setlocale(LC_ALL, nullptr);
  savedAll_ = all ? all : "C";
  const char* numeric = std::setlocale(LC_NUMERIC, nullptr);
  savedNumeric_ = numeric ? numeric : "C";
  bool done = false;
  for (const char* name : kInstalled)
    if ((done = trySetNumeric(name))) break;
  // Otherwise a numeric category of its own, compiled into the test's folder.
  if (!done && std::filesystem::exists("/usr/bin/localedef")) {
    compiled_.emplace();
    const std::string source =
        compiled_->file("comma.src",
                        "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\ngrouping 3;3\n"
                        "END LC_NUMERIC\n");
    const std::string command = "/usr/bin/localedef -c -i '" + source + "' -f UTF-8 '" +
                                compiled_->path("comma.UTF-8") + "' >/dev/null 2>&1";
    // localedef warns of the categories left out (status 1) and still writes this one.
    const int status = std::system(command.c_str());
    if (status >= 0 && std::filesystem::exists(compiled_->path("comma.UTF-8/LC_NUMERIC"))) {
      locpath_ = std::make_unique<ScopedEnv>("LOCPATH", compiled_->path(""));
      done = trySetNumeric("comma.UTF-8");
    }
  }
  std::locale comma(std::locale::classic(), new CommaPunct);
  std::locale::global(std::locale(comma, new WideCommaPunct));
  // std::locale::global sets the C locale too when the new locale has a name; this one has
  // none, but keep the C numeric category as chosen above in any case.
  if (done) std::setlocale(LC_NUMERIC, cName_.c_str());
}

ScopedCommaLocale::~ScopedCommaLocale() {
  std::locale::global(savedGlobal_);
  std::setlocale(LC_ALL, savedAll_.c_str());
  locpath_.reset();
}

bool ScopedCommaLocale::trySetNumeric(const char* name) {
  if (!std::setlocale(LC_NUMERIC, name)) return false;
  if (!cLibraryUsesComma()) {
    std::setlocale(LC_NUMERIC, savedNumeric_.c_str());
    return false;
  }
  cName_ = name;
  return true;
}

bool ScopedCommaLocale::cLibraryUsesComma() const {
  const std::lconv* conv = std::localeconv();
  return conv && conv->decimal_point && std::strcmp(conv->decimal_point, ",") == 0;
}
