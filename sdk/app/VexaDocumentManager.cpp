#include "sdk/app/VexaDocumentManager.h"

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/ed/VexaSysVarService.h"

VexaDocumentManager::VexaDocumentManager() {
  // Made first, so that these services outlive the documents' databases.
  qvdbHostApplicationServices();
  if (VexaSysVarService* vars = VexaSysVarService::current()) vars->setDrawingStore(&drawingVars_);
}

VexaDocumentManager::~VexaDocumentManager() {
  if (VexaHost* host = VexaHost::current()) {
    auto* vars = host->findService<VexaSysVarService>();
    if (vars && &vars->drawingStore() == &drawingVars_) vars->setDrawingStore(nullptr);
  }
  current_ = nullptr;
  while (!documents_.empty()) documents_.pop_back();
}

VexaDocument* VexaDocumentManager::newDocument() {
  return addDocument(std::make_unique<QvDbDatabase>(true),
                     QvString::format(L"Drawing%d.dwg", ++newDrawings_));
}

VexaDocument* VexaDocumentManager::addDocument(std::unique_ptr<QvDbDatabase> db,
                                               const QvString& fileName) {
  if (!db) return nullptr;
  documents_.push_back(std::make_unique<VexaDocument>(std::move(db), fileName));
  VexaDocument* doc = documents_.back().get();
  setCurDocument(doc);
  return doc;
}

Vexa::ErrorStatus VexaDocumentManager::setCurDocument(VexaDocument* doc) {
  if (doc && !documentOf(doc->database())) return Vexa::eInvalidInput;
  current_ = doc;
  if (QvDbHostApplicationServices* services = qvdbHostApplicationServices())
    services->setWorkingDatabase(doc ? doc->database() : nullptr);
  return Vexa::eOk;
}

Vexa::ErrorStatus VexaDocumentManager::closeDocument(VexaDocument* doc) {
  for (auto it = documents_.begin(); it != documents_.end(); ++it) {
    if (it->get() != doc) continue;
    std::unique_ptr<VexaDocument> closing = std::move(*it);
    documents_.erase(it);
    if (current_ == doc) setCurDocument(documents_.empty() ? nullptr : documents_.front().get());
    return Vexa::eOk;
  }
  return Vexa::eInvalidInput;
}

QvString VexaDocumentManager::curDocumentFileName() const {
  return current_ ? current_->fileName() : QvString();
}

VexaDocument* VexaDocumentManager::documentAt(int index) const {
  if (index < 0 || index >= documentCount()) return nullptr;
  return documents_[static_cast<size_t>(index)].get();
}

VexaDocument* VexaDocumentManager::documentOf(const QvDbDatabase* db) const {
  for (const auto& doc : documents_)
    if (doc->database() == db) return doc.get();
  return nullptr;
}
