// XqDbUtil: ranges of system variables and splitting strings.
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/ed/VexaSysvarData.h"
#include "xqcmdutil/XqDbUtil.h"

namespace {

const char* skipSpace(const char* p) {
  while (std::isspace(static_cast<unsigned char>(*p))) ++p;
  return p;
}

// An int at `p` (optional sign, digits): true with the value and `p` past it; false for no
// digits or a value outside the int range.
bool readInt(const char*& p, int& value) {
  const char* digits = (*p == '+' || *p == '-') ? p + 1 : p;
  if (!std::isdigit(static_cast<unsigned char>(*digits))) return false;
  char* end = nullptr;
  errno = 0;
  const long parsed = std::strtol(p, &end, 10);
  if (errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX) return false;
  value = static_cast<int>(parsed);
  p = end;
  return true;
}

}  // namespace

int XqDbUtil::getShortRange(const char* text, int& min, int& max) {
  if (!text) return 0;
  const char* p = skipSpace(text);
  int lo = 0;
  int hi = 0;
  if (!readInt(p, lo)) return 0;
  p = skipSpace(p);
  if (*p != '_') return 0;
  p = skipSpace(p + 1);
  if (!readInt(p, hi) || *skipSpace(p) != '\0' || lo > hi) return 0;
  min = lo;
  max = hi;
  return 1;
}

bool XqDbUtil::GetSysVarRange(const QvString& name, double& min, double& max) {
  const VexaSysvarData* data = vexaFindSysvarData(name.c_str());
  if (!data || data->type != kRbShort) return false;
  int lo = 0;
  int hi = 0;
  if (getShortRange(data->range, lo, hi) == 1) {
    min = lo;
    max = hi;
    return true;
  }
  if (data->flags & kSysVarTwoStateMask) {
    min = 0;
    max = 1;
    return true;
  }
  return false;
}

int XqDbUtil::SplitString(const QvString& text, const QvString& separator,
                          QvArray<QvString>& parts) {
  if (text.isEmpty() || separator.isEmpty() || text.find(separator) < 0) return 0;
  int count = 0;
  int start = 0;
  while (start <= text.length()) {
    int next = text.find(separator, start);
    if (next < 0) next = text.length();
    if (next > start) {
      parts.append(text.mid(start, next - start));
      ++count;
    }
    start = next + separator.length();
  }
  return count;
}
