#include "sdk/ed/commands/VexaInsertCommand.h"

#include <array>
#include <memory>
#include <optional>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/VexaHostError.h"
#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/IVexaBuildInCommandContext.h"
#include "sdk/ed/VexaPoint.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/VexaSysVarValue.h"
#include "sdk/ed/VexaUcs.h"
#include "sdk/ed/commands/VexaCommandAsk.h"

using namespace VexaCommandAsk;

namespace {

enum Option { kScale, kX, kY, kZ, kRotate };

// The placement the questions build.
struct Placement {
  std::optional<std::array<double, 3>> factors;  // set by an option
  std::optional<double> rotation;                // radians, set by an option
  QvGePoint3d point;                             // current UCS
};

// A block that may be referenced; null with a message.
QvDbObjectId insertable(QvDbDatabase* db, const QvString& name) {
  QvDbObjectId id;
  {
    QvDbObjectPointer<QvDbBlockTable> table(db->blockTableId(), QvDb::kForRead);
    if (table) table->getAt(name.c_str(), id);
  }
  QvDbObjectPointer<QvDbBlockTableRecord> block(id, QvDb::kForRead);
  if (!block) {
    say(QvString::format(L"\nBlock \"%ls\" not found.", name.c_str()));
    return {};
  }
  if (block->isLayout() || block->isFromExternalReference() || block->isFromOverlayReference()) {
    say(QvString::format(L"\n\"%ls\" is a layout or an external reference.", name.c_str()));
    return {};
  }
  return id;
}

// A factor question: the value, `fallback` for Enter, nothing when cancelled.
std::optional<double> askFactor(const QvString& prompt, double fallback) {
  VexaQuestionSetup setup;
  setup.kind = VexaAnswerKind::kReal;
  setup.prompt = prompt;
  setup.rejectZero = true;
  const VexaAnswer answer = ask(setup);
  if (isEmpty(answer)) return fallback;
  if (!isValue(answer)) return std::nullopt;
  return answer.number;
}

std::optional<double> askRotation() {
  const VexaAnswer answer = ask(VexaAnswerKind::kAngle, L"\nSpecify rotation angle <0>: ");
  if (isEmpty(answer)) return 0.0;
  if (!isValue(answer)) return std::nullopt;
  return answer.number;
}

// The insertion point, with the options given before it. False when cancelled.
bool askPoint(const VexaUcs& ucs, Placement& placement) {
  for (;;) {
    const VexaAnswer answer =
        ask(VexaAnswerKind::kPoint, L"\nSpecify insertion point or [Scale/X/Y/Z/Rotate]: ",
            L"Scale X Y Z Rotate");
    if (isValue(answer)) {
      placement.point = ucs.toUcs(toGePoint(answer.point));
      return true;
    }
    if (answer.outcome != VexaAnswer::Outcome::kKeyword) return false;
    if (answer.keywordIndex == kRotate) {
      placement.rotation = askRotation();
      if (!placement.rotation) return false;
      continue;
    }
    std::array<double, 3> factors = placement.factors.value_or(std::array<double, 3>{1, 1, 1});
    if (answer.keywordIndex == kScale) {
      const std::optional<double> all = askFactor(L"\nSpecify scale factor for XYZ axes <1>: ", 1);
      if (!all) return false;
      factors = {*all, *all, *all};
    } else {
      const int axis = answer.keywordIndex - kX;
      const wchar_t* names[3] = {L"X", L"Y", L"Z"};
      const std::optional<double> one =
          askFactor(QvString::format(L"\nSpecify %ls scale factor <1>: ", names[axis]), 1);
      if (!one) return false;
      factors[static_cast<size_t>(axis)] = *one;
    }
    placement.factors = factors;
  }
}

bool attributesAsked() {
  const VexaSysVarService* vars = VexaSysVarService::current();
  const std::optional<VexaSysVarValue> value = vars ? vars->get(L"ATTREQ") : std::nullopt;
  return value && value->shortValue() != 0;
}

// The reference's attributes, from the definitions that are not constant. False when a
// question was cancelled.
bool addAttributes(QvDbBlockReference& reference, QvDbObjectId blockId) {
  QvDbObjectIdArray definitions;
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead);
    if (!block || !block->hasAttributeDefinitions()) return true;
    definitions = block->entityIds();
  }
  const bool asking = attributesAsked();
  const QvGeMatrix3d xform = reference.blockTransform();
  for (int i = 0; i < definitions.length(); ++i) {
    QvDbObjectPointer<QvDbAttributeDefinition> definition(definitions[i], QvDb::kForRead);
    if (!definition || definition->isConstant()) continue;
    QvString value = definition->textString();
    if (asking) {
      QvString prompt = definition->prompt();
      if (prompt.isEmpty()) prompt = definition->tag();
      VexaQuestionSetup setup;
      setup.prompt = QvString::format(L"\n%ls <%ls>: ", prompt.c_str(), value.c_str());
      const VexaAnswer answer = ask(setup);
      if (answer.outcome == VexaAnswer::Outcome::kCancel) return false;
      if (isValue(answer) && !answer.text.isEmpty()) value = answer.text;
    }
    auto attribute = std::make_unique<QvDbAttribute>();
    try {
      attribute->setAttributeFromBlock(definition.object(), xform);
    } catch (const Vexa::HostError&) {
      // The attribute has taken the definition's data all the same.
    }
    attribute->setTextString(value.c_str());
    if (reference.appendAttribute(attribute.get()) == Vexa::eOk) attribute.release();
  }
  return true;
}

}  // namespace

