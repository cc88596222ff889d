#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// A zip container read whole from memory: its entries by name, stored or deflated. Entries
// larger than a limit are not inflated, so a small file cannot blow up in memory.
class VexaZipArchive {
 public:
  // Nothing when `bytes` is no zip container (no end record, or a directory that does not fit).
  static std::optional<VexaZipArchive> read(std::string bytes);

  std::vector<std::string> names() const;
  // The contents of the entry named `name` (compared without regard to ASCII case, "/" and "\"
  // alike); nothing when there is none or it cannot be read (an unknown method, damaged data,
  // larger than `limit`).
  std::optional<std::string> contents(const std::string& name, size_t limit = 16u << 20) const;

 private:
  struct Entry {
    std::string name;
    unsigned method = 0;
    size_t compressedSize = 0;
    size_t size = 0;
    size_t localHeader = 0;
  };

  std::string bytes_;
  std::vector<Entry> entries_;
};
