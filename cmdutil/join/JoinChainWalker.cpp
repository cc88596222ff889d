#include "cmdutil/join/JoinChainWalker.h"

JoinChainWalker::JoinChainWalker(const std::vector<CombineHelper::NumMap>& segments, int pointCount)
    : segments_(segments),
      points_(static_cast<size_t>(pointCount), PointSegments{0, 0, 0, 0}),
      startList_(segments.size()),
      endList_(segments.size()),
      taken_((segments.size() + 63) / 64, 0) {
  // A counting sort of the legs by point, each point's in segment order.
  for (const CombineHelper::NumMap& s : segments) {
    ++points_[static_cast<size_t>(s.startNum)].startEnd;
    ++points_[static_cast<size_t>(s.endNum)].endEnd;
  }
  int startAt = 0, endAt = 0;
  for (PointSegments& p : points_) {
    p.startCursor = startAt;
    startAt += p.startEnd;
    p.startEnd = p.startCursor;  // the fill position until the lists are full
    p.endCursor = endAt;
    endAt += p.endEnd;
    p.endEnd = p.endCursor;
  }
  for (size_t i = 0; i < segments.size(); ++i) {
    const CombineHelper::NumMap& s = segments[i];
    const int segment = static_cast<int>(i);
    startList_[static_cast<size_t>(points_[static_cast<size_t>(s.startNum)].startEnd++)] = {
        segment, s.endNum, s.bulge};
    endList_[static_cast<size_t>(points_[static_cast<size_t>(s.endNum)].endEnd++)] = {
        segment, s.startNum, -s.bulge};
  }
}

const JoinChainWalker::Leg* JoinChainWalker::takeFirstFree(const std::vector<Leg>& list,
                                                           int& cursor, int end) {
  while (cursor < end) {
    const Leg& leg = list[static_cast<size_t>(cursor++)];
    const size_t segment = static_cast<size_t>(leg.segment);
    if (!isTaken(segment)) {
      setTaken(segment);
      return &leg;
    }
  }
  return nullptr;
}

bool JoinChainWalker::takeNext(int num, double& bulge, int& next) {
  PointSegments& at = points_[static_cast<size_t>(num)];
  const Leg* leg = takeFirstFree(startList_, at.startCursor, at.startEnd);
  if (!leg) leg = takeFirstFree(endList_, at.endCursor, at.endEnd);
  if (!leg) return false;
  next = leg->other;
  bulge = leg->bulge;
  return true;
}

bool JoinChainWalker::nextChain(std::vector<JoinChainVertex>& chain) {
  while (firstFree_ < segments_.size() && isTaken(firstFree_)) ++firstFree_;
  if (firstFree_ == segments_.size()) return false;
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
