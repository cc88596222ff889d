#include "xqcmdutil/XqDbModified.h"

#include "sdk/app/VexaDocument.h"
#include "sdk/app/vexaCurDocument.h"

void vexaSetDbModifiedType(int type) {
  VexaDocument* doc = vexaCurDocument();
  if (!doc) return;
  if (VexaUndoController* undo = doc->undoController()) undo->setDbModifiedType(type);
}
