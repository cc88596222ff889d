#include "sdk/win/VexaUserLocale.h"

#include <langinfo.h>

#include <cstdlib>
#include <cstring>

namespace {

// The locale name the environment gives for character types, POSIX precedence.
const char* environmentName() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return value;
  }
  return nullptr;
}

bool isUtf8(locale_t locale) {
  const char* codeset = nl_langinfo_l(CODESET, locale);
  return codeset && std::strcmp(codeset, "UTF-8") == 0;
}

class UserLocale {
 public:
  UserLocale() {
    if (const char* wanted = environmentName()) {
      locale_ = newlocale(LC_CTYPE_MASK, wanted, static_cast<locale_t>(nullptr));
      if (locale_ && isUtf8(locale_)) {
        name_ = wanted;
        return;
      }
      if (locale_) freelocale(locale_);
    }
    for (const char* fallback : {"C.UTF-8", "C"}) {
      locale_ = newlocale(LC_CTYPE_MASK, fallback, static_cast<locale_t>(nullptr));
      if (locale_) {
        name_ = fallback;
        return;
      }
    }
  }
  ~UserLocale() {
    if (locale_) freelocale(locale_);
  }
  UserLocale(const UserLocale&) = delete;
  UserLocale& operator=(const UserLocale&) = delete;

  locale_t locale() const { return locale_; }
  const std::string& name() const { return name_; }

 private:
  locale_t locale_ = static_cast<locale_t>(nullptr);
  std::string name_;
};

const UserLocale& userLocale() {
  static const UserLocale instance;
  return instance;
}

}  // namespace

locale_t VexaUserLocale::ctype() {
  return userLocale().locale();
}

const std::string& VexaUserLocale::name() {
  return userLocale().name();
}

VexaUserCTypeScope::VexaUserCTypeScope() : previous_(uselocale(static_cast<locale_t>(nullptr))) {
  if (locale_t user = VexaUserLocale::ctype()) uselocale(user);
}

VexaUserCTypeScope::~VexaUserCTypeScope() {
  uselocale(previous_);
}
