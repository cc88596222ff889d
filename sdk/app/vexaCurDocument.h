#pragma once

class VexaDocument;

// The current document of the running host; null when no host runs or it has no document.
// Asks without making the document manager.
VexaDocument* vexaCurDocument();
