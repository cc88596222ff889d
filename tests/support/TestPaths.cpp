#include "tests/support/TestPaths.h"

std::string testDataDir() {
  return TARVO_TEST_DATA_DIR;
}

std::string testBinaryDir() {
  return TARVO_BINARY_DIR;
}
