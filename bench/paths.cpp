// CFilePath::SetPath and GetRelativePath on a million Windows paths, against Python's
// ntpath.relpath on the same list.
//
//   bench_paths [COUNT]   (default 1000000)
//
// The paths lie on two drives and a share, two to six folders deep, each asked relative to a
// base folder of its own; a few bases are on another root. Both sides must give the same
// answers; prints both times and their ratio, and fails when this side is not 20 times as fast.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/support/BenchProcess.h"
#include "sdk/base/qvUtf8.h"
#include "xqcmdutil/CFilePath.h"

namespace {

constexpr double kGoal = 20.0;

const char* kSide = R"PY(
import ntpath, sys, time
pairs = [line.rstrip("\n").split("\t") for line in open(sys.argv[1], encoding="utf-8")]
start = time.perf_counter()
out = [ntpath.relpath(p, b) if ntpath.splitdrive(p)[0].lower() == ntpath.splitdrive(b)[0].lower() else p for p, b in pairs]
took = time.perf_counter() - start
open(sys.argv[2], "w", encoding="utf-8").write("\n".join(out) + "\n")
print(took)
)PY";

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 1000000;
  std::vector<std::wstring> paths, bases;
  paths.reserve(count);
  bases.reserve(count);
  const wchar_t* roots[] = {L"C:\\", L"D:\\", L"\\\\nas\\plans\\"};
  unsigned seed = 12345;
  auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 8; };
  for (int i = 0; i < count; ++i) {
    const std::wstring root = roots[next() % 3];
    std::wstring dir = root + L"Projects";
    const int depth = 2 + static_cast<int>(next() % 5);
    for (int d = 0; d < depth; ++d) dir += L"\\f" + std::to_wstring(next() % 7);
    paths.push_back(dir + L"\\plan" + std::to_wstring(i % 1000) + L".dwg");
    std::wstring base = (next() % 10 == 0 ? std::wstring(roots[next() % 3]) : root) + L"Projects";
    const int baseDepth = static_cast<int>(next() % 4);
    for (int d = 0; d < baseDepth; ++d) base += L"\\f" + std::to_wstring(next() % 7);
    bases.push_back(base);
  }

  std::vector<std::wstring> ours(count);
  double best = 1e30;
  for (int round = 0; round < 3; ++round) {
    const auto start = std::chrono::steady_clock::now();
    CFilePath path;
    for (int i = 0; i < count; ++i) {
      path.SetPath(paths[i].c_str());
      ours[i] = path.GetRelativePath(bases[i].c_str()).wstr();
    }
    best = std::min(
        best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }

  std::string folder = (std::filesystem::temp_directory_path() / "tarvo-bench-XXXXXX").string();
  if (!::mkdtemp(folder.data())) return 2;
  {
    std::ofstream list(folder + "/pairs.txt");
    for (int i = 0; i < count; ++i)
      list << qvNarrowUtf8(paths[i]) << '\t' << qvNarrowUtf8(bases[i]) << '\n';
    std::ofstream side(folder + "/side.py");
    side << kSide;
  }
  const double python = std::atof(runCommand("/usr/bin/python3 '" + folder + "/side.py' '" +
                                             folder + "/pairs.txt' '" + folder + "/python.txt'")
                                      .c_str());
  int differ = 0;
  {
    std::ifstream theirs(folder + "/python.txt");
    std::string line;
    for (int i = 0; i < count && std::getline(theirs, line); ++i)
      if (qvWidenUtf8(line) != ours[i] && differ++ < 3)
        std::fprintf(stderr, "differs: %s from %s: %s here, %s in Python\n",
                     qvNarrowUtf8(paths[i]).c_str(), qvNarrowUtf8(bases[i]).c_str(),
                     qvNarrowUtf8(ours[i]).c_str(), line.c_str());
  }
  std::filesystem::remove_all(folder);
  const double ratio = python / best;
  std::printf("%d paths: SetPath + GetRelativePath %.3f s, ntpath.relpath %.3f s, ratio %.1fx\n",
              count, best, python, ratio);
  std::printf("answers that differ: %d; goal of %.0fx: %s\n", differ, kGoal,
              ratio >= kGoal ? "met" : "NOT met");
  return differ == 0 && ratio >= kGoal ? 0 : 1;
}
