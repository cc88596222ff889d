// QvString::loadString reads the host's current resource module.
#include "sdk/app/VexaResourceService.h"
#include "sdk/base/QvString.h"

bool QvString::loadString(unsigned int id) {
  QvString text;
  if (!VexaResourceService::loadCurrentString(id, text)) {
    text_.clear();
    return false;
  }
  text_ = std::move(text.text_);
  return true;
}
