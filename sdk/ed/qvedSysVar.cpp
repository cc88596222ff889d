#include "sdk/ed/qvedSysVar.h"

#include "sdk/ed/VexaSysVarService.h"

int qvedGetVar(const wchar_t* name, resbuf* result) {
  VexaSysVarService* vars = VexaSysVarService::current();
  if (!vars || !name || !result) return kQvError;
  const std::optional<VexaSysVarValue> value = vars->get(name);
  if (!value || !value->toResbuf(*result)) return kQvError;
  return kQvNormal;
}

int qvedSetVar(const wchar_t* name, const resbuf* value) {
  VexaSysVarService* vars = VexaSysVarService::current();
  if (!vars || !name || !value) return kQvError;
  const std::optional<VexaSysVarValue> typed = VexaSysVarValue::fromResbuf(*value);
  if (!typed) return kQvError;
  switch (vars->set(name, *typed)) {
    case VexaSysVarResult::kOk:
      return kQvNormal;
    case VexaSysVarResult::kOutOfRange:
      return kQvRejected;
    default:
      return kQvError;
  }
}