int VexaInsertCommand::run(IVexaBuildInCommandContext& context) {
  QvDbDatabase* db = context.database();
  const VexaSysVarService* vars = VexaSysVarService::current();
  if (!db || !vars) return kQvError;
  const VexaUcs ucs = vars->currentUcs();

  QvString name;
  if (const int status = askBlockName(context.isSpaceAllowedInNames(), name); status != kQvNormal)
    return status;
  const QvDbObjectId blockId = insertable(db, name);
  if (blockId.isNull()) return kQvError;

  Placement placement;
  if (!askPoint(ucs, placement)) return kQvCancel;
  if (!placement.factors) {
    const std::optional<double> x = askFactor(L"\nEnter X scale factor <1>: ", 1);
    if (!x) return kQvCancel;
    const std::optional<double> y = askFactor(L"\nEnter Y scale factor <use X scale factor>: ", *x);
    if (!y) return kQvCancel;
    placement.factors = {*x, *y, *x};
  }
  if (!placement.rotation) placement.rotation = askRotation();
  if (!placement.rotation) return kQvCancel;

  QvGeMatrix3d ucsToWorld;
  ucs.toWorldMatrix(ucsToWorld.entry);
  const auto& f = *placement.factors;
  auto reference = std::make_unique<QvDbBlockReference>(QvGePoint3d::kOrigin, blockId);
  reference->setDatabaseDefaults(db);
  const QvGePoint3d origin = [&] {
    QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead);
    return block ? block->origin() : QvGePoint3d::kOrigin;
  }();
  const QvGeMatrix3d xform = ucsToWorld * QvGeMatrix3d::translation(placement.point.asVector()) *
                             QvGeMatrix3d::rotation(*placement.rotation, QvGeVector3d::kZAxis) *
                             QvGeMatrix3d().setToScaling(QvGeScale3d(f[0], f[1], f[2])) *
                             QvGeMatrix3d::translation(-origin.asVector());
  if (reference->setBlockTransform(xform) != Vexa::eOk) {
    say(L"\nThe reference cannot be placed so.");
    return kQvError;
  }
  if (!addAttributes(*reference, blockId)) return kQvCancel;
  QvDbObjectPointer<QvDbBlockTableRecord> space(db->currentSpaceId(), QvDb::kForWrite);
  if (!space || space->appendQvDbEntity(reference.get()) != Vexa::eOk) return kQvError;
  reference.release()->close();
  return kQvNormal;
}
