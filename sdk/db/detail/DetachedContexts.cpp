#include "sdk/db/detail/DetachedContexts.h"

#include <unordered_map>

namespace qvdb_detail {

namespace {

// Never destroyed: objects may go after static destruction has begun.
std::unordered_map<const QvDbObject*, QvArray<QvString>>& kept() {
  static auto* names = new std::unordered_map<const QvDbObject*, QvArray<QvString>>();
  return *names;
}

}  // namespace

QvArray<QvString> detachedContexts(const QvDbObject* obj) {
  const auto it = kept().find(obj);
  return it == kept().end() ? QvArray<QvString>() : it->second;
}

void setDetachedContexts(const QvDbObject* obj, const QvArray<QvString>& names) {
  if (names.isEmpty())
    kept().erase(obj);
  else
    kept()[obj] = names;
}

void forgetDetachedContexts(const QvDbObject* obj) {
  if (!kept().empty()) kept().erase(obj);
}

}  // namespace qvdb_detail
