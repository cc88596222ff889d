#pragma once

struct InsertCommandState;

// Entry of the attribute values of the request's reference (resultId). Values are collected
// in the request's attributeValues and written into the attributes only when the entry ends
// well; a question that fails leaves the attributes as they were.
namespace XqAttributeEntry {

// In the attribute dialog when "ATTDIA" is on and the command has a user, else on the
// command line. 5100, -5001 (no reference, one that does not open, a cancelled dialog), or
// the code of the question that failed.
int run(InsertCommandState& state);
int runDialog(InsertCommandState& state);
int runCommandLine(InsertCommandState& state);

}  // namespace XqAttributeEntry
