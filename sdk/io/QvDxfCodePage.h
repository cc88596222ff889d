#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

// The code page of a DXF file older than R2007, named by its $DWGCODEPAGE ("ANSI_1251",
// "DOS850", "MACINTOSH", "ANSI_932"). Single-byte pages decode through a table made once;
// multi-byte ones through the system's converter. The Windows Latin-1 page (1252) is the
// default, and what a byte no page maps becomes.
class QvDxfCodePage {
 public:
  QvDxfCodePage();
  ~QvDxfCodePage();
  QvDxfCodePage(const QvDxfCodePage&) = delete;
  QvDxfCodePage& operator=(const QvDxfCodePage&) = delete;

  // Selects the page of a $DWGCODEPAGE name; false (and the default page) for a name this
  // reader does not know or the system cannot convert.
  bool select(std::string_view dwgName);
  // The system converter's name of the page ("CP1251"), "CP1252" for the default.
  const std::string& name() const { return name_; }
  // Bytes of the page as text.
  void appendDecoded(std::wstring& out, std::string_view bytes) const;

 private:
  struct Converter;
  std::string name_ = "CP1252";
  std::array<wchar_t, 256> table_{};
  std::unique_ptr<Converter> multiByte_;  // null for single-byte pages
};
