#include "sdk/app/VexaFileTools.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cwchar>
#include <optional>
#include <string>
#include <string_view>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/qvUtf8.h"
#include "sdk/win/VexaDriveMap.h"

namespace {

bool validUtf8(std::string_view bytes) {
  return qvNarrowUtf8(qvWidenUtf8(bytes)) == bytes;
}

std::wstring utf16(std::string_view bytes, bool bigEndian) {
  std::wstring out;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
    const auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
    char32_t unit = (static_cast<char32_t>(hi) << 8) | lo;
    if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
      const auto hi2 = static_cast<unsigned char>(bytes[bigEndian ? i + 2 : i + 3]);
      const auto lo2 = static_cast<unsigned char>(bytes[bigEndian ? i + 3 : i + 2]);
      const char32_t low = (static_cast<char32_t>(hi2) << 8) | lo2;
      if (low >= 0xDC00 && low < 0xE000) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    out += static_cast<wchar_t>(unit);
  }
  return out;
}

}  // namespace

void VexaFileTools::readString(const void* data, size_t length, int /*encodingHint*/,
                               QvString& text) {
  if (!data) {
    text.empty();
    return;
  }
  std::string_view bytes(static_cast<const char*>(data), length);
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    text = qvWidenUtf8(bytes.substr(3));
  } else if (bytes.starts_with("\xFF\xFE")) {
    text = utf16(bytes.substr(2), false);
  } else if (bytes.starts_with("\xFE\xFF")) {
    text = utf16(bytes.substr(2), true);
  } else if (validUtf8(bytes)) {
    text = qvWidenUtf8(bytes);
  } else {
    std::wstring latin1;
    for (char c : bytes) latin1 += static_cast<wchar_t>(static_cast<unsigned char>(c));
    text = latin1;
  }
}

int VexaFileTools::appendToTextFile(const QvString& name, const QvString& text) {
  if (name.isEmpty() || text.isEmpty()) return kQvError;
  const std::optional<std::string> local = VexaDriveMap::localName(name.wstr());
  if (!local) return kQvError;
  // Not blocking on a FIFO, and only a regular file is written.
  const int fd =
      ::open(local->c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0644);
  if (fd < 0) return kQvError;
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  const std::string bytes = text.utf8();
  for (size_t done = 0; ok && done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0)
      ok = false;
    else
      done += static_cast<size_t>(n);
  }
  ::close(fd);
  return ok ? kQvNormal : kQvError;
}

short standardColorIndex(const wchar_t* name) {
  if (!name) return -1;
  const QvString key = QvString(name).trim().makeLower();
  static const wchar_t* const kNames[] = {L"byblock", L"red",  L"yellow",  L"green",
                                          L"cyan",    L"blue", L"magenta", L"white"};
  for (short i = 0; i < 8; ++i)
    if (key == kNames[i]) return i;
  if (key == L"bylayer") return 256;
  if (key.isEmpty() || key.length() > 3) return -1;
  int value = 0;
  for (wchar_t c : key.wstr()) {
    if (c < L'0' || c > L'9') return -1;
    value = value * 10 + (c - L'0');
  }
  return value <= 256 ? static_cast<short>(value) : -1;
}
