#include "sdk/app/vexaCurDocument.h"

#include "sdk/app/VexaDocumentManager.h"

VexaDocument* vexaCurDocument() {
  VexaHost* host = VexaHost::current();
  VexaDocumentManager* documents = host ? host->findService<VexaDocumentManager>() : nullptr;
  return documents ? documents->curDocument() : nullptr;
}
