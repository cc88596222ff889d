#include "host/commands/TarvoUnderlaysCommand.h"

#include <vector>

#include "host/commands/TarvoCommandInput.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "xqcmdutil/QvDbUnderlayService.h"
#include "xqcmdutil/XqUnderlaySelection.h"

namespace {

const wchar_t* statusText(int32_t status) {
  switch (status) {
    case XqUnderlayItemInfo::kLoaded:
      return L"loaded";
    case XqUnderlayItemInfo::kPdfNotLoaded:
    case XqUnderlayItemInfo::kNotLoaded:
      return L"not loaded";
    case XqUnderlayItemInfo::kPdfUnreferenced:
      return L"unreferenced";
    case XqUnderlayItemInfo::kPdfFileNotFound:
      return L"not found";
    default:
      return L"?";
  }
}

void list(const wchar_t* format, std::vector<XqUnderlayItemInfo>& items) {
  for (XqUnderlayItemInfo& item : items) {
    const bool found = !item.foundPath.IsEmpty();
    // DWF and DGN listings leave the file's information to the caller.
    if (found && item.type.IsEmpty())
      QvDbUnderlayService::GetUnderLayItemInfo(item.foundPath, item);
    const QvString date = found ? QvString(item.date.Format(L"%Y-%m-%d %H:%M")) : QvString(L"-");
    TarvoCommandInput::say(QvString::format(
        L"\n%ls \"%ls\": %ls, %d KiB, %ls, %ls, saved as \"%ls\", found at \"%ls\"", format,
        static_cast<const wchar_t*>(item.name), statusText(item.status), item.size,
        item.type.IsEmpty() ? L"-" : static_cast<const wchar_t*>(item.type), date.c_str(),
        static_cast<const wchar_t*>(item.savedPath), static_cast<const wchar_t*>(item.foundPath)));
  }
}

}  // namespace

int TarvoUnderlaysCommand::run(IVexaBuildInCommandContext& /*context*/) {
  QvDbDatabase* db = qvdbHostApplicationServices()->workingDatabase();
  std::vector<XqUnderlayItemInfo> pdf;
  std::vector<XqUnderlayItemInfo> dwf;
  std::vector<XqUnderlayItemInfo> dgn;
  QvDbPdfUnderlayService().collectUnderlayItems(db, pdf);
  QvDbDwfUnderlayService().collectUnderlayItems(db, dwf);
  QvDbDgnUnderlayService().collectUnderlayItems(db, dgn);
  // One selected underlay: its definition only.
  QvDbObjectId selected;
  if (getSelectUnderlayDefinitionId(selected) == 1 && !selected.isNull()) {
    for (std::vector<XqUnderlayItemInfo>* items : {&pdf, &dwf, &dgn})
      std::erase_if(*items,
                    [&](const XqUnderlayItemInfo& item) { return item.definitionId != selected; });
    unhighAndRemoveGripSelectionSet(true);
  }
  list(L"PDF", pdf);
  list(L"DWF", dwf);
  list(L"DGN", dgn);
  if (pdf.empty() && dwf.empty() && dgn.empty())
    TarvoCommandInput::say(L"\nThe drawing has no underlays.");
  return kQvNormal;
}
