#include "sdk/app/VexaDocContext.h"

#include "sdk/app/VexaDocData.h"
#include "sdk/app/VexaDocument.h"
#include "sdk/app/vexaCurDocument.h"
#include "sdk/base/QvPointerSet.h"
#include "sdk/ed/VexaBuildInCommandContext.h"
#include "sdk/ed/VexaInputScript.h"

void VexaDocContext::appendOopsEntity(QvDbObjectId id) {
  if (!id.isNull()) oops_.append(id);
}

const QvDbObjectIdArray& VexaDocContext::oopsEnts() const {
  if (unique_ == oops_.length()) return oops_;
  QvPointerSet listed;
  listed.reserve(static_cast<size_t>(oops_.length()));
  QvDbObjectIdArray kept(oops_.length());
  for (const QvDbObjectId& id : oops_)
    if (listed.insert(id.stub())) kept.append(id);
  oops_ = std::move(kept);
  unique_ = oops_.length();
  return oops_;
}

QvDbDatabase* VexaDocContext::database() const {
  return document_.database();
}

IVexaBuildInCommandContext* VexaDocContext::commandContext() const {
  const VexaCommandContexts* contexts = VexaCommandContexts::current();
  return contexts ? contexts->running() : nullptr;
}

IVexaBuildInCommandContext* VexaDocContext::dummyCommandContext() const {
  VexaCommandContexts* contexts = VexaCommandContexts::current();
  return contexts ? &contexts->documentContext() : nullptr;
}

bool VexaDocContext::hasUnhandledInput() const {
  const VexaInputScript* script = VexaInputScript::current();
  return script && script->hasTypedAhead();
}

VexaDocContext* GetVexaAppCtxActiveDocContext() {
  VexaDocument* document = vexaCurDocument();
  return document ? document->docContext() : nullptr;
}

VexaDocData* GetVexaAppCtxActiveDocData() {
  VexaDocument* document = vexaCurDocument();
  return document ? document->docData() : nullptr;
}
