#pragma once

#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/base/VexaHost.h"
#include "sdk/db/QvDbLayoutManager.h"

class QvDbDatabase;

// The host's application services for the drawing database: the working database (the one
// the host's functions act on when given none), the layout manager and remote files.
class QvDbHostApplicationServices : public VexaHostService {
 public:
  QvDbDatabase* workingDatabase() const { return working_; }
  // The document manager sets the current document's database; a database being destroyed
  // withdraws itself.
  void setWorkingDatabase(QvDbDatabase* db) { working_ = db; }
  QvDbLayoutManager* layoutManager() { return &layoutManager_; }
  // Fetches a remote file into the host's cache (IVexaRemoteFiles::getRemoteFile).
  Vexa::ErrorStatus getRemoteFile(const QvString& url, QvString& localName, bool useCache);

 private:
  QvDbDatabase* working_ = nullptr;
  QvDbLayoutManager layoutManager_;
};

// The application services of the running host; null when no host runs.
QvDbHostApplicationServices* qvdbHostApplicationServices();
