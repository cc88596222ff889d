#include <cstdio>
#include <cstring>

#include "host/TarvoVersion.h"

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("tarvo %s\n", tarvoVersion());
    return 0;
  }
  std::fprintf(stderr, "usage: tarvo --version\n");
  return 2;
}
