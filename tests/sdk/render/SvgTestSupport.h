#pragma once

#include <sstream>
#include <string>
#include <vector>

// The lines of an SVG document that hold an element of that name, in order.
inline std::vector<std::string> elements(const std::string& svg, const std::string& name) {
  std::vector<std::string> found;
  std::istringstream lines(svg);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("<" + name + " ", 0) == 0) found.push_back(line);
  return found;
}
