#pragma once

#include <string>

#include "sdk/win/CString.h"
#include "sdk/win/CWnd.h"

// Parameters and replies of the item messages that list boxes and combo boxes share.
namespace VexaListMessages {

// A text parameter; null is sent as the empty text.
inline LPARAM text(const wchar_t* s) {
  return reinterpret_cast<LPARAM>(s ? s : L"");
}

// An item index parameter; -1 and other negative values keep their sign.
inline WPARAM index(int i) {
  return static_cast<WPARAM>(static_cast<LONG_PTR>(i));
}

// The text of item i, asked with the control's length and text messages; empty for an index
// the control refuses.
inline void itemText(const CWnd& control, UINT lengthMessage, UINT textMessage, int i,
                     CString& out) {
  const int length = static_cast<int>(control.SendMessage(lengthMessage, index(i)));
  if (length < 0) {
    out.Empty();
    return;
  }
  std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
  control.SendMessage(textMessage, index(i), reinterpret_cast<LPARAM>(buffer.data()));
  buffer.resize(static_cast<size_t>(length));
  out = CString(std::move(buffer));
}

}  // namespace VexaListMessages
