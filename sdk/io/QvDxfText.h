#pragma once

#include <string>
#include <string_view>

#include "sdk/base/QvString.h"

// Text of DXF files. Files from R2007 on are UTF-8; older ones use their code page
// ($DWGCODEPAGE; the Windows Latin-1 page is read for every single-byte page) and write other
// characters as "\U+XXXX". A value that claims to be UTF-8 but is not is read as Latin-1, so no
// byte is lost. Files written here are UTF-8; control characters, which would break the line
// structure, are written in caret notation ("^J" for a line feed), as DXF does.
namespace QvDxfText {

enum Encoding { kUtf8, kCodePage };

QvString decode(std::string_view raw, Encoding encoding);
// The value as UTF-8 text, unchanged when it is valid UTF-8 already.
std::string toUtf8(std::string_view raw, Encoding encoding);
bool isValidUtf8(std::string_view text);
// Appends `text` as UTF-8 with control characters in caret notation.
void appendEncoded(std::string& out, const QvString& text);
void appendEncoded(std::string& out, std::string_view utf8);

}  // namespace QvDxfText
