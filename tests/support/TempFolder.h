#pragma once

#include <string>

// A folder of its own for a test, removed with its files at the end.
class TempFolder {
 public:
  TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();
  std::string path(const std::string& name) const { return path_ + "/" + name; }
  // Writes `text` to a file of the folder; its path.
  std::string file(const std::string& name, const std::string& text) const;

 private:
  std::string path_;
};
