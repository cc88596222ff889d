#include "host/commands/TarvoServicesCommands.h"

#include <fstream>
#include <optional>
#include <string>

#include "host/commands/TarvoCommandInput.h"
#include "sdk/app/CQvUiPathname.h"
#include "sdk/app/VexaDocData.h"
#include "sdk/app/VexaFileDialog.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbAdsName.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbLayerStates.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/qvedInput.h"
#include "sdk/ed/qvedSelection.h"
#include "sdk/win/CDC.h"
#include "sdk/win/VexaGdi.h"
#include "sdk/win/VexaWinUser.h"
#include "sdk/win/VexaWindowPicture.h"
#include "xqcmdutil/VexaServicesManager.h"

namespace {

using S = VexaServicesManager;

constexpr int kStandardWeights[] = {0,  5,  9,  13, 15, 18,  20,  25,  30,  35,  40,  50,
                                    53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};
constexpr const wchar_t* kFileTypes[] = {L"Dwg", L"Dxf", L"Dwt"};

QvDbDatabase* workingDb() {
  QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  return services ? services->workingDatabase() : nullptr;
}

// A window of the headless layer, destroyed at the end of the scope, with a context drawing on it.
class PictureWindow {
 public:
  PictureWindow(int width, int height)
      : window_(CreateWindowEx(0, L"Static", L"", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                               nullptr, 0)) {
    if (window_) dc_.Attach(GetDC(window_));
  }
  ~PictureWindow() {
    if (!window_) return;
    ReleaseDC(window_, dc_.Detach());
    DestroyWindow(window_);
  }
  PictureWindow(const PictureWindow&) = delete;
  PictureWindow& operator=(const PictureWindow&) = delete;
  HWND window() const { return window_; }
  CDC* dc() { return &dc_; }

 private:
  HWND window_;
  CDC dc_;
};

// A classic selection set freed at the end of the scope.
struct ScopedSet {
  int64_t name[2] = {0, 0};
  bool made = false;
  ~ScopedSet() {
    if (made) qvedSSFree(name);
  }
};

}  // namespace

int TarvoTextScreenCommand::run(IVexaBuildInCommandContext& /*context*/) {
  S::showTextScreen();
  return kQvNormal;
}

int TarvoLineWeightCommand::run(IVexaBuildInCommandContext& /*context*/) {
  int weight = 0;
  qvedInitGet(0, nullptr);
  const int rc = qvedGetInt(
      L"\nLine weight in hundredths of a millimetre, or -1 ByLayer, -2 ByBlock, -3 Default "
      L"<all>: ",
      &weight);
  if (rc == kQvNone) {
    for (const int standard : kStandardWeights) {
      QvString text;
      if (S::lineWeightToString(standard, text) == kQvNormal)
        TarvoCommandInput::say(QvString::format(L"\n  %3d  %ls", standard, text.c_str()));
    }
    return kQvNormal;
  }
  if (rc != kQvNormal) return kQvCancel;
  QvString text;
  if (S::lineWeightToString(weight, text) != kQvNormal) {
    TarvoCommandInput::say(QvString::format(L"\n%d is not a standard line weight.", weight));
    return kQvError;
  }
  TarvoCommandInput::say(QvString::format(L"\n%d: %ls", weight, text.c_str()));
  return kQvNormal;
}

int TarvoSaveFormatCommand::run(IVexaBuildInCommandContext& /*context*/) {
  VexaDocData* data = GetVexaAppCtxActiveDocData();
  if (!data) return kQvError;
  const QvString current = kFileTypes[data->fileType];
  qvedInitGet(0, L"Dwg Dxf Dwt");
  QvString keyword;
  const int kind = qvedGetKword(
      QvString::format(L"\nFile type [Dwg/Dxf/Dwt] <%ls>: ", current.c_str()).c_str(), keyword);
  if (kind != kQvNormal && kind != kQvNone) return kQvCancel;
  for (int type = 0; type < 3; ++type)
    if (keyword == kFileTypes[type]) S::SetCurDocumentFileType(type);

  int version = data->saveVersion;
  qvedInitGet(kQvInitNoNegative, nullptr);
  const int rc = qvedGetInt(
      QvString::format(L"\nDrawing version to save <%d>: ", data->saveVersion).c_str(), &version);
  if (rc != kQvNormal && rc != kQvNone) return kQvCancel;
  S::SetVersionForSave(version);
  const bool kept = data->saveVersion == version;
  if (!kept)
    TarvoCommandInput::say(QvString::format(L"\nVersion %d cannot be written; it stays %d.",
                                            version, data->saveVersion));
  TarvoCommandInput::say(QvString::format(L"\nThe drawing is a %ls file; a save writes version %d.",
                                          kFileTypes[data->fileType], data->saveVersion));
  return kept ? kQvNormal : kQvError;
}

