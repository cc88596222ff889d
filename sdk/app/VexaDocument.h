#pragma once

#include <memory>

#include "sdk/app/VexaDocContext.h"
#include "sdk/app/VexaDocData.h"
#include "sdk/app/VexaGraphics.h"
#include "sdk/app/VexaUndoController.h"
#include "sdk/base/QvString.h"

class QvDbDatabase;

// An open drawing of the host: it owns its database.
class VexaDocument {
 public:
  VexaDocument(std::unique_ptr<QvDbDatabase> db, const QvString& fileName);
  VexaDocument(const VexaDocument&) = delete;
  VexaDocument& operator=(const VexaDocument&) = delete;
  ~VexaDocument();

  QvDbDatabase* database() const { return db_.get(); }
  // The drawing's file (for a new drawing, its name: "Drawing1.dwg").
  const QvString& fileName() const { return fileName_; }
  void setFileName(const QvString& fileName) { fileName_ = fileName; }
  // The file name without its folder.
  QvString docTitle() const;
  // The document's undo controller.
  VexaUndoController* undoController() { return &undoController_; }
  VexaDocContext* docContext() { return &docContext_; }
  VexaDocData* docData() { return &docData_; }
  VexaGraphics* graphics() { return &graphics_; }

 private:
  std::unique_ptr<QvDbDatabase> db_;
  QvString fileName_;
  VexaUndoController undoController_;
  VexaDocContext docContext_{*this};
  VexaDocData docData_;
  VexaGraphics graphics_;
};
