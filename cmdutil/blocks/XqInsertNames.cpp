// The block name of the insert command: asked or given, its forms, and the drawing file it
// names.
#include <cmath>
#include <memory>

#include "cmdutil/blocks/CVexaInsNameDialog.h"
#include "cmdutil/blocks/XqBlockVars.h"
#include "cmdutil/blocks/XqInsertResolution.h"
#include "sdk/app/VexaAnnoScaleDialog.h"
#include "sdk/base/VexaHostError.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/ed/IVexaBuildInCommandContext.h"
#include "sdk/ed/qvedBlockEditor.h"
#include "sdk/ed/qvedFindFile.h"
#include "sdk/ed/qvedOutput.h"
#include "sdk/win/VexaShellFolders.h"
#include "xqcmdutil/InsertCommandState.h"
#include "xqcmdutil/XqAnnotation.h"
#include "xqcmdutil/XqBlockDefinition.h"
#include "xqcmdutil/XqBlockInsert.h"
#include "xqcmdutil/XqBlockLookup.h"
#include "xqcmdutil/XqCmdResourceString.h"
#include "xqcmdutil/XqFilePrompts.h"
#include "xqcmdutil/XqNamePrompt.h"
#include "xqcmdutil/XqObjectAnnotation.h"

namespace XqInsertResolution {

namespace {

bool hasDrawingExtension(const QvString& path) {
  const int dot = path.findRev(L'.');
  if (dot < 0 || dot < path.findRev(L'\\')) return false;
  QvString ext = path.mid(dot);
  ext.makeLower();
  return ext == L".dwg" || ext == L".dxf" || ext == L".dws";
}

bool hasExtension(const QvString& path) {
  const int dot = path.findRev(L'.');
  return dot >= 0 && dot > path.findRev(L'\\');
}

// The name without folder and extension.
QvString fileTitle(const QvString& path) {
  QvString title = path.mid(path.findRev(L'\\') + 1);
  const int dot = title.findRev(L'.');
  if (dot > 0) title = title.left(dot);
  return title.trimRight();
}

bool isValidFileName(const QvString& name) {
  return !name.isEmpty() && name.findOneOf(L"/\\:*?\"<>|") < 0;
}

bool isValidBlockName(QvDbDatabase* db, const QvString& name) {
  return qvdbGetSymbolSvc()->validateSymbolName(name.c_str(), false, db) == Vexa::eOk;
}

// The side database's blocks hold the name: the file cannot be inserted under it.
bool refuseSameName(QvDbDatabase& side, const QvString& name) {
  if (!XqInsertFiles::holdsBlock(side, name)) return false;
  qvedPrompt(qvcmdQvResourceStringF(10829, name.c_str()).c_str());
  return true;
}

// The block being edited, or empty.
QvString editedBlock() {
  QvString name;
  return qvedBEditGetEditBlockName(name) == kQvNormal ? name : QvString();
}

bool nestsInSide(QvDbDatabase& side) {
  const QvString edited = editedBlock();
  if (edited.isEmpty()) return false;
  if (!hasNestedBlockName(side.modelSpaceId(), CString(edited))) return false;
  qvedPrompt(qvcmdQvResourceStringF(14907, edited.c_str()).c_str());
  return true;
}

// The file read into `data.blockName` (or the temporary name when exploding): C.5 to C.7.
int readIntoBlock(InsertCommandState& state, const QvString& path, bool templates) {
  InsertData& data = *state.data;
  QvDbDatabase* db = state.context->database();
  const std::unique_ptr<QvDbDatabase> side = XqInsertFiles::read(path, templates);
  if (!side) return kQvError;
  if (nestsInSide(*side)) return kQvCancel;
  QvString name = data.blockName;
  if (data.explode) {
    name = kTempBlockName;
    XqBlockVars::setString(L"INSNAME", L"*" + path);
  } else {
    if (refuseSameName(*side, name)) return kQvCancel;
    XqBlockVars::setString(L"INSNAME", name);
  }
  QvDbObjectId blockId;
  bool annotative = false;
  try {
    if (XqInsertFiles::insert(db, name, *side, blockId, annotative) != Vexa::eOk) return kQvError;
  } catch (const Vexa::HostError&) {
    return kQvError;
  }
  if (annotative) {
    state.uniformScale = true;
    if ((data.askInsertionPoint || data.askScale || data.askRotation) && isInteractive(state))
      ShowSelAnnoScaleDlg();
    if (data.nameGiven) {
      QvGeScale3d scale = data.scale;
      if (std::fabs(scale.sx) <= 1e-10) scale.sx = 1.0;
      if (std::fabs(scale.sy) <= 1e-10) scale.sy = 1.0;
      if (std::fabs(scale.sz) <= 1e-10) scale.sz = 1.0;
      data.scale = scale;
      data.presetScale = scale;
    }
  }
  data.blockName = name;
  data.filePath = path;
  return kQvNormal;
}

// The name dialog for a file whose name is no block name ("FILEDIA" 1 only): false when it
// is not shown or cancelled; else the name, and whether it is an existing block to redefine.
bool askNameInDialog(InsertCommandState& state, QvString& name) {
  if (XqBlockVars::getShort(L"FILEDIA").value_or(1) != 1) return false;
  CVexaInsNameDialog dialog;
  dialog.m_caption = qvcmdCResourceString(10940);
  dialog.m_message.FormatMessage(qvcmdCResourceString(10941), 255);
  if (dialog.DoModal() != IDOK) return false;
  name = dialog.m_name.toQvString();
  state.dialogAnswered = dialog.m_exists;
  state.dialogRedefine = dialog.m_redefine;
  return true;
}

}  // namespace

QvDbObjectId findBlock(QvDbDatabase* db, const QvString& name) {
  return db ? getBlockIdByName(db->blockTableId(), name.c_str()) : QvDbObjectId();
}

bool nestsEditedBlock(QvDbDatabase* db, const QvString& name) {
  const QvString edited = editedBlock();
  if (edited.isEmpty()) return false;
  const QvDbObjectId id = findBlock(db, name);
  if (id.isNull() || !hasNestedBlockName(id, CString(edited))) return false;
  qvedPrompt(qvcmdQvResourceStringF(14907, edited.c_str()).c_str());
  return true;
}

int askName(InsertCommandState& state) {
  InsertData& data = *state.data;
  const QvString prompt = state.defaultName.isEmpty()
                              ? qvcmdQvResourceString(10838)
                              : qvcmdQvResourceStringF(10837, state.defaultName.c_str());
  QvString answer;
  const int rc = qvedGetStringForName(state.context, prompt.c_str(), answer);
  if (rc != kQvNormal) return rc;
  answer.trim();
  if (answer.isEmpty()) {
    if (state.defaultName.isEmpty()) {
      qvedPrompt(qvcmdQvResourceString(10977, L"\nBlock name is invalid.").c_str());
      data.blockName = QvString();
      return kQvNormal;
    }
    answer = state.defaultName;
  }
  const QvString edited = editedBlock();
  if (!edited.isEmpty() && edited.compareNoCase(answer) == 0) return kQvCancel;
  const QvDbObjectId found = findBlock(state.context->database(), answer);
  if (!found.isNull()) {
    QvDbObjectPointer<QvDbBlockTableRecord> block(found, QvDb::kForRead);
    if (block.openStatus() == Vexa::eOk &&
        (block->isFromExternalReference() || block->isFromOverlayReference())) {
      qvedPrompt(qvcmdQvResourceString(10980).c_str());
      return kQvCancel;
    }
  }
  if (answer == L"?") return listBlocks(state);
  if (answer == L"~") {
    const QvString fallback = XqBlockVars::getString(L"INSNAME").value_or(L"");
    const int filedia = XqBlockVars::getShort(L"FILEDIA").value_or(1);
    if (filedia == 0) XqBlockVars::setShort(L"FILEDIA", 1);
    resbuf chosen{};
    const int dialog = vexaGetFileDialog(qvcmdQvResourceString(10801, L"Insert Block").c_str(),
                                         fallback.c_str(), L"dwg;dxf", 0, &chosen);
    if (filedia == 0) XqBlockVars::setShort(L"FILEDIA", 0);
    QvString path;
    if (dialog == kQvNormal && chosen.type == kRbString && chosen.value.string)
      path = chosen.value.string;
    if (chosen.type == kRbString) std::free(chosen.value.string);
    if (dialog != kQvNormal) return kQvCancel;
    answer = path.isEmpty() ? fallback : path;
    if (answer.isEmpty()) return kQvCancel;
  }
  data.blockName = answer;
  return resolveTyped(state);
}

int resolveTyped(InsertCommandState& state) {
  InsertData& data = *state.data;
  QvDbDatabase* db = state.context->database();
  QvString typed = data.blockName;
  typed.trim();
  if (typed.length() >= 2 && typed.getAt(0) == L'"' && typed.getAt(typed.length() - 1) == L'"') {
    typed = typed.mid(1, typed.length() - 2);
    typed.trim();
  }
  if (typed.startsWith(L"*")) {
    if (data.isMInsert) {
      qvedPrompt(qvcmdQvResourceString(10943).c_str());
      return kQvError;
    }
    data.explode = true;
    state.explodeRequested = true;
    typed.replace(L"*", L"");
  }
  typed.replace(L'/', L'\\');
  typed.replace(L'|', L' ');

  QvString name, path;
  const int equals = typed.find(L'=');
  const bool hadEquals = equals >= 0;
  if (hadEquals) {
    name = typed.left(equals);
    name.trim();
    path = typed.mid(equals + 1);
    path.trim();
    if (name.isEmpty()) name = fileTitle(path);
    if (path.isEmpty()) path = name;
  } else {
    path = typed;
  }
  const bool namedFile = hasExtension(typed) || typed.find(L'\\') >= 0;
  if (!hasDrawingExtension(path)) path += L".DWG";
  if (!hadEquals) name = namedFile ? fileTitle(path) : typed;
  const bool fromFile = hadEquals || namedFile;
  const bool candidate = hadEquals || (fromFile && data.redefineFromFile);

  if (!isValidBlockName(db, name)) {
    if (fromFile && !isValidFileName(name)) {
      qvedPrompt(qvcmdQvResourceString(10978, L"\nFile name is invalid.").c_str());
      return kQvNone;
    }
    if (!fromFile || !askNameInDialog(state, name)) {
      qvedPrompt(qvcmdQvResourceString(10828).c_str());
      return kQvNone;
    }
  }
  data.blockName = name;
  const QvDbObjectId found = findBlock(db, name);
  if (found.isNull()) {
    if (!isValidFileName(fileTitle(path))) {
      qvedPrompt(qvcmdQvResourceString(10978, L"\nFile name is invalid.").c_str());
      return kQvNone;
    }
    QvString full;
    bool located = false;
    if (path.find(L'\\') >= 0) {
      located = qvedFindFile(path.c_str(), full) == kQvNormal;
    } else {
      wchar_t documents[kMaxPath] = {0};
      if (SHGetSpecialFolderPathW(nullptr, documents, CSIDL_PERSONAL, FALSE))
        located = qvedFindFile((QvString(documents) + L"\\" + path).c_str(), full) == kQvNormal;
      if (!located) located = qvedFindFile(path.c_str(), full) == kQvNormal;
    }
    if (!located) {
      reportNotFound(path);
      return kQvNone;
    }
    return readIntoBlock(state, full, false);
  }
  if (candidate || state.dialogAnswered) {
    state.redefinePending = candidate;
    data.filePath = path;
    return kQvNormal;
  }
  if (nestsEditedBlock(db, name)) return kQvError;
  bool annotative = false;
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(found, QvDb::kForRead);
    annotative = block.openStatus() == Vexa::eOk && IsObjectAnnotative(block.object());
  }
  if (annotative && data.isMInsert) {
    qvedPrompt(qvcmdQvResourceString(10986).c_str());
    return kQvError;
  }
  if (annotative && isInteractive(state)) ShowSelAnnoScaleDlg();
  if (data.checkDimStyleAnnotative && IsDimStyleAnnotative(db->dimstyle()) != annotative) {
    qvedPrompt(
        qvcmdQvResourceStringF(10985, qvcmdQvResourceString(10825).c_str(), path.c_str()).c_str());
    return kQvNone;
  }
  return kQvNormal;
}

int resolveGiven(InsertCommandState& state) {
  InsertData& data = *state.data;
  QvDbDatabase* db = state.context->database();
  QvString name = data.blockName;
  name.trim();
  data.blockName = name;
  const QvString wanted = data.filePath;
  if (wanted.isEmpty()) return kQvNormal;
  QvString full;
  if (qvedFindFile(wanted.c_str(), full) != kQvNormal) {
    reportNotFound(wanted);
    return kQvNone;
  }
  if (!findBlock(db, name).isNull()) {
    if (data.redefineFromFile) {
      state.redefinePending = true;
      data.filePath = full;
    }
    return kQvNormal;
  }
  if (data.acceptTemplateFile && data.stopBeforeInsertTag != 0) {
    // Only read and compared: nothing is inserted.
    const std::unique_ptr<QvDbDatabase> side = XqInsertFiles::read(full, true);
    if (!side) return kQvError;
    return kQvStoppedBeforeInsert;
  }
  return readIntoBlock(state, full, data.acceptTemplateFile);
}

}  // namespace XqInsertResolution
