#include "xqcmdutil/VexaServicesManager.h"

#include <cstdlib>

#include "sdk/app/CQvUiPathname.h"
#include "sdk/app/QvFileStringName.h"
#include "sdk/app/VexaCommandTools.h"
#include "sdk/app/VexaDCDrawSupport.h"
#include "sdk/app/VexaFileTools.h"
#include "sdk/app/VexaPathFinder.h"
#include "sdk/app/VexaServicesManagerInterface.h"
#include "sdk/app/VexaUnitsFormatter.h"
#include "sdk/app/qvdbUnits.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbAdsName.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/ed/qvedSelection.h"
#include "sdk/ed/qvedSysVar.h"

namespace {

QvString stringVar(const wchar_t* name) {
  resbuf rb{};
  if (qvedGetVar(name, &rb) != kQvNormal) return {};
  QvString value;
  if (rb.type == kRbString && rb.value.string) value = rb.value.string;
  if (rb.type == kRbString) std::free(rb.value.string);
  return value;
}

}  // namespace

bool VexaServicesManager::IsFileTreatAsReadOnly(const QvString& name) {
  return QvFileStringName(name).isReadOnly();
}

QvString VexaServicesManager::GetFileName(const QvString& name) {
  return QvFileStringName(name).fileName();
}

QvString VexaServicesManager::GetExtension(const QvString& name) {
  return QvFileStringName(name).extension();
}

QvString VexaServicesManager::GetPath(const QvString& name) {
  return QvFileStringName(name).directory();
}

bool VexaServicesManager::IsAbsoluteName(const QvString& name) {
  return QvFileStringName(name).isIt(QvFileStringName::kAbsolute);
}

bool VexaServicesManager::IsNameRelativeToRoot(const QvString& name) {
  return QvFileStringName(name).isIt(QvFileStringName::kRelativeToRoot);
}

bool VexaServicesManager::IsNameRelativeToUpDir(const QvString& name) {
  return QvFileStringName(name).isIt(QvFileStringName::kRelativeToUpDir);
}

bool VexaServicesManager::convertToRelative(QvString& name, const QvString& base) {
  QvFileStringName file(name);
  const QvString folder = QvFileStringName(base).directory();
  if (folder.isEmpty() || !file.convertToRelative(folder)) return false;
  name = file.name();
  return true;
}

int VexaServicesManager::FormatLinear(QvString& text, double value) {
  return VexaUnitsFormatter().formatLinear(text, value);
}

int VexaServicesManager::UnformatLinear(double& value, const QvString& text) {
  return VexaUnitsFormatter().unformatLinear(value, text);
}

int VexaServicesManager::UnformatAngle(double& value, const QvString& text) {
  return VexaUnitsFormatter().unformatAngle(value, text);
}

int VexaServicesManager::vexaConvertRealToString(double value, int units, int precision,
                                                 QvString& text) {
  return qvdbRToS(value, units, precision, text);
}

int VexaServicesManager::vexaConvertAngleToString(double angle, int units, int precision,
                                                  QvString& text) {
  return qvdbRawAngToS(angle, units, precision, text);
}

int VexaServicesManager::vexaConvertAngleToFloat(const QvString& text, int units, double& value) {
  return qvdbAngToF(text.c_str(), units, &value);
}

int VexaServicesManager::vexaConvertStringToDistance(const QvString& text, int units,
                                                     double& value) {
  return qvdbDisToF(text.c_str(), units, &value);
}

void VexaServicesManager::showTextScreen() {
  if (VexaServicesManagerInterface* services = getServicesManagerInterface())
    services->showTextScreen();
}

int VexaServicesManager::lineWeightToString(int weight, QvString& text) {
  VexaServicesManagerInterface* services = getServicesManagerInterface();
  return services ? services->lineWeightToString(weight, text) : kQvError;
}

void VexaServicesManager::SetCurDocumentFileType(int type) {
  VexaCommandTools::setCurDocumentFileType(type);
}

void VexaServicesManager::SetVersionForSave(int version) {
  VexaCommandTools::setVersionForSave(version);
}

int VexaServicesManager::GetFilebyDialog(const wchar_t* title, const wchar_t* defaultName,
                                         const wchar_t* extensions, int flags, QvString& chosen) {
  return VexaCommandTools::getFileByDialog(title, defaultName, extensions, flags, chosen);
}

int VexaServicesManager::qvedSSGetForRefSet(const wchar_t* prompt, QvDbObjectIdArray& ids,
                                            bool single) {
  int64_t set[2] = {0, 0};
  if (qvedSSGetPrompted(prompt, single ? L":S:R" : L":R", set) != kQvNormal) return kQvError;
  int32_t length = 0;
  qvedSSLength(set, &length);
  QvDbObjectIdArray chosen;
  for (int32_t i = 0; i < length; ++i) {
    int64_t name[2];
    QvDbObjectId id;
    if (qvedSSName(set, i, name) == kQvNormal && qvdbGetObjectId(id, name) == Vexa::eOk)
      chosen.append(id);
  }
  qvedSSFree(set);
  if (chosen.isEmpty()) return kQvError;
  ids.append(chosen);
  return kQvNormal;
}

int VexaServicesManager::QvedSSGetForInvisibleAndLockedLayerEnt(const wchar_t* prompt,
                                                                int64_t set[2], bool hidden,
                                                                bool locked) {
  return qvedSSGetHiddenAndLocked(prompt, hidden, locked, set);
}

int VexaServicesManager::drawBlockToDC(CDC* dc, const RECT& rect, QvDbObjectId block, int flags) {
  const VexaDCDrawSupportInternal* support = getVexaDCDrawSupportInternalInterface();
  return support ? support->drawBlockToDC(dc, rect, block, flags) : kQvError;
}

double VexaServicesManager::AngleToDegree(double radians) {
  return radians / 3.141592653589793 * 180.0;
}

short VexaServicesManager::stdColorIndex(const wchar_t* name) {
  return standardColorIndex(name);
}

void VexaServicesManager::ReadFileContent(const void* data, size_t length, QvString& text) {
  VexaFileTools::readString(data, length, 64, text);
}

int VexaServicesManager::AppendToTextFile(const QvString& name, const QvString& text) {
  if (text.isEmpty()) return kQvError;
  return VexaFileTools::appendToTextFile(name, text);
}

bool VexaServicesManager::getActualXrefFileName(const QvDbBlockTableRecord* block,
                                                QvString& found) {
  if (!block) return false;
  const QvString stored = block->pathName();
  CQvUiPathname parsed;
  parsed.parse(stored);
  const QvString extension = parsed.verifyExtension(L"dxf") ? L"dxf" : L"dwg";
  if (vexaFindPath(stored, extension, 4, found)) return true;
  const QvString savePath = stringVar(L"XREFSAVEPATH");
  QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  const QvDbDatabase* db = services ? services->workingDatabase() : nullptr;
  if (vexaFindFileFor(stored, db, QvString(), found) == kQvNormal) return true;
  // A file found in the folder the hint names is the file.
  if (!savePath.isEmpty() && vexaFindFileFor(stored, db, savePath, found) == kQvNormal) return true;
  // The variable names a folder, with or without its trailing separator.
  QvString folder = savePath;
  if (!folder.isEmpty() && !folder.endsWith(L"\\") && !folder.endsWith(L"/")) folder += L"\\";
  QvString title = QvFileStringName(stored).fileName();
  const QvString ext = QvFileStringName(stored).extension();
  if (!ext.isEmpty()) title = title.left(title.length() - ext.length());
  return vexaFindPath(folder + title + L"." + extension, extension, 4, found);
}
