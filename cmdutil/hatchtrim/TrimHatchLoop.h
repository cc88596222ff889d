#pragma once

#include "sdk/base/QvArray.h"
#include "sdk/ge/QvGeCurve2d.h"
#include "sdk/ge/QvGePoint2d.h"
#include "xqcmdutil/CTrimHatch.h"

// A new hatch loop before it goes into the hatch: its edges (owned) and their types, and the
// seed point of its face (on the first loop of each face).
struct CTrimHatch::Loop {
  struct Edges {
    Edges() = default;
    Edges(Edges&& other) noexcept : items(std::move(other.items)) { other.items.removeAll(); }
    Edges(const Edges&) = delete;
    Edges& operator=(const Edges&) = delete;
    ~Edges() {
      for (QvGeCurve2d* edge : items) delete edge;
    }
    QvArray<QvGeCurve2d*> items;
  };
  Edges edges;
  QvArray<int> types;
  QvGePoint2d seed;
  bool hasSeed = false;
};
