#pragma once

#include <memory>
#include <vector>

#include "sdk/app/VexaDocument.h"
#include "sdk/app/VexaDrawingVarStore.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/base/VexaHost.h"
#include "sdk/ed/IVexaEditorDocuments.h"

class QvDbDatabase;

// The host's open documents and the current one, whose database is the working database. While
// the manager lives, the per-drawing system variables are those of the working database.
class VexaDocumentManager : public VexaHostService, public IVexaEditorDocuments {
 public:
  VexaDocumentManager();
  ~VexaDocumentManager() override;

  // A new drawing ("Drawing1.dwg", "Drawing2.dwg", ...) with the default contents; it becomes
  // the current document.
  VexaDocument* newDocument();
  // A document for a database read from a file; it becomes the current document.
  VexaDocument* addDocument(std::unique_ptr<QvDbDatabase> db, const QvString& fileName);

  VexaDocument* curDocument() const override { return current_; }
  QvString curDocumentFileName() const override;
  // eInvalidInput for a document this manager does not hold.
  Vexa::ErrorStatus setCurDocument(VexaDocument* doc);
  // Closes a document and its database; the first remaining one becomes current.
  Vexa::ErrorStatus closeDocument(VexaDocument* doc);
  int documentCount() const { return static_cast<int>(documents_.size()); }
  VexaDocument* documentAt(int index) const;
  // The document that owns a database, or null.
  VexaDocument* documentOf(const QvDbDatabase* db) const;

 private:
  std::vector<std::unique_ptr<VexaDocument>> documents_;
  VexaDocument* current_ = nullptr;
  int newDrawings_ = 0;
  VexaDrawingVarStore drawingVars_;
};
