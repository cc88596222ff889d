#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A group kept as it was read: its code and its value as UTF-8 text.
struct QvDxfRawGroup {
  int16_t code = 0;
  std::string text;

  friend bool operator==(const QvDxfRawGroup& a, const QvDxfRawGroup& b) {
    return a.code == b.code && a.text == b.text;
  }
};

using QvDxfRawGroups = std::vector<QvDxfRawGroup>;
