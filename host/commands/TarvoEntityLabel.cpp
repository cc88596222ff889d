#include "host/commands/TarvoEntityLabel.h"

#include <string>
#include <string_view>

#include "sdk/db/QvDbEntity.h"
#include "sdk/rx/QvRxClass.h"
#include "xqcmdutil/QvDbEntityInternalBasePE.h"

QvString TarvoEntityLabel::of(const QvDbEntity& entity) {
  const QvRxClass* cls = entity.isA();
  std::wstring_view name = cls ? cls->name() : L"?";
  if (name.starts_with(L"QvDb")) name.remove_prefix(4);
  return QvString::format(L"%s %s", std::wstring(name).c_str(), entity.handle().ascii().c_str());
}

QvDbEntityInternalBasePE* TarvoEntityLabel::internalExtension(const QvDbEntity& entity) {
  return QvDbEntityInternalBasePE::cast(entity.x(QvDbEntityInternalBasePE::desc()));
}
