#include "host/commands/TarvoSelectionSet.h"

#include "host/commands/TarvoCommandInput.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbAdsName.h"
#include "sdk/ed/qvedSelection.h"

TarvoSelectionSet::~TarvoSelectionSet() {
  if (made_) qvedSSFree(name_);
}

int TarvoSelectionSet::ask() {
  const int code = qvedSSGet(nullptr, nullptr, nullptr, name_);
  made_ = code == kQvNormal;
  return code;
}

int TarvoSelectionSet::askForCommand() {
  const int code = ask();
  if (code == kQvNormal || code == kQvCancel) return code;
  TarvoCommandInput::say(L"\nNothing selected.");
  return kQvNone;
}

std::vector<QvDbObjectId> TarvoSelectionSet::ids() const {
  std::vector<QvDbObjectId> out;
  int32_t length = 0;
  if (!made_ || qvedSSLength(name_, &length) != kQvNormal) return out;
  for (int32_t i = 0; i < length; ++i) {
    int64_t entity[2] = {0, 0};
    QvDbObjectId id;
    if (qvedSSName(name_, i, entity) == kQvNormal && qvdbGetObjectId(id, entity) == Vexa::eOk)
      out.push_back(id);
  }
  return out;
}
