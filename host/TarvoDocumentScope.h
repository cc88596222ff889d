#pragma once

#include <string>

#include "sdk/base/QvString.h"
#include "sdk/io/QvDxfFile.h"

class VexaDocument;

// The drawing the program works on, as the host's current document for the scope's lifetime:
// a drawing read from a file, or a new drawing. The document is closed when the scope ends, so
// declare the scope after the modules' session: objects of a module's classes must go before
// the module does.
class TarvoDocumentScope {
 public:
  TarvoDocumentScope() = default;
  TarvoDocumentScope(const TarvoDocumentScope&) = delete;
  TarvoDocumentScope& operator=(const TarvoDocumentScope&) = delete;
  ~TarvoDocumentScope();

  // Opens the drawing of `path`, or a new drawing when it is empty; false with the reason in
  // `error`. `read` receives what the reader found in the file.
  bool open(const std::string& path, QvString& error, QvDxfReadResult* read = nullptr);
  VexaDocument* document() const { return document_; }

 private:
  VexaDocument* document_ = nullptr;
};
