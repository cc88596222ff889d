// Attribute entry in the host's attribute dialog, and the choice of mode.
#include <memory>

#include "cmdutil/blocks/XqAttributeEntry.h"
#include "cmdutil/blocks/XqBlockVars.h"
#include "sdk/app/CDDAttEditDialog.h"
#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/IVexaBuildInCommandContext.h"
#include "xqcmdutil/InsertCommandState.h"

int XqAttributeEntry::run(InsertCommandState& state) {
  const bool dialog = XqBlockVars::getShort(L"ATTDIA").value_or(0) != 0 &&
                      !(state.context && state.context->isNonInteractive());
  return dialog ? runDialog(state) : runCommandLine(state);
}

int XqAttributeEntry::runDialog(InsertCommandState& state) {
  if (!state.data) return kQvError;
  InsertData& data = *state.data;
  const QvDbObjectId referenceId = data.resultId;
  if (!referenceId.isValid()) return kQvError;
  CDDAttEditDialog dialog(referenceId);
  INT_PTR result = IDCANCEL;
  for (;;) {
    result = dialog.DoModal();
    // A showing again corrects the values of the one before: the latest are kept.
    if (result == IDOK)
      for (const auto& [id, text] : dialog.attributeTexts()) (*data.attributeValues)[id] = text;
    if (dialog.postDoModal(result)) break;
  }
  if (result != IDOK) return kQvError;
  auto& texts = dialog.attributeTexts();
  auto& multiline = dialog.multilineTexts();
  for (size_t i = 0; i < texts.size(); ++i) {
    QvDbObjectPointer<QvDbAttribute> att(texts[i].first, QvDb::kForWrite);
    if (att.openStatus() != Vexa::eOk) continue;
    std::unique_ptr<QvDbMText>& text = multiline[i];
    if (att->isMTextAttribute() && text && !text->hasFields()) {
      att->removeField(L"TEXT");
      att->setMTextAttribute(text.get());
      text.reset();
    } else {
      att->setTextString(texts[i].second.c_str());
      dialog.UpdateAttributeFieldToBlockReference(att.object());
    }
  }
  return kQvNormal;
}
