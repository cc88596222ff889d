#pragma once

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
  // Takes the first free segment starting at `num`, else the first free one ending there.
  bool takeNext(int num, double& bulge, int& next);
  // The first free segment in `list` from `cursor` on (advancing the cursor), or -1.
  int takeFirstFree(const std::vector<int>& list, int& cursor, int end);

  const std::vector<CombineHelper::NumMap>& segments_;
  // Segments by start point: those of point p are startList_[startBegin_[p] .. [p + 1]).
  std::vector<int> startBegin_, startList_, startCursor_;
  std::vector<int> endBegin_, endList_, endCursor_;
  std::vector<char> taken_;
  size_t firstFree_ = 0;
  std::vector<JoinChainVertex> forward_, backward_;
};
