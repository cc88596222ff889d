// QvString::loadString reads the host's current resource module.
#include "sdk/base/IVexaStringResources.h"
#include "sdk/base/QvString.h"

bool QvString::loadString(unsigned int id) {
  QvString text;
  const IVexaStringResources* resources = vexaStringResources();
  if (!resources || !resources->loadFromCurrent(id, text)) {
    text_.clear();
    return false;
  }
  text_ = std::move(text.text_);
  return true;
}
