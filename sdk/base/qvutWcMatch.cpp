#include "sdk/base/qvutWcMatch.h"

#include <string_view>
#include <vector>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/QvString.h"

namespace {

bool isDigit(wchar_t c) {
  return c >= L'0' && c <= L'9';
}

// A letter: ASCII letters, and every character that has two cases.
bool isLetter(wchar_t c) {
  if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z')) return true;
  return c > 0x7F && qvToLower(c) != qvToUpper(c);
}

struct Range {
  wchar_t first;
  wchar_t last;
};

// One step of a pattern: a star, or a test of one character.
struct Token {
  enum Kind { kStar, kLiteral, kAny, kDigit, kLetter, kOther, kSet };
  explicit Token(Kind k) : kind(k) {}
  Kind kind;
  wchar_t ch = 0;
  bool negated = false;
  std::vector<Range> ranges;
};

class Alternative {
 public:
  // Reads one alternative from `pattern` at `pos`, up to an unescaped "," or the end; `pos`
  // ends after the comma.
  Alternative(std::wstring_view pattern, size_t& pos, bool ignoreCase) : ignoreCase_(ignoreCase) {
    if (pos < pattern.size() && pattern[pos] == L'~') {
      negated_ = true;
      ++pos;
    }
    while (pos < pattern.size()) {
      const wchar_t c = pattern[pos++];
      if (c == L',') {
        followed_ = true;
        return;
      }
      Token token(Token::kLiteral);
      switch (c) {
        case L'`':
          token.ch = pos < pattern.size() ? pattern[pos++] : L'`';
          break;
        case L'*':
          // Consecutive stars are one.
          if (!tokens_.empty() && tokens_.back().kind == Token::kStar) continue;
          token.kind = Token::kStar;
          break;
        case L'?':
          token.kind = Token::kAny;
          break;
        case L'#':
          token.kind = Token::kDigit;
          break;
        case L'@':
          token.kind = Token::kLetter;
          break;
        case L'.':
          token.kind = Token::kOther;
          break;
        case L'[':
          if (!readSet(pattern, pos, token)) token.ch = L'[';
          break;
        default:
          token.ch = c;
          break;
      }
      tokens_.push_back(std::move(token));
    }
  }

  bool matches(std::wstring_view text) const { return matchesPlain(text) != negated_; }
  // Whether a comma ended it, so that another alternative follows (perhaps an empty one).
  bool followed() const { return followed_; }

 private:
  // The list of a "[...]" from after its "[": false, `pos` unchanged, without its "]".
  static bool readSet(std::wstring_view pattern, size_t& pos, Token& token) {
    size_t at = pos;
    Token set(Token::kSet);
    if (at < pattern.size() && pattern[at] == L'~') {
      set.negated = true;
      ++at;
    }
    const size_t listStart = at;
    std::vector<wchar_t> chars;
    std::vector<bool> escaped;
    while (at < pattern.size() && (pattern[at] != L']' || at == listStart)) {
      const bool escape = pattern[at] == L'`' && at + 1 < pattern.size();
      if (escape) ++at;
      chars.push_back(pattern[at++]);
      escaped.push_back(escape);
    }
    if (at >= pattern.size()) return false;
    // "a-z" is a range; a "-" with nothing on one side, or escaped, is itself.
    for (size_t i = 0; i < chars.size(); ++i) {
      if (i + 2 < chars.size() && chars[i + 1] == L'-' && !escaped[i + 1]) {
        set.ranges.push_back({chars[i], chars[i + 2]});
        i += 2;
      } else {
        set.ranges.push_back({chars[i], chars[i]});
      }
    }
    pos = at + 1;
    token = std::move(set);
    return true;
  }

  bool inRanges(const Token& token, wchar_t c) const {
    for (const Range& r : token.ranges) {
      if (c >= r.first && c <= r.last) return true;
      if (ignoreCase_) {
        const wchar_t lower = qvToLower(c);
        const wchar_t upper = qvToUpper(c);
        if ((lower >= r.first && lower <= r.last) || (upper >= r.first && upper <= r.last))
          return true;
      }
    }
    return false;
  }

  bool matchesOne(const Token& token, wchar_t c) const {
    switch (token.kind) {
      case Token::kLiteral:
        return c == token.ch || (ignoreCase_ && qvToLower(c) == qvToLower(token.ch));
      case Token::kAny:
        return true;
      case Token::kDigit:
        return isDigit(c);
      case Token::kLetter:
        return isLetter(c);
      case Token::kOther:
        return !isDigit(c) && !isLetter(c);
      case Token::kSet:
        return inRanges(token, c) != token.negated;
      case Token::kStar:
        break;
    }
    return false;
  }

  // Every token but a star takes one character, so a star only ever needs to be retried
  // from the last one seen, one character further each time.
  bool matchesPlain(std::wstring_view text) const {
    size_t t = 0;
    size_t p = 0;
    size_t starToken = std::wstring_view::npos;
    size_t starText = 0;
    while (t < text.size()) {
      if (p < tokens_.size() && tokens_[p].kind == Token::kStar) {
        starToken = p++;
        starText = t;
      } else if (p < tokens_.size() && matchesOne(tokens_[p], text[t])) {
        ++p;
        ++t;
      } else if (starToken != std::wstring_view::npos) {
        p = starToken + 1;
        t = ++starText;
      } else {
        return false;
      }
    }
    while (p < tokens_.size() && tokens_[p].kind == Token::kStar) ++p;
    return p == tokens_.size();
  }

  bool ignoreCase_;
  bool negated_ = false;
  bool followed_ = false;
  std::vector<Token> tokens_;
};

}  // namespace

int qvutWcMatchEx(const wchar_t* text, const wchar_t* pattern, bool ignoreCase) {
  if (!text || !pattern) return kQvError;
  const std::wstring_view source(*pattern ? pattern : L"*");
  const std::wstring_view subject(text);
  size_t pos = 0;
  for (;;) {
    const Alternative alternative(source, pos, ignoreCase);
    if (alternative.matches(subject)) return kQvNormal;
    if (!alternative.followed()) return kQvError;
  }
}
