#include "sdk/app/CDDAttEditDialog.h"

#include <map>

#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbBlockTableRecordIterator.h"
#include "sdk/db/QvDbField.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/win/IVexaDialogInput.h"

namespace {

constexpr int kFirstField = 1000;

// The prompts of the definition's attribute definitions by tag (the first of a tag).
std::map<QvString, QvString> promptsByTag(QvDbObjectId blockId) {
  std::map<QvString, QvString> prompts;
  QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead);
  if (block.openStatus() != Vexa::eOk) return prompts;
  QvDbBlockTableRecordIterator* raw = nullptr;
  if (block->newIterator(raw) != Vexa::eOk) return prompts;
  const std::unique_ptr<QvDbBlockTableRecordIterator> it(raw);
  for (; !it->done(); it->step()) {
    QvDbObjectId id;
    it->getEntityId(id);
    QvDbObjectPointer<QvDbAttributeDefinition> def(id, QvDb::kForRead);
    if (def.openStatus() != Vexa::eOk) continue;
    prompts.emplace(QvString(def->tag()).makeUpper(), def->prompt());
  }
  return prompts;
}

}  // namespace

CDDAttEditDialog::CDDAttEditDialog(QvDbObjectId referenceId) : referenceId_(referenceId) {}

CDDAttEditDialog::~CDDAttEditDialog() = default;

void CDDAttEditDialog::load() {
  loaded_ = true;
  QvDbObjectPointer<QvDbBlockReference> ref(referenceId_, QvDb::kForRead);
  if (ref.openStatus() != Vexa::eOk) return;
  const std::map<QvString, QvString> prompts = promptsByTag(ref->blockTableRecord());
  const std::unique_ptr<QvDbObjectIterator> it(ref->attributeIterator());
  if (!it) return;
  for (; !it->done(); it->step()) {
    QvDbObjectPointer<QvDbAttribute> att(it->objectId(), QvDb::kForRead);
    if (att.openStatus() != Vexa::eOk || att->isConstant()) continue;
    Row row;
    row.id = it->objectId();
    row.label = att->tag();
    const auto prompt = prompts.find(QvString(att->tag()).makeUpper());
    if (prompt != prompts.end() && !prompt->second.isEmpty())
      row.label += L" (" + prompt->second + L")";
    row.multiline = att->isMTextAttribute();
    if (row.multiline) {
      const std::unique_ptr<QvDbMText> text(att->getMTextAttribute());
      row.value = CString(text ? text->contents() : att->textString());
    } else {
      row.value = CString(att->textString());
    }
    row.fieldLength = att->fieldLength();
    rows_.push_back(row);
  }
}

BOOL CDDAttEditDialog::OnInitDialog() {
  if (!loaded_) load();
  SetWindowText(L"Edit Attributes");
  for (size_t i = 0; i < rows_.size(); ++i)
    SetDlgItemLabel(kFirstField + static_cast<int>(i), rows_[i].label.c_str());
  return CDialog::OnInitDialog();
}

void CDDAttEditDialog::DoDataExchange(CDataExchange* dx) {
  for (size_t i = 0; i < rows_.size(); ++i)
    DDX_Text(dx, kFirstField + static_cast<int>(i), rows_[i].value);
}

void CDDAttEditDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  texts_.clear();
  multiline_.clear();
  for (const Row& row : rows_) {
    texts_.emplace_back(row.id, row.value.toQvString());
    std::unique_ptr<QvDbMText> text;
    if (row.multiline) {
      QvDbObjectPointer<QvDbAttribute> att(row.id, QvDb::kForRead);
      if (att.openStatus() == Vexa::eOk) text.reset(att->getMTextAttribute());
      if (text) text->setContents(row.value);
    }
    multiline_.push_back(std::move(text));
  }
  EndDialog(IDOK);
}

bool CDDAttEditDialog::postDoModal(INT_PTR result) {
  if (result != IDOK) return true;
  bool fits = true;
  for (const Row& row : rows_) {
    if (row.fieldLength <= 0 || row.value.GetLength() <= row.fieldLength) continue;
    fits = false;
    if (IVexaDialogInput* input = vexaDialogInput())
      input->show(
          QvString::format(L"\n%ls: at most %d characters.", row.label.c_str(), row.fieldLength));
  }
  return fits;
}

void CDDAttEditDialog::UpdateAttributeFieldToBlockReference(QvDbAttribute* attribute) {
  if (!attribute || !attribute->hasFields()) return;
  QvDbObjectId fieldId;
  if (attribute->getField(L"TEXT", fieldId) != Vexa::eOk) return;
  QvDbObjectPointer<QvDbField> field(fieldId, QvDb::kForWrite);
  if (field.openStatus() != Vexa::eOk || !field->refersToBlockReference()) return;
  if (field->blockReferenceId() != attribute->ownerId())
    field->resolveBlockReference(attribute->ownerId());
}
