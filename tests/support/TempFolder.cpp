#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tarvo-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) ADD_FAILURE() << "no temporary folder";
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string TempFolder::file(const std::string& name, const std::string& text) const {
  const std::string at = path(name);
  std::ofstream out(at, std::ios::binary);
  out << text;
  EXPECT_TRUE(out.good()) << "cannot write " << at;
  return at;
}
