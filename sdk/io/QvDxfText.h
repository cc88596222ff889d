#pragma once

#include <string>
#include <string_view>

#include "sdk/base/QvString.h"

class QvDxfCodePage;

// Text of DXF files. Files from R2007 on are UTF-8; older ones use their code page
// ($DWGCODEPAGE, QvDxfCodePage; the Windows Latin-1 page without one). Either writes characters
// as "\U+XXXX" too. A value that claims to be UTF-8 but is not is read as Latin-1, so no byte
// is lost. Files written here are UTF-8; control characters, which would break the line
// structure, are written in caret notation ("^J" for a line feed), as DXF does.
namespace QvDxfText {

enum Encoding { kUtf8, kCodePage };

QvString decode(std::string_view raw, Encoding encoding, const QvDxfCodePage* page = nullptr);
// The value as UTF-8 text, unchanged when it is valid UTF-8 already without escapes.
std::string toUtf8(std::string_view raw, Encoding encoding, const QvDxfCodePage* page = nullptr);
bool isValidUtf8(std::string_view text);
// Appends `text` as UTF-8 with control characters in caret notation.
void appendEncoded(std::string& out, const QvString& text);
void appendEncoded(std::string& out, std::string_view utf8);
// The same as a new string: a value from a file that may hold control characters (a record's
// or a class's name) made fit to be written back.
std::string encoded(const QvString& text);
std::string encoded(std::string_view utf8);

}  // namespace QvDxfText
