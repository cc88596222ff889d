#pragma once

class IVexaBuildInCommandContext;

// WCMATCH: whether a text matches a wildcard pattern (qvutWcMatchEx).
//   "Text: "                              blanks allowed
//   "Pattern: "                           e.g. DOOR*,~WIN[0-9]#; Enter is "*"
//   "Ignore case? [Yes/No] <No>: "
// Prints "Matches." or "Does not match."; answers kQvNormal either way, kQvCancel on a cancel.
class TarvoWcMatchCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
