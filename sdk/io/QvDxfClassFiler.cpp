#include "sdk/io/QvDxfClassFiler.h"

void QvDxfClassFiler::noteClass(QvDxfWriteSession&, const QvDbObject&) const {}
