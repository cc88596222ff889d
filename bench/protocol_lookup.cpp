// The protocol lookup x(desc) as host commands use it to reach the module's entity protocol
// extension: through a three-level class chain (two classes below QvDbLine, which carries the
// extension) and directly on a line. Reports lookups per second and heap allocations per
// lookup, and fails when a lookup allocates or misses.
//
//   bench_protocol_lookup [LOOKUPS]
#include <chrono>
#include <cstdint>
#include <cstdio>

#include "bench/support/BenchProcess.h"
#include "bench/support/CountedAllocations.h"
#include "sdk/app/VexaDocumentManager.h"
#include "sdk/base/VexaHost.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/rx/QvRxClass.h"
#include "xqcmdutil/VexaEntityPE.h"
#include "xqcmdutil/XqCmdUtilEntry.h"

namespace {

// An object of a class two levels below QvDbLine: the lookup misses twice before it finds the
// line's extension.
class LeafObject : public QvRxObject {
 public:
  explicit LeafObject(QvRxClass* cls) : cls_(cls) {}
  QvRxClass* isA() const override { return cls_; }

 private:
  QvRxClass* cls_;
};

struct Result {
  double perSecond = 0.0;
  double allocationsPerLookup = 0.0;
  long misses = 0;
};

Result time(const QvRxObject& object, long lookups) {
  const QvRxClass* protocol = VexaEntityPE::desc();
  const QvRxObject* expected = object.x(protocol);
  long misses = expected ? 0 : lookups;
  const long allocationsBefore = countedAllocations();
  const auto start = std::chrono::steady_clock::now();
  for (long i = 0; i < lookups; ++i) {
    const QvRxObject* found = object.x(protocol);
    // Keeps the lookup in the loop.
    asm volatile("" : : "r"(found) : "memory");
    misses += found != expected;
  }
  const double seconds = secondsSince(start);
  Result result;
  result.perSecond = static_cast<double>(lookups) / seconds;
  result.allocationsPerLookup =
      static_cast<double>(countedAllocations() - allocationsBefore) / static_cast<double>(lookups);
  result.misses = misses;
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  const long lookups = argc > 1 ? std::atol(argv[1]) : 20'000'000;
  if (lookups <= 0) {
    std::fprintf(stderr, "usage: bench_protocol_lookup [LOOKUPS]\n");
    return 2;
  }
  VexaHost host;
  host.service<VexaDocumentManager>().newDocument();
  IVexaCmdApplication* app = GetVexaCmdApplication();
  const long beforeLoad = countedAllocations();
  if (!app->initApplication()) {
    std::fprintf(stderr, "the module did not load\n");
    return 2;
  }
  QvRxClass* middle = newQvRxClass(L"BenchLineBelow", L"QvDbLine");
  QvRxClass* leaf = newQvRxClass(L"BenchLineBelowBelow", L"BenchLineBelow");
  qvrxBuildClassHierarchy();
  // Loading makes the extension objects: a counter that saw none would prove nothing.
  const long loadAllocations = countedAllocations() - beforeLoad;
  if (loadAllocations == 0) {
    std::fprintf(stderr, "the allocation counter counts nothing\n");
    return 2;
  }
  const LeafObject deep(leaf);
  const QvDbLine line(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0));

  const Result chain = time(deep, lookups);
  const Result direct = time(line, lookups);
  std::printf(
      "x(VexaEntityPE::desc()), %ld lookups each (loading the module allocated %ld times)\n",
      lookups, loadAllocations);
  std::printf("  three-level chain  %12.0f lookups/s  %.3f allocations/lookup\n", chain.perSecond,
              chain.allocationsPerLookup);
  std::printf("  on the line itself %12.0f lookups/s  %.3f allocations/lookup\n", direct.perSecond,
              direct.allocationsPerLookup);

  deleteQvRxClass(leaf);
  deleteQvRxClass(middle);
  app->exitApplication();
  if (chain.misses || direct.misses) {
    std::fprintf(stderr, "a lookup missed the extension\n");
    return 1;
  }
  if (chain.allocationsPerLookup > 0.0 || direct.allocationsPerLookup > 0.0) {
    std::fprintf(stderr, "a lookup allocated\n");
    return 1;
  }
  return 0;
}
