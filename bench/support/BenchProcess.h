#pragma once

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

// What the benchmarks share: running a peer's command and timing a stretch of work.

// Runs a shell command and answers what it printed; a failing command ends the benchmark.
inline std::string runCommand(const std::string& command) {
  std::string output;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return output;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof(buffer), pipe)) > 0) output.append(buffer, n);
  if (::pclose(pipe) != 0) {
    std::fprintf(stderr, "failed: %s\n%s", command.c_str(), output.c_str());
    std::exit(2);
  }
  return output;
}

// Seconds since `since`.
inline double secondsSince(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The rounds of a stretch of work that lasts tens of milliseconds. At that length a round now
// and then lands in a slow spell of a shared machine (half again as long), so both sides take
// the best of at least seven rounds.
inline int shortStretchRounds(int rounds) {
  return rounds > 7 ? rounds : 7;
}

// Processor seconds this process has used so far (user and system): unlike elapsed time, not
// inflated by other programs sharing the machine.
inline double processSeconds() {
  timespec now{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// The best seconds of each side over `turns` turns: two rounds of ours (a negative answer is a
// failure), then a turn of theirs. Only warm rounds count: ours runs once untimed first, and
// each turn keeps the better of two rounds on either side (the peer's command is expected to
// run two of its own). Taking turns puts a slow spell of the machine on both sides alike.
// False when a round of ours failed.
template <typename Ours, typename Theirs>
bool takeTurns(int turns, Ours&& ours, Theirs&& theirs, double& here, double& there) {
  here = there = 1e30;
  if (ours() < 0) return false;
  for (int turn = 0; turn < turns; ++turn) {
    for (int round = 0; round < 2; ++round) {
      const double seconds = ours();
      if (seconds < 0) return false;
      here = std::min(here, seconds);
    }
    there = std::min(there, theirs());
  }
  return true;
}
