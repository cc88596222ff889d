#include "sdk/app/VexaCommandTools.h"

#include "sdk/app/VexaDocData.h"
#include "sdk/app/VexaFileDialog.h"
#include "sdk/db/QvDb.h"

namespace VexaCommandTools {

bool setCurDocumentFileType(int type) {
  VexaDocData* data = GetVexaAppCtxActiveDocData();
  if (!data || type < kDocFileDwg || type > kDocFileDwt) return false;
  data->fileType = static_cast<VexaDocFileType>(type);
  return true;
}

bool setVersionForSave(int version) {
  VexaDocData* data = GetVexaAppCtxActiveDocData();
  if (!data || version != QvDb::kDrawingVersionR2018) return false;
  data->saveVersion = version;
  return true;
}

int getFileByDialog(const QvString& title, const QvString& defaultName, const QvString& extensions,
                    int flags, QvString& chosen) {
  return vexaFileNavDialog(VexaFileDialogRequest{title, defaultName, extensions, flags, {}},
                           chosen);
}

}  // namespace VexaCommandTools
