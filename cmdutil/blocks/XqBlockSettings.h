#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/ge/QvGeMatrix3d.h"

class CreateBlockData;
class IVexaBuildInCommandContext;
class QvDbBlockTableRecord;
class VexaPickfirstProcessor;

// What creating and modifying a block definition share.
namespace XqBlockSettings {

// The definition's insertion units: the request's index when it differs from "INSUNITS" and
// lies in 0 to 24, else "INSUNITS" (1 when unreadable).
int insertUnits(const CreateBlockData& data);

// Sets the request's settings on the definition (open for write): annotative and paper
// orientation, insertion units, scaling (uniform for annotative blocks), explodable, comments
// when given, and the origin at (0, 0, 0). The name is not touched.
Vexa::ErrorStatus apply(const CreateBlockData& data, QvDbBlockTableRecord& record);

// The transform that carries the request's base point (current UCS) to the definition's
// origin and expresses objects in UCS axes.
QvGeMatrix3d placement(const IVexaBuildInCommandContext& context, const CreateBlockData& data);

// Whether a definition may be (re)made from objects: no layout, no external reference.
bool isRedefinable(const QvDbBlockTableRecord& record);

}  // namespace XqBlockSettings

// Suspends the host's pickfirst notifications for its life.
class XqPickfirstSuspension {
 public:
  XqPickfirstSuspension();
  ~XqPickfirstSuspension();
  XqPickfirstSuspension(const XqPickfirstSuspension&) = delete;
  XqPickfirstSuspension& operator=(const XqPickfirstSuspension&) = delete;

 private:
  VexaPickfirstProcessor* proc_;
};
