#pragma once

#include "sdk/base/QvString.h"
#include "sdk/base/VexaHost.h"

class VexaDocument;

// What the editor needs of the host's documents, which the application holds: the current
// document, as the key of the state the editor keeps per document (the previous selection, the
// UCS history), and its file, beside which files are looked for. The application's document
// manager is bound here when the host starts.
class IVexaEditorDocuments {
 public:
  virtual VexaDocument* curDocument() const = 0;
  // The file of the current document; empty when there is none.
  virtual QvString curDocumentFileName() const = 0;

 protected:
  ~IVexaEditorDocuments() = default;
};

// The running host's documents; null when no host runs or it holds no documents yet.
inline const IVexaEditorDocuments* vexaEditorDocuments() {
  const VexaHost* host = VexaHost::current();
  return host ? host->findService<IVexaEditorDocuments>() : nullptr;
}

// The current document as the editor sees it; null when there is none.
inline const VexaDocument* vexaEditorCurDocument() {
  const IVexaEditorDocuments* documents = vexaEditorDocuments();
  return documents ? documents->curDocument() : nullptr;
}
