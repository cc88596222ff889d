// The drawing-file members of QvDbDatabase, on the DXF module.
#include <cstdio>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/io/QvDxfFile.h"

namespace {

bool isShareMode(int mode) {
  return mode == QvDb::kShareDenyReadWrite || mode == QvDb::kShareDenyWrite ||
         mode == QvDb::kShareDenyRead || mode == QvDb::kShareDenyNo;
}

}  // namespace

Vexa::ErrorStatus QvDbDatabase::readDwgFile(const wchar_t* fileName, int shareMode, bool,
                                            const wchar_t*) {
  if (!fileName || !*fileName || !isShareMode(shareMode)) {
    setFileState(QvString(), L"no file name, or an unknown share mode");
    return Vexa::eInvalidInput;
  }
  const QvDxfReadResult result = QvDxfFile::readFile(QvString(fileName), *this);
  setFileState(result.ok() ? QvString(fileName) : QvString(), result.message());
  return result.status;
}

Vexa::ErrorStatus QvDbDatabase::dxfIn(const wchar_t* fileName, const wchar_t* logFilename) {
  const Vexa::ErrorStatus es = readDwgFile(fileName, QvDb::kShareDenyWrite);
  if (logFilename && *logFilename) {
    if (FILE* log = std::fopen(QvString(logFilename).utf8().c_str(), "w")) {
      const std::string text = es == Vexa::eOk ? "read " + QvString(fileName).utf8()
                                               : "not read: " + fileMessage_.utf8();
      std::fprintf(log, "%s\n", text.c_str());
      if (es == Vexa::eOk && !fileMessage_.isEmpty())
        std::fprintf(log, "%s\n", fileMessage_.utf8().c_str());
      std::fclose(log);
    }
  }
  return es;
}

Vexa::ErrorStatus QvDbDatabase::closeInput(bool) {
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbDatabase::saveAs(const wchar_t* fileName, bool bakAndRename, int version,
                                       const void* securityParams) {
  if (!fileName || !*fileName) {
    setFileState(QvString(), L"no file name was given");
    return Vexa::eInvalidInput;
  }
  if (version != QvDb::kDrawingVersionR2018 || securityParams) {
    setFileState(QvString(), L"drawings are written as R2018 DXF, without security parameters");
    return Vexa::eNotImplemented;
  }
  QvString message;
  const Vexa::ErrorStatus es =
      QvDxfFile::writeFile(*this, QvString(fileName), bakAndRename, message);
  setFileState(es == Vexa::eOk ? QvString(fileName) : QvString(), message);
  return es;
}

Vexa::ErrorStatus QvDbDatabase::dxfOut(const wchar_t* fileName, int version) {
  return saveAs(fileName, false, version);
}

Vexa::ErrorStatus qvdbReadDwgFile(QvDbDatabase* database, const wchar_t* fileName, int shareMode,
                                  bool allowCPConversion, const wchar_t* password) {
  if (!database) return Vexa::eNullPtr;
  return database->readDwgFile(fileName, shareMode, allowCPConversion, password);
}
