#pragma once

// Matches `text` against a wildcard pattern of the classic interface. Returns kQvNormal when
// it matches; kQvError when it does not, or for a null argument. With `ignoreCase` letters
// match in either case.
//
//   *        any sequence of characters, none included
//   ?        any one character
//   #        any one digit
//   @        any one letter
//   .        any one character that is neither a letter nor a digit
//   [abc]    any one of the characters listed; "a-z" is a range, and a "]" first in the list
//            or a "-" first or last stands for itself
//   [~abc]   any one character not listed
//   ~p       at the start of a pattern: anything that p does not match
//   p,q      p or q; each may start with its own "~"
//   `c       the character c itself (`*, `,, ``)
// An empty pattern is "*". A "[" without its "]" stands for itself. Matching takes time in
// proportion to the lengths of text and pattern multiplied, without recursion.
int qvutWcMatchEx(const wchar_t* text, const wchar_t* pattern, bool ignoreCase);
