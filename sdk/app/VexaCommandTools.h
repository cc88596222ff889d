#pragma once

// The host's command tools for the current document's file.
namespace VexaCommandTools {

// Sets the kind of the current document's file (VexaDocFileType). False, nothing changed,
// without a current document or for an unknown kind.
bool setCurDocumentFileType(int type);
// Sets the version the current document's next save writes (QvDb::DrawingVersion). False,
// nothing changed, without a current document or for a version the writer cannot write.
bool setVersionForSave(int version);

}  // namespace VexaCommandTools
