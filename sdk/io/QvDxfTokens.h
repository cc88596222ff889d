#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One group of a DXF file: its code, where its value lies in the file's text and the line of
// its code (the value is on the next line).
struct QvDxfToken {
  uint32_t offset = 0;
  uint32_t length = 0;
  uint32_t line = 0;
  int16_t code = 0;
};

// A DXF file split into groups: the file's text and its groups in order, up to and without
// the end marker (0 EOF). Comments (999) are left out.
class QvDxfTokens {
 public:
  QvDxfTokens() = default;
  QvDxfTokens(std::string text, std::vector<QvDxfToken> tokens)
      : text_(std::move(text)), tokens_(std::move(tokens)) {}

  size_t size() const { return tokens_.size(); }
  const QvDxfToken& operator[](size_t i) const { return tokens_[i]; }
  int code(size_t i) const { return tokens_[i].code; }
  std::string_view value(size_t i) const { return value(tokens_[i]); }
  std::string_view value(const QvDxfToken& t) const {
    return std::string_view(text_.data() + t.offset, t.length);
  }
  // The first group 0 after i (a record's end), or `end`.
  size_t recordEnd(size_t i, size_t end) const {
    size_t j = i + 1;
    while (j < end && tokens_[j].code != 0) ++j;
    return j;
  }
  // Whether group i is (code, value).
  bool is(size_t i, int code, std::string_view value) const {
    return i < tokens_.size() && tokens_[i].code == code && this->value(i) == value;
  }
  // The line after the last group, for messages about a missing end.
  uint32_t endLine() const { return endLine_; }
  void setEndLine(uint32_t line) { endLine_ = line; }

 private:
  std::string text_;
  std::vector<QvDxfToken> tokens_;
  uint32_t endLine_ = 0;
};
