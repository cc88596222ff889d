// Attribute entry on the command line: one prompt per prompting attribute, multi-line values
// line by line, verifiable attributes asked twice.
#include <map>
#include <memory>
#include <vector>

#include "cmdutil/blocks/XqAttributeEntry.h"
#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbBlockTableRecordIterator.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/qvedInput.h"
#include "sdk/ed/qvedOutput.h"
#include "xqcmdutil/InsertCommandState.h"
#include "xqcmdutil/XqCmdResourceString.h"

namespace {

constexpr const wchar_t* kLineBreak = L"\\P";

bool isPrompting(const QvDbAttribute& att) {
  return !att.isConstant() && !att.isPreset();
}

// Where the walk over the reference's attributes stands.
struct AttributePromptCursor {
  QvDbObjectId attributeId;
  QvString tag;
  QvString promptText;
  QvString value;
  bool isMultiline = false;
  bool verifiable = false;
  QvDbObjectId referenceId;
  bool firstLine = true;
  bool multilineDone = false;
  bool headerPending = true;
  QvString lines;
  int index = -1;

  QvString label() const { return promptText.isEmpty() ? tag : promptText; }
};

// The prompts of the block's prompting attribute definitions, keyed by tag and index among
// them ("%s%d"; a tag ending in digits can meet another's key, the later prompt then wins).
void collectPrompts(QvDbObjectId blockId, std::map<QvString, QvString>& prompts) {
  prompts.clear();
  QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead);
  if (block.openStatus() != Vexa::eOk) return;
  QvDbBlockTableRecordIterator* raw = nullptr;
  if (block->newIterator(raw) != Vexa::eOk) return;
  const std::unique_ptr<QvDbBlockTableRecordIterator> it(raw);
  int index = 0;
  for (; !it->done(); it->step()) {
    QvDbObjectId id;
    it->getEntityId(id);
    QvDbObjectPointer<QvDbAttributeDefinition> def(id, QvDb::kForRead);
    if (def.openStatus() != Vexa::eOk || def->isConstant() || def->isPreset()) continue;
    prompts[QvString::format(L"%ls%d", def->tag().c_str(), index++)] = def->prompt();
  }
}

// Loads the cursor with the attribute `id`; false when it does not open.
bool loadAttribute(AttributePromptCursor& c, QvDbObjectId id,
                   const std::map<QvString, QvString>& prompts) {
  QvDbObjectPointer<QvDbAttribute> att(id, QvDb::kForRead);
  if (att.openStatus() != Vexa::eOk) return false;
  c.attributeId = id;
  c.tag = att->tag();
  c.isMultiline = att->isMTextAttribute();
  c.verifiable = att->isVerifiable();
  c.value = att->textString();
  if (c.isMultiline) {
    const std::unique_ptr<QvDbMText> text(att->getMTextAttribute());
    if (text) c.value = text->contents();
  }
  const auto prompt = prompts.find(QvString::format(L"%ls%d", c.tag.c_str(), c.index));
  c.promptText = prompt == prompts.end() ? QvString() : prompt->second;
  c.firstLine = true;
  c.multilineDone = false;
  c.lines.empty();
  return true;
}

void printHeader(AttributePromptCursor& c) {
  if (!c.headerPending) return;
  qvedPrompt(qvcmdQvResourceString(10983, L"\nInput Attribute Value\n").c_str());
  c.headerPending = false;
}

// The prompt of the first line of a multi-line value (the default's lines printed first).
QvString firstLinePrompt(AttributePromptCursor& c) {
  printHeader(c);
  if (c.value.isEmpty()) return c.label() + L": ";
  QvString shown = c.label() + qvcmdQvResourceString(10984, L" - Default Value: \n");
  QvString rest = c.value;
  for (;;) {
    const int at = rest.find(kLineBreak);
    shown += L"    " + (at < 0 ? rest : rest.left(at)) + L"\n";
    if (at < 0) break;
    rest = rest.mid(at + 2);
  }
  qvedPrompt(shown.c_str());
  return c.label() + L" <" + qvcmdQvResourceString(10981, L"Accept default value") + L"> :";
}

int askSingleLine(AttributePromptCursor& c, std::map<QvDbObjectId, QvString>& values) {
  QvString answer;
  const QvString prompt = c.label() + L" <" + c.value + L"> :";
  const int rc = qvedGetString(1, prompt.c_str(), answer);
  if (rc != kQvNormal) return rc;
  if (!answer.isEmpty()) {
    c.value = answer;
    values[c.attributeId] = c.value;
  }
  return kQvNormal;
}

