#pragma once

#include <cstdint>
#include <string>

// What the DXF reader found in a file: a refusal (the file is not read) or a repair (the file
// is read and the drawing mended). The code says what in a way programs can test, the line is
// the file's (0 when the finding is no line's) and the message says it in words.
struct QvDxfDiagnostic {
  enum Code : uint8_t {
    // Refusals: the file is no DXF text,
    kNotDxfText,  // binary DXF, a binary drawing, binary data in the text
    kEmptyFile,
    kFileTooLarge,
    kCutShort,  // the file ends before its end marker, or a code has no value
    // its groups do not read,
    kNotAGroupCode,
    kUnknownGroupCode,
    kBadValue,    // a value that is not of its code's kind
    kOutOfRange,  // a number beyond what its group or variable holds
    kBadHandle,   // a handle that is no handle, 0 for an object, or beyond the range
    kBadVersion,
    // its records do not hold together,
    kMisplaced,     // a section, table, record or group where it does not belong
    kNotClosed,     // a section, table, block, group or sequence without its end
    kMissingGroup,  // a name, a coordinate, a key that must be there is not
    kHandleUsedTwice,
    kNameUsedTwice,     // in a table, a dictionary, or a block defined twice
    kUnresolvedHandle,  // a handle that names no object of the file
    kWrongReference,    // a reference to an object that cannot stand there
    kRefusedValue,      // a value the database does not take (a radius that is not positive)
    kBrokenLink,        // objects that do not fit together (an entry with another owner)
    // or it cannot be taken in.
    kDrawingRefused,  // the database refused to build the drawing
    kCannotReadFile,  // no such file, or it cannot be opened or read
    kDrawingBusy,     // the drawing read into has open objects or an active transaction
    kOutOfMemory,
    // Repairs: the file is read and the drawing mended.
    kLayerAdded,  // a layer the file names but does not define
    kLinetypeAdded,
    kTextStyleAdded,
    kApplicationRegistered,  // an application of extended data
    kEntityLayerMissing,     // an entity without a layer name goes to layer "0"
    kColourReplaced,         // a colour that is no colour index
    kLinetypeScaleReplaced,  // a linetype scale that is not positive
    kLayerLinetypeReplaced,  // a layer's linetype that is not defined
    kCurrentRecordReplaced,  // a current layer, linetype or style that is not defined
    kDimensionBlockDropped,  // a dimension's block that is not defined
    kVertexCountCorrected,   // a leader whose count does not match its vertices
    kReferenceByName,        // a reference given by the record's name instead of its handle
    kReferenceDropped,       // a reference to no object, or to one that cannot stand there
    kHandleReplaced,         // a handle used twice, or one that is no handle: a new one given
    kValueClamped,           // a header value beyond its range, brought within it
    kEntityKeptAsProxy,      // an entity that cannot be made, kept as it was read
    kTableAdded,             // a symbol table the file lacks
    kCodePageReplaced,       // a code page not known, read as Windows Latin-1
    kSplinePiecesJoined,     // a spline of pieces meeting end to end, read as one
    kGroupDropped,           // a group that describes nothing the record holds
    kMTextColumnsJoined,     // columns of a multi-line text in the older form, made current
  };

  Code code = kBadValue;
  uint32_t line = 0;
  std::string message;

  bool isRepair() const { return code >= kLayerAdded; }
  // "line 12: message", or the message alone without a line.
  std::string text() const;
};
