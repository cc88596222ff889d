#include "host/commands/TarvoPdfAttachCommand.h"

#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "host/commands/TarvoCommandInput.h"
#include "host/commands/TarvoDrawing.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbUnderlayDefinition.h"
#include "sdk/db/QvDbUnderlayReference.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "xqcmdutil/QvDbUnderlayService.h"

namespace {

using TarvoCommandInput::say;

QvString reason(Vexa::ErrorStatus es) {
  if (es == Vexa::eFileNotFound) return L"there is no such file";
  if (es == Vexa::eFileAccessError) return L"it cannot be read";
  if (es == Vexa::eNotThisFileFormat) return L"it is not a PDF file";
  if (es == Vexa::eDamagedFile) return L"the file is damaged";
  if (es == Vexa::ePasswordNeeded) return L"it is protected by a password";
  if (es == Vexa::eInvalidInput) return L"the host cannot read PDF files";
  return QvString(Vexa::errorStatusName(es));
}

// The definition of `item` of the file: the one the drawing has for that file and page, else a
// new one, loaded, under a free name. Null with a message on failure.
QvDbObjectId definitionFor(QvDbDatabase* db, const QvString& typed, const QvString& found,
                           const QvDbUnderlayItem& item) {
  const QvDbPdfUnderlayService service;
  QvString base;
  QvDbUnderlayService::defaultDictName(base, found.c_str(), (L"Page " + item.name()).c_str());
  std::vector<XqUnderlayItemInfo> items;
  service.collectUnderlayItems(db, items);
  QvString name;
  if (QvDbUnderlayService::getDictName(found.c_str(), nullptr, base.c_str(), name, items) ==
      kUnderlayNameReused) {
    for (const XqUnderlayItemInfo& known : items)
      if (QvString(static_cast<const wchar_t*>(known.name)) == name) {
        QvDbObjectPointer<QvDbPdfDefinition> def(known.definitionId, QvDb::kForWrite);
        if (def && (def->isLoaded() || def->load() == Vexa::eOk)) return known.definitionId;
      }
    say(QvString::format(L"\nThe definition \"%ls\" cannot be used.", name.c_str()));
    return QvDbObjectId();
  }
  QvDbObjectId dictId;
  if (const Vexa::ErrorStatus es = service.createUnderlayDictionary(db, dictId); es != Vexa::eOk) {
    say(QvString::format(L"\nThe PDF dictionary cannot be made (%hs).", Vexa::errorStatusName(es)));
    return QvDbObjectId();
  }
  dictId = service.underlayDictionary(db);
  auto def = std::make_unique<QvDbPdfDefinition>();
  def->setSourceFileName(typed.c_str());
  def->setItemName(item.name().c_str());
  QvDbObjectPointer<QvDbDictionary> dict(dictId, QvDb::kForWrite);
  QvDbObjectId defId;
  Vexa::ErrorStatus es = dict ? dict->setAt(name.c_str(), def.get(), defId) : dict.openStatus();
  if (es != Vexa::eOk) {
    say(QvString::format(L"\nThe definition cannot be stored (%hs).", Vexa::errorStatusName(es)));
    return QvDbObjectId();
  }
  QvDbPdfDefinition* stored = def.release();
  es = stored->load();
  stored->close();
  if (es != Vexa::eOk) {
    say(QvString::format(L"\nThe definition cannot be loaded (%hs).", Vexa::errorStatusName(es)));
    return QvDbObjectId();
  }
  return defId;
}

// The rotation, given from the UCS x axis, as the angle in the frame of the normal.
double rotationInFrame(double angle, const QvGeVector3d& normal) {
  QvGeVector3d direction = TarvoCommandInput::ucsXAxis();
  direction.rotateBy(angle, normal);
  const QvGeMatrix3d frame = QvGeMatrix3d::planeToWorld(normal);
  const QvGeVector3d x(frame.entry[0][0], frame.entry[1][0], frame.entry[2][0]);
  const QvGeVector3d y(frame.entry[0][1], frame.entry[1][1], frame.entry[2][1]);
  return std::atan2(direction.dotProduct(y), direction.dotProduct(x));
}

}  // namespace

int TarvoPdfAttachCommand::run(IVexaBuildInCommandContext& /*context*/) {
  QvDbDatabase* db = qvdbHostApplicationServices()->workingDatabase();
  QvString typed;
  if (TarvoCommandInput::text(L"\nPDF file to attach: ", true, typed).kind !=
      TarvoAnswer::Kind::kValue)
    return kQvCancel;
  QvString found;
  if (!qvdbFindUnderlayFile(typed, db, found)) {
    say(QvString::format(L"\nThe file %ls cannot be attached: there is no such file.",
                         typed.c_str()));
    return kQvError;
  }
  QvDbUnderlayFile* opened = nullptr;
  const Vexa::ErrorStatus es = QvDbPdfUnderlayService::LoadPdfUnderlayFile(found.c_str(), opened);
  const std::unique_ptr<QvDbUnderlayFile> file(opened);
  if (es != Vexa::eOk) {
    say(QvString::format(L"\nThe file %ls cannot be attached: %ls.", typed.c_str(),
                         reason(es).c_str()));
    return kQvError;
  }
  const std::optional<int> page =
      TarvoCommandInput::integer(L"\nPage number <1>: ", 1, file->getItemCount(), 1);
  if (!page) return kQvCancel;
  const QvDbUnderlayItem& item = *file->getItem(*page - 1);
  const TarvoAnswer at =
      TarvoCommandInput::point(L"\nSpecify insertion point: ", nullptr, nullptr, true);
  if (at.kind != TarvoAnswer::Kind::kValue) return kQvCancel;
  const std::optional<double> scale =
      TarvoCommandInput::positive(L"\nSpecify scale factor <1>: ", 1.0);
  if (!scale) return kQvCancel;
  const std::optional<double> angle =
      TarvoCommandInput::angle(L"\nSpecify rotation angle <0>: ", 0.0);
  if (!angle) return kQvCancel;

  const QvDbObjectId defId = definitionFor(db, typed, found, item);
  if (defId.isNull()) return kQvError;
  const QvGeVector3d normal = TarvoCommandInput::ucsNormal();
  auto* ref = new QvDbPdfReference();
  ref->setDefinitionId(defId);
  ref->setPosition(at.point);
  ref->setScaleFactors(QvGeScale3d(*scale));
  ref->setNormal(normal);
  ref->setRotation(rotationInFrame(*angle, normal));
  if (TarvoDrawing::addToCurrentSpace(ref).isNull()) {
    say(L"\nThe underlay could not be added to the drawing.");
    return kQvError;
  }
  QvString name;
  {
    QvDbObjectPointer<QvDbDictionary> dict(QvDbPdfUnderlayService().underlayDictionary(db),
                                           QvDb::kForRead);
    if (dict) dict->nameAt(defId, name);
  }
  say(QvString::format(L"\nAttached \"%ls\": page %d of %d, %g x %g in.", name.c_str(), *page,
                       file->getItemCount(), item.extentsMax().x - item.extentsMin().x,
                       item.extentsMax().y - item.extentsMin().y));
  return kQvNormal;
}
