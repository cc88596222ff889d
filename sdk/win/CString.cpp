#include "sdk/win/CString.h"

#include <cwchar>
#include <cwctype>
#include <ostream>
#include <type_traits>
#include <variant>
#include <vector>

#include "sdk/base/IVexaStringResources.h"

// Unlike QvString's, this constructor keeps characters after an embedded null.
CString::CString(const wchar_t* text, int count)
    : text_(text && count > 0 ? std::wstring(text, static_cast<size_t>(count)) : std::wstring()) {}

CString::CString(wchar_t ch, int count) : text_(ch, count) {}

wchar_t CString::GetAt(int index) const {
  return text_.getAt(index);
}

void CString::SetAt(int index, wchar_t ch) {
  text_.setAt(index, ch);
}

int CString::Compare(const wchar_t* other) const {
  return text_.compare(QvString(other));
}

int CString::CompareNoCase(const wchar_t* other) const {
  return text_.compareNoCase(QvString(other));
}

int CString::Find(wchar_t ch, int start) const {
  return text_.find(ch, start);
}

int CString::Find(const wchar_t* sub, int start) const {
  return text_.find(QvString(sub), start);
}

int CString::ReverseFind(wchar_t ch) const {
  return text_.findRev(ch);
}

int CString::FindOneOf(const wchar_t* chars) const {
  return text_.findOneOf(QvString(chars));
}

CString CString::Left(int count) const {
  return text_.left(count);
}

CString CString::Mid(int start) const {
  return text_.mid(start);
}

CString CString::Mid(int start, int count) const {
  return text_.mid(start, count);
}

CString CString::Right(int count) const {
  return text_.right(count);
}

CString& CString::MakeUpper() {
  text_.makeUpper();
  return *this;
}

CString& CString::MakeLower() {
  text_.makeLower();
  return *this;
}

CString& CString::Trim() {
  text_.trim();
  return *this;
}

CString& CString::TrimLeft() {
  text_.trimLeft();
  return *this;
}

CString& CString::TrimRight() {
  text_.trimRight();
  return *this;
}

CString& CString::TrimLeft(wchar_t ch) {
  text_.trimLeft(QvString(ch, 1));
  return *this;
}

CString& CString::TrimRight(wchar_t ch) {
  text_.trimRight(QvString(ch, 1));
  return *this;
}

int CString::Replace(const wchar_t* from, const wchar_t* to) {
  return text_.replace(QvString(from), QvString(to));
}

int CString::Replace(wchar_t from, wchar_t to) {
  return text_.replace(from, to);
}

int CString::Remove(wchar_t ch) {
  return text_.replace(QvString(ch, 1), QvString());
}

int CString::Insert(int index, const wchar_t* text) {
  text_.insert(index, QvString(text));
  return GetLength();
}

int CString::Delete(int index, int count) {
  text_.deleteAt(index, count);
  return GetLength();
}

void CString::Format(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
}

void CString::FormatV(const wchar_t* format, va_list args) {
  text_.formatV(format, args);
}

void CString::AppendFormat(const wchar_t* format, ...) {
  QvString out;
  va_list args;
  va_start(args, format);
  out.formatV(format, args);
  va_end(args);
  text_ += out;
}

