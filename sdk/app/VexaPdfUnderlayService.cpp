#include "sdk/app/VexaPdfUnderlayService.h"

#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page.h>

#include <memory>
#include <string>
#include <vector>

#include "sdk/app/VexaUnderlayFiles.h"
#include "sdk/base/qvUtf8.h"
#include "sdk/db/QvDbUnderlayFile.h"

namespace {

constexpr double kPointsPerInch = 72.0;

// The library's own complaints about damaged files stay off the command line; the status
// says what went wrong.
void quiet(const std::string&, void*) {}

}  // namespace

Vexa::ErrorStatus VexaPdfUnderlayService::getFile(const wchar_t* path, const wchar_t* password,
                                                  QvDbUnderlayFile*& file) const {
  file = nullptr;
  std::string local;
  std::string head;
  if (const Vexa::ErrorStatus es = vexaReadUnderlayHead(path, 1024, local, head); es != Vexa::eOk)
    return es;
  // The header may follow some bytes of junk, as readers allow.
  if (head.find("%PDF-") == std::string::npos) return Vexa::eNotThisFileFormat;

  poppler::set_debug_error_function(&quiet, nullptr);
  const std::string secret = qvNarrowUtf8(password ? password : L"");
  std::unique_ptr<poppler::document> doc(poppler::document::load_from_file(local, secret, secret));
  if (!doc) return Vexa::eDamagedFile;
  if (doc->is_locked() && !doc->unlock(secret, secret)) return Vexa::ePasswordNeeded;
  if (doc->is_locked()) return Vexa::ePasswordNeeded;
  const int pages = doc->pages();
  if (pages <= 0) return Vexa::eDamagedFile;

  std::vector<QvDbUnderlayItem> items;
  items.reserve(static_cast<size_t>(pages));
  for (int i = 0; i < pages; ++i) {
    std::unique_ptr<poppler::page> page(doc->create_page(i));
    if (!page) return Vexa::eDamagedFile;
    const poppler::rectf box = page->page_rect(poppler::media_box);
    double width = box.width() / kPointsPerInch;
    double height = box.height() / kPointsPerInch;
    const poppler::page::orientation_enum turn = page->orientation();
    if (turn == poppler::page::landscape || turn == poppler::page::seascape)
      std::swap(width, height);
    if (!(width > 0.0) || !(height > 0.0)) return Vexa::eDamagedFile;
    items.emplace_back(QvString(std::to_wstring(i + 1)), QvGePoint2d(0.0, 0.0),
                       QvGePoint2d(width, height));
  }
  file = new QvDbUnderlayFile(QvString(path), std::move(items));
  return Vexa::eOk;
}
