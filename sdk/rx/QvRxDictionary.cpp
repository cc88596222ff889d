#include "sdk/rx/QvRxDictionary.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "sdk/base/QvString.h"
#include "sdk/rx/QvRxClassRegistry.h"

QVRX_DEFINE_HOST_MEMBERS(QvRxDictionary)

QvRxDictionary::~QvRxDictionary() {
  if (owns_)
    for (auto& [key, value] : entries_) delete value;
}

QvRxObject* QvRxDictionary::at(const wchar_t* key) const {
  if (!key) return nullptr;
  const auto it = entries_.find(key);
  return it == entries_.end() ? nullptr : it->second;
}

QvRxObject* QvRxDictionary::atPut(const wchar_t* key, QvRxObject* value) {
  if (!key) return nullptr;
  QvRxObject*& slot = entries_[key];
  QvRxObject* previous = slot;
  slot = value;
  if (owns_ && previous && previous != value) {
    delete previous;
    return nullptr;
  }
  return previous == value ? nullptr : previous;
}

QvRxObject* QvRxDictionary::release(const wchar_t* key) {
  if (!key) return nullptr;
  const auto it = entries_.find(key);
  if (it == entries_.end()) return nullptr;
  QvRxObject* value = it->second;
  entries_.erase(it);
  return value;
}

QvRxObject* QvRxDictionary::remove(const wchar_t* key) {
  QvRxObject* value = release(key);
  if (owns_) {
    delete value;
    return nullptr;
  }
  return value;
}

std::vector<std::wstring> QvRxDictionary::keys() const {
  std::vector<std::wstring> out;
  out.reserve(entries_.size());
  for (const auto& [key, value] : entries_) out.push_back(key);
  return out;
}

QvRxDictionary* qvrxSysRegistry() { return QvRxClassRegistry::instance().sysRegistry(); }

namespace {

void defaultAbortHandler(const wchar_t* message) {
  std::fprintf(stderr, "fatal: %s\n", QvString(message).utf8().c_str());
  std::fflush(stderr);
  std::abort();
}

QvRxAbortHandler gAbortHandler = defaultAbortHandler;

}  // namespace

QvRxAbortHandler qvrxSetAbortHandler(QvRxAbortHandler handler) {
  QvRxAbortHandler previous = gAbortHandler;
  gAbortHandler = handler ? handler : defaultAbortHandler;
  return previous;
}

void qvrx_abort(const wchar_t* format, ...) {
  QvString message;
  va_list args;
  va_start(args, format);
  vexaFormatVS(message, format ? format : L"", args);
  va_end(args);
  gAbortHandler(message.c_str());
  std::abort();  // a handler that returns still ends the process
}