int TarvoBlockPictureCommand::run(IVexaBuildInCommandContext& /*context*/) {
  QvString name;
  if (qvedGetString(1, L"\nBlock name: ", name) != kQvNormal) return kQvCancel;
  name.trim();
  QvDbObjectId block;
  if (QvDbDatabase* db = workingDb()) {
    QvDbObjectPointer<QvDbBlockTable> table(db->blockTableId(), QvDb::kForRead);
    if (table) table->getAt(name.c_str(), block);
  }
  if (block.isNull()) {
    TarvoCommandInput::say(QvString::format(L"\nBlock \"%ls\" not found.", name.c_str()));
    return kQvError;
  }
  QvString file;
  const int chosen = S::GetFilebyDialog(L"Save Block Picture", (name + L".svg").c_str(), L"svg",
                                        kFileDialogDefaultName, file);
  if (chosen == kFileDialogNothing)
    file = name + L".svg";
  else if (chosen != kFileDialogChosen)
    return kQvCancel;
  const std::optional<bool> tags =
      TarvoCommandInput::yesNo(L"\nShow attribute tags? [Yes/No] <No>: ", false);
  if (!tags) return kQvCancel;

  CQvUiPathname path;
  const CQvUiPathname::PathStatus status = path.parse(file);
  if (status != CQvUiPathname::kNewFile && status != CQvUiPathname::kFileExists) {
    TarvoCommandInput::say(QvString::format(L"\nCannot write \"%ls\".", file.c_str()));
    return kQvError;
  }
  PictureWindow picture(400, 300);
  const RECT rect{0, 0, 400, 300};
  if (S::drawBlockToDC(picture.dc(), rect, block, *tags ? 1 : 0) != kQvNormal) {
    TarvoCommandInput::say(L"\nThe block could not be drawn.");
    return kQvError;
  }
  std::ofstream out(path.localName(), std::ios::binary | std::ios::trunc);
  out << vexaWindowSvg(picture.window());
  if (!out.flush()) {
    TarvoCommandInput::say(QvString::format(L"\nCannot write \"%ls\".", file.c_str()));
    return kQvError;
  }
  TarvoCommandInput::say(
      QvString::format(L"\nPicture of %ls written to %ls.", name.c_str(), path.fileName().c_str()));
  return kQvNormal;
}

int TarvoReferenceListCommand::run(IVexaBuildInCommandContext& /*context*/) {
  QvDbObjectIdArray ids;
  if (S::qvedSSGetForRefSet(L"\nSelect block references: ", ids, false) != kQvNormal) {
    TarvoCommandInput::say(L"\nNo block references selected.");
    return kQvNone;
  }
  for (const QvDbObjectId id : ids) {
    QvDbObjectPointer<QvDbBlockReference> reference(id, QvDb::kForRead);
    if (!reference) continue;
    QvDbObjectPointer<QvDbBlockTableRecord> block(reference->blockTableRecord(), QvDb::kForRead);
    const QvGePoint3d at = reference->position();
    TarvoCommandInput::say(QvString::format(
        L"\n  %ls at %g,%g,%g", block ? block->name().c_str() : L"?", at.x, at.y, at.z));
  }
  TarvoCommandInput::say(QvString::format(L"\n%d block reference(s).", ids.length()));
  return kQvNormal;
}

int TarvoHiddenSelectionCommand::run(IVexaBuildInCommandContext& /*context*/) {
  ScopedSet set;
  const int rc = S::QvedSSGetForInvisibleAndLockedLayerEnt(
      L"\nSelect objects (hidden and locked too): ", set.name, true, true);
  set.made = rc == kQvNormal;
  if (rc == kQvCancel) return kQvCancel;
  if (rc != kQvNormal) {
    TarvoCommandInput::say(L"\nNothing selected.");
    return kQvNone;
  }
  int32_t length = 0;
  qvedSSLength(set.name, &length);
  int invisible = 0, off = 0, frozen = 0, locked = 0;
  QvDbLayerStates layers;
  for (int32_t i = 0; i < length; ++i) {
    int64_t entityName[2];
    QvDbObjectId id;
    if (qvedSSName(set.name, i, entityName) != kQvNormal ||
        qvdbGetObjectId(id, entityName) != Vexa::eOk)
      continue;
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
    if (!entity) continue;
    const QvDbLayerStates::State& layer = layers.of(entity->layerId());
    invisible += entity->visibility() == QvDb::kInvisible;
    off += layer.off;
    frozen += layer.frozen;
    locked += layer.locked;
  }
  TarvoCommandInput::say(QvString::format(
      L"\n%d selected: %d invisible, %d on layers that are off, %d frozen, %d locked.", length,
      invisible, off, frozen, locked));
  return kQvNormal;
}