int askMultiline(AttributePromptCursor& c, std::map<QvDbObjectId, QvString>& values) {
  while (!c.multilineDone) {
    const QvString prompt = c.firstLine
                                ? firstLinePrompt(c)
                                : qvcmdQvResourceString(10982, L"Next line or <complete>: ");
    QvString answer;
    const int rc = qvedGetString(1, prompt.c_str(), answer);
    if (rc != kQvNormal) return rc;
    if (answer.isEmpty()) {
      c.multilineDone = true;
      if (!c.lines.isEmpty()) {
        c.value = c.lines;
        values[c.attributeId] = c.value;
      }
    } else {
      c.lines = c.firstLine ? answer : c.lines + kLineBreak + answer;
      c.firstLine = false;
    }
  }
  return kQvNormal;
}

// Asked once more for a verifiable attribute (a multi-line one once it is complete): Enter
// keeps the value, an answer (blanks kept) replaces it.
int verify(AttributePromptCursor& c, std::map<QvDbObjectId, QvString>& values) {
  QvString answer;
  const QvString prompt =
      qvcmdQvResourceString(10831) + L"\n" + c.label() + L" <" + c.value + L"> :";
  const int rc = qvedGetString(1, prompt.c_str(), answer);
  if (rc != kQvNormal) return rc;
  if (!answer.isEmpty()) {
    c.value = answer;
    values[c.attributeId] = c.value;
  }
  return kQvNormal;
}

void writeBack(QvDbObjectId referenceId, const std::map<QvDbObjectId, QvString>& values) {
  std::vector<QvDbObjectId> ids;
  {
    QvDbObjectPointer<QvDbBlockReference> ref(referenceId, QvDb::kForRead);
    if (ref.openStatus() != Vexa::eOk) return;
    const std::unique_ptr<QvDbObjectIterator> it(ref->attributeIterator());
    if (!it) return;
    for (; !it->done(); it->step()) ids.push_back(it->objectId());
  }
  for (const QvDbObjectId& id : ids) {
    const auto value = values.find(id);
    if (value == values.end()) continue;
    QvDbObjectPointer<QvDbAttribute> att(id, QvDb::kForWrite);
    if (att.openStatus() != Vexa::eOk) continue;
    if (att->isMTextAttribute()) {
      att->removeField(L"TEXT");
      const std::unique_ptr<QvDbMText> text(att->getMTextAttribute());
      if (!text) continue;
      text->removeField(L"TEXT");
      text->setContents(value->second.c_str());
      att->setMTextAttribute(text.get());
    } else {
      att->setTextString(value->second.c_str());
    }
  }
}

}  // namespace

int XqAttributeEntry::runCommandLine(InsertCommandState& state) {
  if (!state.data) return kQvError;
  InsertData& data = *state.data;
  const QvDbObjectId referenceId = data.resultId;
  std::map<QvString, QvString>& prompts = *data.attributePrompts;
  std::map<QvDbObjectId, QvString>& values = *data.attributeValues;

  // The prompting attributes of the reference, in order.
  std::vector<QvDbObjectId> asked;
  {
    QvDbObjectPointer<QvDbBlockReference> ref(referenceId, QvDb::kForRead);
    if (ref.openStatus() != Vexa::eOk) return kQvError;
    collectPrompts(ref->blockTableRecord(), prompts);
    const std::unique_ptr<QvDbObjectIterator> it(ref->attributeIterator());
    if (!it) return kQvError;
    for (; !it->done(); it->step()) {
      QvDbObjectPointer<QvDbAttribute> att(it->objectId(), QvDb::kForRead);
      if (att.openStatus() == Vexa::eOk && isPrompting(*att.object()))
        asked.push_back(it->objectId());
    }
  }

  AttributePromptCursor cursor;
  cursor.referenceId = referenceId;
  for (const QvDbObjectId& id : asked) {
    ++cursor.index;
    if (!loadAttribute(cursor, id, prompts)) continue;
    int rc = cursor.isMultiline ? askMultiline(cursor, values) : askSingleLine(cursor, values);
    if (rc == kQvNormal && cursor.verifiable) rc = verify(cursor, values);
    if (rc != kQvNormal) return rc;
  }
  writeBack(referenceId, values);
  return kQvNormal;
}
