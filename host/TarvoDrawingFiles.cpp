#include "host/TarvoDrawingFiles.h"

#include <algorithm>

#include "sdk/db/QvDbDatabase.h"

namespace {

// What the database says went wrong, or the status's name when it says nothing.
QvString reason(const QvDbDatabase& db, Vexa::ErrorStatus es) {
  if (!db.fileMessage().isEmpty()) return db.fileMessage();
  switch (es) {
    case Vexa::eFileNotFound:
      return L"no such file";
    case Vexa::eFileAccessError:
      return L"the file cannot be opened";
    default:
      return QvString(Vexa::errorStatusName(es));
  }
}

}  // namespace

std::unique_ptr<QvDbDatabase> TarvoDrawingFiles::read(const std::string& path, QvString& error,
                                                      QvDxfReadResult* read) {
  // An empty database: the reader fills it and completes what the file lacks.
  auto db = std::make_unique<QvDbDatabase>(false, true);
  const QvString name(path.c_str());
  QvDxfReadResult result = name.isEmpty() ? QvDxfReadResult{Vexa::eInvalidInput, {}, {}, 0}
                                          : QvDxfFile::readFile(name, *db);
  db->setFileState(result.ok() ? name : QvString(), result.message());
  if (!result.ok()) {
    const QvDxfDiagnostic* refusal = result.refusal();
    error = refusal ? QvString(refusal->text().c_str()) : reason(*db, result.status);
    db.reset();
  }
  if (read) *read = std::move(result);
  return db;
}

bool TarvoDrawingFiles::write(QvDbDatabase& db, const std::string& path, QvString& error,
                              int version) {
  const Vexa::ErrorStatus es = db.saveAs(QvString(path.c_str()).c_str(), false, version);
  if (es == Vexa::eOk) return true;
  error = reason(db, es);
  return false;
}

void TarvoDrawingFiles::writeRepairs(const QvDxfReadResult& read, const std::string& path, bool all,
                                     std::ostream& to) {
  if (!read.ok() || read.repairCount == 0) return;
  const size_t count = std::max(read.repairCount, read.diagnostics.size());
  to << "tarvo: '" << path << "' was read with " << count << (count == 1 ? " repair" : " repairs")
     << ":\n";
  const size_t shown =
      all ? read.diagnostics.size() : std::min(kRepairsShown, read.diagnostics.size());
  for (size_t i = 0; i < shown; ++i) to << "  " << read.diagnostics[i].text() << '\n';
  if (shown < count) {
    to << "  ... and " << (count - shown) << " more";
    if (all)
      to << " (the reader keeps the first " << read.diagnostics.size() << ")\n";
    else
      to << " (--verbose lists them)\n";
  }
}
