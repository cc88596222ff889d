#include <iostream>
#include <string>
#include <vector>

#include "host/TarvoProgram.h"

int main(int argc, char** argv) {
  TarvoProgram program(std::cout, std::cerr);
  return program.run(std::vector<std::string>(argv + 1, argv + argc));
}
