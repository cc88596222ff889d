#include "sdk/app/VexaSessionTempFolder.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "sdk/base/qvUtf8.h"

VexaSessionTempFolder::~VexaSessionTempFolder() {
  if (path_.empty()) return;
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

QvString VexaSessionTempFolder::folder() {
  if (path_.empty()) {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/tarvo-session-XXXXXX";
    if (::mkdtemp(pattern.data())) path_ = pattern;  // mkdtemp makes it 0700
  }
  return path_.empty() ? QvString() : QvString(qvWidenUtf8(path_ + "/"));
}

QvString VexaSessionTempFolder::reserve(const QvString& prefix, const QvString& extension) {
  const QvString dir = folder();
  if (dir.isEmpty()) return {};
  for (int n = 1; n <= 32767; ++n) {
    const QvString name = dir + prefix + QvString::format(L"%d", n) + extension;
    const int fd = ::open(name.utf8().c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
      ::close(fd);
      return name;
    }
    if (errno != EEXIST) return {};
  }
  return {};
}
