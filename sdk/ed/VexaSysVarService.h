#pragma once

#include <optional>

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/base/VexaHost.h"
#include "sdk/ed/VexaSysVarMemoryStore.h"
#include "sdk/ed/VexaSysVarValue.h"
#include "sdk/ed/VexaUcs.h"

struct VexaSysvarData;

// Why a change of a system variable was refused.
enum class VexaSysVarResult {
  kOk,
  kUnknownName,
  kWrongType,   // the value is not of the variable's type (or a string without text)
  kReadOnly,    // only the host changes it
  kOutOfRange,  // a short outside the variable's range
  kRefused,     // the store did not keep it
};

// The host's system variables: the values of the variables of the table
// (vexaFindSysvarData), by name in any case. Session variables are kept here; per-drawing
// variables in the drawing store, which is the service's own until the drawing database
// installs one backed by its header. Nothing is changed by a refused write.
class VexaSysVarService : public VexaHostService {
 public:
  // The value of a variable: the stored one, else the table default. Nothing for an unknown
  // name.
  std::optional<VexaSysVarValue> get(const wchar_t* name) const;
  VexaSysVarValue get(const VexaSysvarData& var) const;

  // A change asked by a program (qvedSetVar, the SETVAR command): refused for an unknown
  // name, a value of another type, a read-only variable and a short outside its range.
  VexaSysVarResult set(const wchar_t* name, const VexaSysVarValue& value);
  // A change the host makes itself (a view change, the drawing): read-only variables too;
  // type and range are still checked. The UCS axes change only through setCurrentUcs.
  VexaSysVarResult setByHost(const wchar_t* name, const VexaSysVarValue& value);

  // The current UCS, from "UCSORG", "UCSXDIR" and "UCSYDIR" (made orthonormal; the world when
  // the stored axes are degenerate).
  VexaUcs currentUcs() const;
  // Makes `ucs` current by writing the three variables together.
  Vexa::ErrorStatus setCurrentUcs(const VexaUcs& ucs);

  // The store of per-drawing variables. `store` is not owned and must outlive its use; null
  // goes back to the service's own store.
  void setDrawingStore(VexaSysVarStore* store) { drawingStore_ = store; }
  VexaSysVarStore& drawingStore();
  const VexaSysVarStore& drawingStore() const;

  // The service of the running host, or null when no host runs.
  static VexaSysVarService* current();

 private:
  VexaSysVarResult write(const wchar_t* name, const VexaSysVarValue& value, bool byHost);
  VexaSysVarStore& storeFor(const VexaSysvarData& var);
  const VexaSysVarStore& storeFor(const VexaSysvarData& var) const;

  VexaSysVarMemoryStore sessionStore_;
  VexaSysVarMemoryStore ownDrawingStore_;
  VexaSysVarStore* drawingStore_ = nullptr;
};
