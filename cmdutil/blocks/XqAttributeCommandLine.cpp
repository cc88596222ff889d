// Attribute entry on the command line: one prompt per prompting attribute, multi-line values
// line by line, verifiable attributes asked twice.
#include <charconv>
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

  const QvString& label() const { return promptText.isEmpty() ? tag : promptText; }
};

// The key of a prompt: the tag, then the index among the prompting ones in decimal ("%s%d").
QvString promptKey(const QvString& tag, int index) {
  char digits[12];
  const char* const end = std::to_chars(digits, digits + sizeof(digits), index).ptr;
  std::wstring key;
  key.reserve(static_cast<size_t>(tag.length()) + static_cast<size_t>(end - digits));
  key.append(tag.wstr());
  for (const char* d = digits; d < end; ++d) key += static_cast<wchar_t>(*d);
  return QvString(std::move(key));
}

// The prompts of the block's prompting attribute definitions, keyed by tag and index among
// them (a tag ending in digits can meet another's key, the later prompt then wins).
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
    prompts[promptKey(def->tag(), index++)] = def->prompt();
  }
}

// Loads the cursor with the open attribute `att`, the cursor's index-th prompting one.
void loadAttribute(AttributePromptCursor& c, const QvDbAttribute& att,
                   const std::map<QvString, QvString>& prompts) {
  c.attributeId = att.objectId();
  c.tag = att.tag();
  c.isMultiline = att.isMTextAttribute();
  c.verifiable = att.isVerifiable();
  c.value = att.textString();
  if (c.isMultiline) {
    const std::unique_ptr<QvDbMText> text(att.getMTextAttribute());
    if (text) c.value = text->contents();
  }
  const auto prompt = prompts.find(promptKey(c.tag, c.index));
  c.promptText = prompt == prompts.end() ? QvString() : prompt->second;
  c.firstLine = true;
  c.multilineDone = false;
  c.lines.empty();
}

// "label <value> :", the prompt of a value that Enter keeps.
QvString keepablePrompt(const QvString& label, const QvString& value) {
  std::wstring text;
  text.reserve(static_cast<size_t>(label.length() + value.length()) + 4);
  text.append(label.wstr()).append(L" <").append(value.wstr()).append(L"> :");
  return QvString(std::move(text));
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
  const int rc = qvedGetString(1, keepablePrompt(c.label(), c.value).c_str(), answer);
  if (rc != kQvNormal) return rc;
  if (!answer.isEmpty()) {
    c.value = std::move(answer);
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
  const QvString prompt = qvcmdQvResourceString(10831) + L"\n" + keepablePrompt(c.label(), c.value);
  const int rc = qvedGetString(1, prompt.c_str(), answer);
  if (rc != kQvNormal) return rc;
  if (!answer.isEmpty()) {
    c.value = answer;
    values[c.attributeId] = c.value;
  }
  return kQvNormal;
}

void writeBack(const std::vector<QvDbObjectId>& ids,
               const std::map<QvDbObjectId, QvString>& values) {
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

  // The attributes of the reference; those that prompt are loaded in order, each with its
  // prompt, before the first is asked.
  std::vector<QvDbObjectId> attributes;
  std::vector<AttributePromptCursor> asked;
  {
    QvDbObjectPointer<QvDbBlockReference> ref(referenceId, QvDb::kForRead);
    if (ref.openStatus() != Vexa::eOk) return kQvError;
    collectPrompts(ref->blockTableRecord(), prompts);
    const std::unique_ptr<QvDbObjectIterator> it(ref->attributeIterator());
    if (!it) return kQvError;
    for (; !it->done(); it->step()) {
      attributes.push_back(it->objectId());
      QvDbObjectPointer<QvDbAttribute> att(it->objectId(), QvDb::kForRead);
      if (att.openStatus() != Vexa::eOk || !isPrompting(*att.object())) continue;
      AttributePromptCursor& cursor = asked.emplace_back();
      cursor.index = static_cast<int>(asked.size()) - 1;
      loadAttribute(cursor, *att.object(), prompts);
    }
  }

  bool headerPending = true;
  for (AttributePromptCursor& cursor : asked) {
    cursor.referenceId = referenceId;
    cursor.headerPending = headerPending;
    int rc = cursor.isMultiline ? askMultiline(cursor, values) : askSingleLine(cursor, values);
    headerPending = cursor.headerPending;
    if (rc == kQvNormal && cursor.verifiable) rc = verify(cursor, values);
    if (rc != kQvNormal) return rc;
  }
  writeBack(attributes, values);
  return kQvNormal;
}
