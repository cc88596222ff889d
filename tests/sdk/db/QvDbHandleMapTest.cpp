// The handle table against a standard map, through runs of additions and removals dense
// enough that probes wrap around the table's end and removals shift whole runs back.
#include <gtest/gtest.h>

#include <random>
#include <unordered_map>

#include "sdk/db/QvDbHandleMap.h"

namespace {

TEST(QvDbHandleMapTest, AgreesWithAStandardMapThroughAdditionsAndRemovals) {
  std::vector<QvDbObjectStub*> stubs(64);
  for (size_t i = 0; i < stubs.size(); ++i)
    stubs[i] = reinterpret_cast<QvDbObjectStub*>(8 * (i + 1));
  QvDbHandleMap map;
  std::unordered_map<uint64_t, QvDbObjectStub*> oracle;
  std::mt19937 random(7);
  for (int step = 0; step < 200000; ++step) {
    // Few keys, so that the table stays small and crowded near half full.
    const uint64_t handle = random() % 90;
    QvDbObjectStub* stub = stubs[random() % stubs.size()];
    switch (random() % 3) {
      case 0:
        map.set(handle, stub);
        if (handle != 0) oracle[handle] = stub;
        break;
      case 1:
        map.erase(handle);
        oracle.erase(handle);
        break;
      default: {
        const auto it = oracle.find(handle);
        ASSERT_EQ(map.find(handle), it == oracle.end() ? nullptr : it->second) << step;
      }
    }
    ASSERT_EQ(map.size(), oracle.size()) << step;
  }
  for (uint64_t handle = 0; handle < 90; ++handle) {
    const auto it = oracle.find(handle);
    EXPECT_EQ(map.find(handle), it == oracle.end() ? nullptr : it->second) << handle;
  }
  // Setting a null stub removes; the null handle is never kept.
  map.set(0, stubs[0]);
  EXPECT_FALSE(map.contains(0));
  map.set(5, stubs[1]);
  map.set(5, nullptr);
  EXPECT_FALSE(map.contains(5));
  map.clear();
  EXPECT_EQ(map.size(), 0u);
  EXPECT_EQ(map.find(17), nullptr);
}

}  // namespace
