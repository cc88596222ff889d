#pragma once

#include <cstddef>

#include "sdk/base/resbuf.h"

class QvDxfObjectReader;
class QvDxfObjectWriter;
class QvDxfOutput;

// Result-buffer lists as DXF groups, by one set of rules for the extended data of any object
// and the data of extended records. A point is its x group with its y group (code + 10) right
// after it and its z group (code + 20) when one follows; it is written with all three. Point
// codes are those of points in the DXF reference (10-18, 110-112, 210-213, 1010-1013); the
// other codes of coordinates are single reals. Integers are read in the range of their code,
// 1005 must be a handle, references (330-369, 390-399) become entity names, and binary chunks
// are hexadecimal digits: at most 127 bytes in extended data, as the database holds them.
// What does not hold is refused with the line of the group.
namespace QvDxfResbufs {

// The groups from `first` (the first 1001) to the end of the record, as extended data (a list
// the caller releases).
resbuf* readExtendedData(QvDxfObjectReader& in, size_t first);
// The groups of the selected subclass from `first` on that nothing has taken, as the data of
// an extended record (a list the caller releases; null when there is none).
resbuf* readRecordData(QvDxfObjectReader& in, size_t first);

// The groups of a list; references are written as the handles of the objects they name.
void write(QvDxfObjectWriter& out, const resbuf* list);

// Writes the value of `rb` when it is a number or a binary chunk, whose groups hold the value as
// it is; answers false, writing nothing, for points, texts and references, which each caller
// writes by its own rules.
bool writePlainValue(QvDxfOutput& out, const resbuf& rb);

}  // namespace QvDxfResbufs
