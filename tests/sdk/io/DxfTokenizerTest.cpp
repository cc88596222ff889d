// Splitting DXF text into groups: values of every length up to past the short-value scan, line
// ends of both kinds, bytes next to the line feed's value, and the lines groups are found at.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sdk/io/QvDxfError.h"
#include "sdk/io/QvDxfTokenizer.h"

namespace {

struct Group {
  int code;
  std::string value;
};

// Values 0 to 40 characters long, drawn from bytes that differ from a line feed in one bit or
// that look like one after a borrow (0x0B, 0x8A, 0x09, 0x0A ^ 0x80), and UTF-8 text.
std::vector<Group> sampleGroups() {
  const std::string alphabet = std::string("AcDb0.5-\x0B\x8A\t\xC3\xA9 ") + "zZ9";
  std::vector<Group> groups;
  for (int length = 0; length <= 40; ++length) {
    std::string value;
    for (int i = 0; i < length; ++i) value += alphabet[(i * 7 + length) % alphabet.size()];
    if (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
      value.back() = 'x';  // blanks at the end are the value's own: kept, but not tested here
    groups.push_back({length % 2 ? 1 : 1000, value});
  }
  return groups;
}

std::string fileOf(const std::vector<Group>& groups, const std::string& lineEnd,
                   bool finalLineEnd) {
  std::string text;
  for (const Group& g : groups) text += std::to_string(g.code) + lineEnd + g.value + lineEnd;
  text += "  0" + lineEnd + "EOF";
  if (finalLineEnd) text += lineEnd;
  return text;
}

TEST(DxfTokenizerTest, ValuesOfEveryLengthWithEitherLineEnd) {
  const std::vector<Group> groups = sampleGroups();
  for (const std::string lineEnd : {"\n", "\r\n"}) {
    for (const bool finalLineEnd : {true, false}) {
      const QvDxfTokens tokens = QvDxfTokenizer::tokenize(fileOf(groups, lineEnd, finalLineEnd));
      ASSERT_EQ(groups.size(), tokens.size());
      for (size_t i = 0; i < groups.size(); ++i) {
        EXPECT_EQ(groups[i].code, tokens.code(i)) << i;
        EXPECT_EQ(groups[i].value, tokens.value(i)) << "group " << i;
        EXPECT_EQ(2 * i + 1, tokens[i].line) << "group " << i;  // the code's line, from 1
      }
    }
  }
}

TEST(DxfTokenizerTest, LongValuesAndCarriageReturnsBeforeTheLineFeed) {
  const std::string longValue(5000, 'q');
  const QvDxfTokens tokens =
      QvDxfTokenizer::tokenize(" 1\n" + longValue + "\n1\nab\r\r\n1\n\r\n0\nEOF");
  ASSERT_EQ(3u, tokens.size());
  EXPECT_EQ(longValue, tokens.value(0));
  EXPECT_EQ("ab", tokens.value(1));
  EXPECT_EQ("", tokens.value(2));
  EXPECT_EQ(5u, tokens[2].line);
}

TEST(DxfTokenizerTest, CodesOutsideTheTableAreRefused) {
  for (const char* code : {"-1", "1072", "20000", "1090", "255"}) {
    try {
      QvDxfTokenizer::tokenize(std::string(code) + "\nX\n0\nEOF\n");
      ADD_FAILURE() << code << " was taken";
    } catch (const QvDxfError& e) {
      EXPECT_NE(std::string(e.what()).find("does not exist"), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(1u, QvDxfTokenizer::tokenize("1071\n7\n0\nEOF\n").size());
}

}  // namespace
