#pragma once

#include <iosfwd>

// Writes every registered runtime class, in name order, as "Name : Parent" (a root class
// alone), and under each entity class the protocol extensions attached to that class itself,
// one per line as "    + Protocol: ExtensionClass". Ends with a line of totals.
void writeTarvoClassListing(std::ostream& out);
