#pragma once

#include <iosfwd>

class QvDbDatabase;

// Describes a drawing for `tarvo info`: its layers (colour and state), its block definitions
// (entities and references), then, for model space, each layout's paper space and each block,
// the number of live entities of each class.
//
//   Layers: 2
//     0  colour 7
//     Walls  colour 1  frozen
//   Blocks: 1
//     Tree  2 entities  3 references
//   Model space: 4 entities
//     QvDbBlockReference  3
//     QvDbLine  1
//   Layout "Layout1": 0 entities
//   Block "Tree": 2 entities
//     QvDbCircle  2
class TarvoDrawingInfo {
 public:
  static void write(QvDbDatabase& db, std::ostream& out);
};
