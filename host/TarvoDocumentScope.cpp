#include "host/TarvoDocumentScope.h"

#include "host/TarvoDrawingFiles.h"
#include "sdk/app/VexaDocumentManager.h"
#include "sdk/db/QvDbDatabase.h"

TarvoDocumentScope::~TarvoDocumentScope() {
  VexaHost* host = VexaHost::current();
  if (document_ && host) host->service<VexaDocumentManager>().closeDocument(document_);
}

bool TarvoDocumentScope::open(const std::string& path, QvString& error, QvDxfReadResult* read) {
  VexaHost* host = VexaHost::current();
  if (!host || document_) {
    error = L"no host to open the drawing in";
    return false;
  }
  VexaDocumentManager& documents = host->service<VexaDocumentManager>();
  if (path.empty()) {
    document_ = documents.newDocument();
    return document_ != nullptr;
  }
  std::unique_ptr<QvDbDatabase> db = TarvoDrawingFiles::read(path, error, read);
  if (!db) return false;
  document_ = documents.addDocument(std::move(db), QvString(path.c_str()));
  return document_ != nullptr;
}
