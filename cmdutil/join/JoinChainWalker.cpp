#include "cmdutil/join/JoinChainWalker.h"

#include <algorithm>

namespace {

// The segments of each point by one end, in segment order (a counting sort): `begin` gets
// pointCount + 1 offsets into `list`.
template <typename EndOf>
void groupByPoint(const std::vector<CombineHelper::NumMap>& segments, int pointCount, EndOf endOf,
                  std::vector<int>& begin, std::vector<int>& list) {
  begin.assign(static_cast<size_t>(pointCount) + 1, 0);
  for (const CombineHelper::NumMap& s : segments) ++begin[static_cast<size_t>(endOf(s)) + 1];
  for (size_t p = 1; p < begin.size(); ++p) begin[p] += begin[p - 1];
  list.resize(segments.size());
  std::vector<int> fill(begin.begin(), begin.end() - 1);
  for (size_t i = 0; i < segments.size(); ++i)
    list[static_cast<size_t>(fill[static_cast<size_t>(endOf(segments[i]))]++)] =
        static_cast<int>(i);
}

}  // namespace

JoinChainWalker::JoinChainWalker(const std::vector<CombineHelper::NumMap>& segments, int pointCount)
    : segments_(segments), taken_(segments.size(), 0) {
  groupByPoint(
      segments, pointCount, [](const CombineHelper::NumMap& s) { return s.startNum; }, startBegin_,
      startList_);
  groupByPoint(
      segments, pointCount, [](const CombineHelper::NumMap& s) { return s.endNum; }, endBegin_,
      endList_);
  startCursor_.assign(startBegin_.begin(), startBegin_.end() - 1);
  endCursor_.assign(endBegin_.begin(), endBegin_.end() - 1);
}

int JoinChainWalker::takeFirstFree(const std::vector<int>& list, int& cursor, int end) {
  while (cursor < end) {
    const int segment = list[static_cast<size_t>(cursor++)];
    if (!taken_[static_cast<size_t>(segment)]) {
      taken_[static_cast<size_t>(segment)] = 1;
      return segment;
    }
  }
  return -1;
}

bool JoinChainWalker::takeNext(int num, double& bulge, int& next) {
  const size_t p = static_cast<size_t>(num);
  if (const int s = takeFirstFree(startList_, startCursor_[p], startBegin_[p + 1]); s >= 0) {
    next = segments_[static_cast<size_t>(s)].endNum;
    bulge = segments_[static_cast<size_t>(s)].bulge;
    return true;
  }
  if (const int s = takeFirstFree(endList_, endCursor_[p], endBegin_[p + 1]); s >= 0) {
    next = segments_[static_cast<size_t>(s)].startNum;
    bulge = -segments_[static_cast<size_t>(s)].bulge;
    return true;
  }
  return false;
}

bool JoinChainWalker::nextChain(std::vector<JoinChainVertex>& chain) {
  while (firstFree_ < taken_.size() && taken_[firstFree_]) ++firstFree_;
  if (firstFree_ == taken_.size()) return false;
  const int start = segments_[firstFree_].startNum;

  double bulge = 0.0;
  int next = -1;
  forward_.clear();
  int cur = start;
  for (; takeNext(cur, bulge, next); cur = next) forward_.push_back({cur, bulge});
  forward_.push_back({cur, 0.0});
  backward_.clear();
  for (cur = start; takeNext(cur, bulge, next); cur = next) backward_.push_back({next, bulge});

  // The backward part runs the other way: reversed, each bulge turned over.
  chain.clear();
  chain.reserve(backward_.size() + forward_.size());
  for (auto it = backward_.rbegin(); it != backward_.rend(); ++it)
    chain.push_back({it->num, -it->bulge});
  chain.insert(chain.end(), forward_.begin(), forward_.end());
  return true;
}
