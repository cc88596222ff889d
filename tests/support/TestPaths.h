#pragma once

#include <string>

// Folders of this checkout and build, known only to TestPaths.cpp so that no other test
// object depends on where the checkout lies (compiled objects stay shareable between checkouts).
std::string testDataDir();
std::string testBinaryDir();
