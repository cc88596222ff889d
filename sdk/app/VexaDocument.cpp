#include "sdk/app/VexaDocument.h"

#include "sdk/db/QvDbDatabase.h"

VexaDocument::VexaDocument(std::unique_ptr<QvDbDatabase> db, const QvString& fileName)
    : db_(std::move(db)), fileName_(fileName) {}

VexaDocument::~VexaDocument() = default;

QvString VexaDocument::docTitle() const {
  int cut = -1;
  for (int i = 0; i < fileName_.length(); ++i)
    if (fileName_.getAt(i) == L'/' || fileName_.getAt(i) == L'\\') cut = i;
  return fileName_.mid(cut + 1);
}
