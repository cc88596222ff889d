#pragma once

#include <cstdint>

// Places of kept groups among an object's groups (QvDbFileGroup::slot). A filer's subclass
// markers number its subclasses from 1; the groups kept from subclass k are written after the
// groups the filer writes for it. Filers may use places of their own from kFirstCustom on.
namespace QvDxfSlot {

constexpr uint16_t kHead = 0;  // before the first subclass marker
constexpr uint16_t kMaxSubclass = 31;
constexpr uint16_t kEmbedded = 32;  // after an embedded object's marker (101), written last
constexpr uint16_t kXData = 33;     // extended data kept as groups (of markers that are no objects)
constexpr uint16_t kMarkerHandle = 34;  // the handle of a marker that is no object (not written)
constexpr uint16_t kBasePoint = 35;     // a block's base point, until the database holds it
constexpr uint16_t kFirstCustom = 64;
// The groups of a block's BLOCK and ENDBLK markers, kept with its block table record: their
// head, subclasses and extended data at these bases plus the usual slot.
constexpr uint16_t kBlockBegin = 100;
constexpr uint16_t kBlockEnd = 140;
// Not written as groups of their own: the unmodelled bits of a flags group, merged into the
// value the filer writes, and the text of a value read with a unit conversion (an angle in
// degrees), written again while the value is unchanged.
constexpr uint16_t kMerged = 0xFFF0;
constexpr uint16_t kHint = 0xFFF1;

}  // namespace QvDxfSlot
