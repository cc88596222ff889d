#pragma once

#include <cstdint>
#include <vector>

#include "xqcmdutil/CombineHelper.h"

// One vertex of a chain: a point number and the bulge of the segment that leaves it towards
// the next vertex (0 at the last).
struct JoinChainVertex {
  int num = 0;
  double bulge = 0.0;
};

// Chains numbered segments into polylines the way CombineHelper::FindNextPointNum walks a
// list, without its searches: every point keeps the segments that start there and those that
// end there, each in segment order, with a cursor past those already taken, so that finding
// the next segment costs O(1) amortised.
class JoinChainWalker {
 public:
  // `segments` must outlive the walker; their numbers are below `pointCount`.
  JoinChainWalker(const std::vector<CombineHelper::NumMap>& segments, int pointCount);

  // The next chain: from the start of the first segment not yet taken, forwards as far as
  // segments lead, then backwards from there, the backward part reversed in front with its
  // bulges negated. False when every segment is taken.
  bool nextChain(std::vector<JoinChainVertex>& chain);

 private:
  // Where a point's segments are: startList_[startCursor .. startEnd) start there,
  // endList_[endCursor .. endEnd) end there; the cursors pass the segments taken.
  struct PointSegments {
    int startCursor, startEnd, endCursor, endEnd;
  };
  // A segment as seen from one of its ends: the other end, and the bulge going there.
  struct Leg {
    int segment;
    int other;
    double bulge;
  };

  // Takes the first free segment starting at `num`, else the first free one ending there.
  bool takeNext(int num, double& bulge, int& next);
  // The first free segment in `list` from `cursor` on (advancing the cursor), or null.
  const Leg* takeFirstFree(const std::vector<Leg>& list, int& cursor, int end);
  bool isTaken(size_t segment) const { return (taken_[segment >> 6] >> (segment & 63)) & 1u; }
  void setTaken(size_t segment) { taken_[segment >> 6] |= uint64_t{1} << (segment & 63); }

  const std::vector<CombineHelper::NumMap>& segments_;
  std::vector<PointSegments> points_;
  std::vector<Leg> startList_, endList_;
  std::vector<uint64_t> taken_;  // a bit per segment: small enough to stay in the cache
  size_t firstFree_ = 0;
  std::vector<JoinChainVertex> forward_, backward_;
};
