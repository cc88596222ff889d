#include "xqcmdutil/XqDbModified.h"

#include "sdk/app/VexaDocumentManager.h"

void vexaSetDbModifiedType(int type) {
  VexaHost* host = VexaHost::current();
  if (!host) return;
  VexaDocument* doc = host->service<VexaDocumentManager>().curDocument();
  if (!doc) return;
  if (VexaUndoController* undo = doc->undoController()) undo->setDbModifiedType(type);
}