namespace {

// One numbered insert of a message format: its printf conversion and the argument it takes.
struct MessageInsert {
  std::wstring directive = L"s";
  std::variant<std::monostate, long long, unsigned long long, double, const wchar_t*, const char*,
               void*>
      value;
};

enum class ArgKind { kSigned, kUnsigned, kDouble, kWide, kNarrow, kPointer };

ArgKind kindOf(const std::wstring& directive) {
  const wchar_t conv = directive.empty() ? L's' : directive.back();
  switch (vexaFormatArgument(conv)) {
    case VexaFormatArgument::kSignedInteger:
    case VexaFormatArgument::kCharacter:
      return ArgKind::kSigned;
    case VexaFormatArgument::kUnsignedInteger:
      return ArgKind::kUnsigned;
    case VexaFormatArgument::kFloating:
      return ArgKind::kDouble;
    case VexaFormatArgument::kPointer:
      return ArgKind::kPointer;
    default:
      return directive.find(L'h') != std::wstring::npos ? ArgKind::kNarrow : ArgKind::kWide;
  }
}

bool isLong(const std::wstring& directive) {
  return directive.find(L'l') != std::wstring::npos;
}
bool isLongLong(const std::wstring& directive) {
  return directive.find(L"ll") != std::wstring::npos;
}

// Reads each insert's argument, in insert-number order, with the type its conversion names.
void readArguments(std::vector<MessageInsert>& inserts, va_list args) {
  for (size_t i = 1; i < inserts.size(); ++i) {
    MessageInsert& insert = inserts[i];
    switch (kindOf(insert.directive)) {
      case ArgKind::kSigned:
        insert.value = isLongLong(insert.directive) ? va_arg(args, long long)
                       : isLong(insert.directive)   ? va_arg(args, long)
                                                    : va_arg(args, int);
        break;
      case ArgKind::kUnsigned:
        insert.value = isLongLong(insert.directive) ? va_arg(args, unsigned long long)
                       : isLong(insert.directive)   ? va_arg(args, unsigned long)
                                                    : va_arg(args, unsigned int);
        break;
      case ArgKind::kDouble:
        insert.value = va_arg(args, double);
        break;
      case ArgKind::kWide:
        insert.value = va_arg(args, const wchar_t*);
        break;
      case ArgKind::kNarrow:
        insert.value = va_arg(args, const char*);
        break;
      case ArgKind::kPointer:
        insert.value = va_arg(args, void*);
        break;
    }
  }
}

QvString formatInsert(const MessageInsert& insert) {
  const ArgKind kind = kindOf(insert.directive);
  const wchar_t conv = insert.directive.back();
  if (kind == ArgKind::kSigned && (conv == L'c' || conv == L'C'))
    return QvString(static_cast<wchar_t>(std::get<long long>(insert.value)), 1);
  std::wstring directive = L"%" + insert.directive;
  if (kind == ArgKind::kSigned || kind == ArgKind::kUnsigned || kind == ArgKind::kDouble) {
    // The value was read at full width: replace the length modifiers to match.
    directive.pop_back();
    while (directive.size() > 1 && std::wcschr(L"hljztL", directive.back())) directive.pop_back();
    if (kind != ArgKind::kDouble) directive += L"ll";
    directive += conv;
  }
  return std::visit(
      [&directive](auto value) -> QvString {
        if constexpr (std::is_same_v<decltype(value), std::monostate>) {
          return QvString();
        } else {
          return QvString::format(directive.c_str(), value);
        }
      },
      insert.value);
}

}  // namespace

void CString::FormatMessage(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  FormatMessageV(format, args);
  va_end(args);
}

void CString::FormatMessageV(const wchar_t* format, va_list args) {
  const std::wstring fmt = format ? format : L"";
  // First pass: the inserts and their conversions.
  std::vector<MessageInsert> inserts(1);
  struct Piece {
    std::wstring literal;
    int insert = 0;
  };
  std::vector<Piece> pieces;
  std::wstring literal;
  for (size_t i = 0; i < fmt.size(); ++i) {
    if (fmt[i] != L'%' || i + 1 >= fmt.size()) {
      literal += fmt[i];
      continue;
    }
    const wchar_t next = fmt[++i];
    if (next >= L'1' && next <= L'9') {
      int number = next - L'0';
      if (i + 1 < fmt.size() && std::iswdigit(fmt[i + 1])) number = number * 10 + (fmt[++i] - L'0');
      std::wstring directive;
      if (i + 1 < fmt.size() && fmt[i + 1] == L'!') {
        const size_t close = fmt.find(L'!', i + 2);
        if (close != std::wstring::npos && close > i + 2) {
          directive = fmt.substr(i + 2, close - i - 2);
          i = close;
        }
      }
      if (static_cast<size_t>(number) >= inserts.size()) inserts.resize(number + 1);
      if (!directive.empty()) inserts[number].directive = directive;
      pieces.push_back({literal, number});
      literal.clear();
    } else if (next == L'n') {
      literal += L'\n';
    } else if (next == L't') {
      literal += L'\t';
    } else {
      literal += next;  // %% % . ! and anything else: the character itself
    }
  }
  readArguments(inserts, args);
  // Second pass: the text.
  std::wstring out;
  for (const Piece& piece : pieces) {
    out += piece.literal;
    out += formatInsert(inserts[piece.insert]).wstr();
  }
  out += literal;
  text_ = QvString(std::move(out));
}

bool CString::LoadString(UINT id) {
  QvString text;
  const IVexaStringResources* resources = vexaStringResources();
  if (!resources || !resources->loadFromChain(id, text)) return false;
  text_ = std::move(text);
  return true;
}

std::ostream& operator<<(std::ostream& os, const CString& s) {
  return os << s.toQvString();
}
