#pragma once

#include <cstddef>
#include <cstdint>

#include "sdk/base/QvString.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/win/CGdiTypes.h"
#include "xqcmdutil/XqCmdUtilExport.h"

class CDC;
class QvDbBlockTableRecord;

// One place for the host's command modules to reach host services: file names, text files,
// colours and the file behind an external reference.
class XQCMDUTIL_EXPORT VexaServicesManager {
 public:
  VexaServicesManager() = delete;

  // File names (QvFileStringName).
  static bool IsFileTreatAsReadOnly(const QvString& name);
  static QvString GetFileName(const QvString& name);
  static QvString GetExtension(const QvString& name);
  static QvString GetPath(const QvString& name);
  static bool IsAbsoluteName(const QvString& name);
  static bool IsNameRelativeToRoot(const QvString& name);
  static bool IsNameRelativeToUpDir(const QvString& name);
  // `name` relative to the folder part of `base`; false, `name` unchanged, when that folder is
  // empty or they share no root.
  static bool convertToRelative(QvString& name, const QvString& base);

  // Lengths and angles in the current drawing's units (VexaUnitsFormatter): kQvNormal, or
  // kQvError with the output unchanged.
  static int FormatLinear(QvString& text, double value);
  static int UnformatLinear(double& value, const QvString& text);
  static int UnformatAngle(double& value, const QvString& text);
  // The conversions of header-variable values: a mode or precision of -1 is the drawing's
  // (LUNITS/LUPREC, AUNITS/AUPREC). The answer is the classic interface's code.
  static int vexaConvertRealToString(double value, int units, int precision, QvString& text);
  static int vexaConvertAngleToString(double angle, int units, int precision, QvString& text);
  static int vexaConvertAngleToFloat(const QvString& text, int units, double& value);
  static int vexaConvertStringToDistance(const QvString& text, int units, double& value);

  // The host's text screen; nothing without a host.
  static void showTextScreen();
  // The text of a line weight ("ByLayer", "ByBlock", "Default", "0.25 mm"): kQvNormal, or
  // kQvError with `text` unchanged without a host or for a weight that is not standard.
  static int lineWeightToString(int weight, QvString& text);
  // The kind of the current document's file and the version its next save writes; an unknown
  // kind or a version the writer cannot write changes nothing.
  static void SetCurDocumentFileType(int type);
  static void SetVersionForSave(int version);
  // The host's file dialog (title, default name, extension filter "dwg;dxf", the dialog's flags
  // as given): its answer, 0 with the file in `chosen`, -1 for none, -4 when cancelled, -2
  // without a host.
  static int GetFilebyDialog(const wchar_t* title, const wchar_t* defaultName,
                             const wchar_t* extensions, int flags, QvString& chosen);

  // Block references chosen by the user (the selection question asking `prompt`, keeping
  // references only; with `single` it ends after the first answer that chooses one), their ids
  // appended to `ids`. kQvNormal; kQvError, `ids` unchanged, when the selection fails, is
  // cancelled or holds nothing.
  static int qvedSSGetForRefSet(const wchar_t* prompt, QvDbObjectIdArray& ids, bool single);
  // The selection question that also takes, with `hidden`, invisible entities and those on
  // layers that are off or frozen, and, with `locked`, those on locked layers (left out
  // otherwise). The host's code; on kQvNormal `set` names a new classic selection set, which
  // the caller frees.
  static int QvedSSGetForInvisibleAndLockedLayerEnt(const wchar_t* prompt, int64_t set[2],
                                                    bool hidden, bool locked);

  // The picture of the block definition `block` fitted into `rect` of `dc` (the host's
  // DC-drawing support; flag 1 shows the tags of attribute definitions): its code, kQvError
  // without a host.
  static int drawBlockToDC(CDC* dc, const RECT& rect, QvDbObjectId block, int flags);

  static double AngleToDegree(double radians);
  static short stdColorIndex(const wchar_t* name);
  // The text of file bytes (byte-order marks honoured).
  static void ReadFileContent(const void* data, size_t length, QvString& text);
  // kQvError for an empty text, else the host's code.
  static int AppendToTextFile(const QvString& name, const QvString& text);

  // The file behind an external-reference block: its stored path through the path finder,
  // then the find-file service (without and with "XREFSAVEPATH" as hint), then the file name
  // in the folder of "XREFSAVEPATH". True with the full path in `found`.
  static bool getActualXrefFileName(const QvDbBlockTableRecord* block, QvString& found);
};
