#pragma once

#include <map>
#include <string>
#include <vector>

#include "sdk/rx/QvRxObject.h"

// A dictionary of runtime objects by name, as the host's system registry and its class
// dictionary are. Names are case-sensitive. An owning dictionary deletes its values when they
// are replaced or removed and when it is destroyed.
class QvRxDictionary : public QvRxObject {
 public:
  QVRX_DECLARE_MEMBERS(QvRxDictionary);

  explicit QvRxDictionary(bool ownsValues = false) : owns_(ownsValues) {}
  QvRxDictionary(const QvRxDictionary&) = delete;
  QvRxDictionary& operator=(const QvRxDictionary&) = delete;
  ~QvRxDictionary() override;

  QvRxObject* at(const wchar_t* key) const;
  // Stores `value` under `key`; answers the value it replaced (deleted and null when owning).
  QvRxObject* atPut(const wchar_t* key, QvRxObject* value);
  // Removes `key`; answers the removed value (deleted and null when owning).
  QvRxObject* remove(const wchar_t* key);
  bool has(const wchar_t* key) const { return at(key) != nullptr; }
  int numEntries() const { return static_cast<int>(entries_.size()); }
  // Keys in name order.
  std::vector<std::wstring> keys() const;
  // Removes without deleting, whatever the ownership (for values owned elsewhere).
  QvRxObject* release(const wchar_t* key);

 private:
  bool owns_;
  std::map<std::wstring, QvRxObject*> entries_;
};

// The host's system registry: a dictionary with, among others, the entries "ClassDictionary"
// (every runtime class by name) and "DynamicLinker" (the module loader).
QvRxDictionary* qvrxSysRegistry();
inline constexpr const wchar_t* kQvRxClassDictionary = L"ClassDictionary";
inline constexpr const wchar_t* kQvRxDynamicLinker = L"DynamicLinker";

// Fatal error of the runtime: formats the message and hands it to the abort handler, which
// must not return. The default handler prints the message to the error stream and aborts the
// process; tests install one that throws.
using QvRxAbortHandler = void (*)(const wchar_t* message);
[[noreturn]] void qvrx_abort(const wchar_t* format, ...);
QvRxAbortHandler qvrxSetAbortHandler(QvRxAbortHandler handler);
