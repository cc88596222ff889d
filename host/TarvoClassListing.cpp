#include "host/TarvoClassListing.h"

#include <map>
#include <ostream>
#include <string>

#include "sdk/rx/QvRxClass.h"
#include "sdk/rx/QvRxDictionary.h"

namespace {

std::string utf8(const wchar_t* text) {
  return QvString(text).utf8();
}

}  // namespace

void writeTarvoClassListing(std::ostream& out) {
  const auto* classes = QvRxDictionary::cast(qvrxSysRegistry()->at(kQvRxClassDictionary));
  if (!classes) return;
  const QvRxClass* entity = qvrxFindQvRxClass(L"QvDbEntity");
  int classCount = 0;
  int extensionCount = 0;
  for (const std::wstring& name : classes->keys()) {
    const QvRxClass* cls = QvRxClass::cast(classes->at(name.c_str()));
    if (!cls) continue;
    ++classCount;
    out << utf8(cls->name());
    if (*cls->parentName()) {
      out << " : " << utf8(cls->myParent() ? cls->myParent()->name() : cls->parentName());
      if (!cls->myParent()) out << " (not registered)";
    }
    out << '\n';
    if (!entity || !cls->isDerivedFrom(entity)) continue;
    // By protocol name, so that the listing does not depend on where classes were allocated.
    std::map<std::string, std::string> attached;
    for (const auto& [protocol, extension] : cls->extensions()) {
      const QvRxClass* extensionClass = extension ? extension->isA() : nullptr;
      attached[utf8(protocol->name())] =
          extensionClass ? utf8(extensionClass->name()) : std::string("(unknown)");
    }
    for (const auto& [protocol, extensionClass] : attached)
      out << "    + " << protocol << ": " << extensionClass << '\n';
    extensionCount += static_cast<int>(attached.size());
  }
  out << classCount << " runtime classes, " << extensionCount
      << " protocol extensions attached to entity classes\n";
}
