#pragma once

#include <memory>
#include <vector>

#include "sdk/base/QvString.h"

// The keywords a question accepts, as given to qvedInitGet or a drag: local keywords separated
// by blanks, then optionally "_" and the global keywords in the same order
// ("Yes No _Yes No"). Without global ones, each local keyword is its own global one; a local
// keyword without a global partner keeps itself. " " or "" is no keyword.
//
// An answer names a keyword when, ignoring case, it is the whole keyword, its capital letters
// ("PS" for "PScale"), or a beginning of it that reaches its last capital letter ("psc").
// A keyword without capital letters must be typed whole. An answer starting with "_" is
// matched the same way against the global keywords.
//
// Questions ask with the same few keyword texts over and over: each text is read once, and the
// lists read from it are shared by every list made from it (they never change).
class VexaKeywordList {
 public:
  VexaKeywordList();
  explicit VexaKeywordList(const QvString& text);

  bool isEmpty() const { return lists_->local.empty(); }
  int count() const { return static_cast<int>(lists_->local.size()); }
  const QvString& local(int i) const { return lists_->local[static_cast<size_t>(i)]; }
  const QvString& global(int i) const { return lists_->global[static_cast<size_t>(i)]; }

  // The index of the keyword `answer` names, or -1. A whole keyword wins over an abbreviation;
  // otherwise the first keyword in the list that matches.
  int match(const QvString& answer) const;
  // The local keywords joined by "/", as a prompt shows the options ("Yes/No").
  QvString options() const;

 private:
  static int matchIn(const std::vector<QvString>& keywords, const QvString& answer);
  static bool abbreviates(const QvString& answer, const QvString& keyword);

  struct Lists {
    std::vector<QvString> local;
    std::vector<QvString> global;
  };
  static std::shared_ptr<const Lists> read(const QvString& text);
  static const std::shared_ptr<const Lists>& none();

  std::shared_ptr<const Lists> lists_;
};
