#include "host/commands/TarvoUnderlayAttachCommand.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
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
#include "xqcmdutil/XqFtpPath.h"

namespace {

using TarvoCommandInput::say;

// What the attach differs in from one format to the next.
struct Format {
  const wchar_t* name;      // "PDF"
  const wchar_t* itemNoun;  // "page"
  const wchar_t* sizeUnit;  // of the item's extents: "in."
  const QvDbUnderlayService& service;
  Vexa::ErrorStatus (*load)(const wchar_t* path, QvDbUnderlayFile*& file);
  void (*collect)(QvDbDatabase* db, std::vector<XqUnderlayItemInfo>& items);
  QvDbUnderlayDefinition* (*newDefinition)();
  QvDbUnderlayReference* (*newReference)();
  // The item asked for (its index), nothing when cancelled or not in the file.
  std::optional<int> (*askItem)(const QvDbUnderlayFile& file);
  // The suffix of the definition's name for an item.
  QvString (*suffix)(const QvDbUnderlayItem& item);
};

QvString reason(Vexa::ErrorStatus es, const wchar_t* format) {
  if (es == Vexa::eFileNotFound) return L"there is no such file";
  if (es == Vexa::eFileAccessError) return L"it cannot be read";
  if (es == Vexa::eNotThisFileFormat) return QvString::format(L"it is not a %ls file", format);
  if (es == Vexa::eDamagedFile) return L"the file is damaged";
  if (es == Vexa::ePasswordNeeded) return L"it is protected by a password";
  if (es == Vexa::eFileVersionNotSupported)
    return QvString::format(L"the host cannot read this version of %ls files", format);
  if (es == Vexa::eInvalidInput) return QvString::format(L"the host cannot read %ls files", format);
  return QvString(Vexa::errorStatusName(es));
}

std::optional<int> askPage(const QvDbUnderlayFile& file) {
  const std::optional<int> page =
      TarvoCommandInput::integer(L"\nPage number <1>: ", 1, file.getItemCount(), 1);
  if (!page) return std::nullopt;
  return *page - 1;
}

// An item by name (without regard to case) or by number from 1.
std::optional<int> askNamedItem(const wchar_t* noun, const QvDbUnderlayFile& file) {
  QvString answer;
  const TarvoAnswer kind = TarvoCommandInput::text(
      QvString::format(L"\n%ls <%ls>: ", noun, file.getItem(0)->name().c_str()).c_str(), true,
      answer);
  if (kind.kind == TarvoAnswer::Kind::kEnter) return 0;
  if (kind.kind != TarvoAnswer::Kind::kValue) return std::nullopt;
  for (int i = 0; i < file.getItemCount(); ++i)
    if (file.getItem(i)->name().isEqualNoCase(answer)) return i;
  const std::wstring digits = answer.wstr();
  if (!digits.empty() && digits.size() < 6 &&
      std::all_of(digits.begin(), digits.end(), [](wchar_t c) { return std::iswdigit(c); })) {
    const int number = std::stoi(digits);
    if (number >= 1 && number <= file.getItemCount()) return number - 1;
  }
  say(QvString::format(L"\nThe file has no %ls \"%ls\".", QvString(noun).makeLower().c_str(),
                       answer.c_str()));
  return std::nullopt;
}

std::optional<int> askSheet(const QvDbUnderlayFile& file) {
  return askNamedItem(L"Sheet", file);
}
std::optional<int> askModel(const QvDbUnderlayFile& file) {
  return askNamedItem(L"Model", file);
}

const QvDbPdfUnderlayService kPdfService;
const QvDbDwfUnderlayService kDwfService;
const QvDbDgnUnderlayService kDgnService;

const Format kPdf{
    L"PDF",
    L"page",
    L" in.",
    kPdfService,
    &QvDbPdfUnderlayService::LoadPdfUnderlayFile,
    [](QvDbDatabase* db, std::vector<XqUnderlayItemInfo>& items) {
      kPdfService.collectUnderlayItems(db, items);
    },
    []() -> QvDbUnderlayDefinition* { return new QvDbPdfDefinition(); },
    []() -> QvDbUnderlayReference* { return new QvDbPdfReference(); },
    &askPage,
    [](const QvDbUnderlayItem& item) { return L"Page " + item.name(); },
};

const Format kDwf{
    L"DWF",
    L"sheet",
    L" in.",
    kDwfService,
    &QvDbDwfUnderlayService::LoadDwfUnderlayFile,
    [](QvDbDatabase* db, std::vector<XqUnderlayItemInfo>& items) {
      kDwfService.collectUnderlayItems(db, items);
    },
    []() -> QvDbUnderlayDefinition* { return new QvDbDwfDefinition(); },
    []() -> QvDbUnderlayReference* { return new QvDbDwfReference(); },
    &askSheet,
    [](const QvDbUnderlayItem& item) { return item.name(); },
};

const Format kDgn{
    L"DGN",
    L"model",
    L" units.",
    kDgnService,
    &QvDbDgnUnderlayService::LoadDgnUnderlayFile,
    [](QvDbDatabase* db, std::vector<XqUnderlayItemInfo>& items) {
      kDgnService.collectUnderlayItems(db, items);
    },
    []() -> QvDbUnderlayDefinition* { return new QvDbDgnDefinition(); },
    []() -> QvDbUnderlayReference* { return new QvDbDgnReference(); },
    &askModel,
    [](const QvDbUnderlayItem& item) { return item.name(); },
};

// The definition of `item` of the file: the one the drawing has for that file and item, else
// a new one, loaded, under a free name. Null with a message on failure.
QvDbObjectId definitionFor(const Format& format, QvDbDatabase* db, const QvString& typed,
                           const QvString& found, const QvDbUnderlayItem& item) {
  QvString base;
  QvDbUnderlayService::defaultDictName(base, found.c_str(), format.suffix(item).c_str());
  std::vector<XqUnderlayItemInfo> items;
  format.collect(db, items);
  QvString name;
  if (QvDbUnderlayService::getDictName(found.c_str(), nullptr, base.c_str(), name, items) ==
      kUnderlayNameReused) {
    for (const XqUnderlayItemInfo& known : items)
      if (QvString(static_cast<const wchar_t*>(known.name)) == name) {
        QvDbObjectPointer<QvDbUnderlayDefinition> def(known.definitionId, QvDb::kForWrite);
        if (def && (def->isLoaded() || def->load() == Vexa::eOk)) return known.definitionId;
      }
    say(QvString::format(L"\nThe definition \"%ls\" cannot be used.", name.c_str()));
    return QvDbObjectId();
  }
  QvDbObjectId dictId;
  if (const Vexa::ErrorStatus es = format.service.createUnderlayDictionary(db, dictId);
      es != Vexa::eOk) {
    say(QvString::format(L"\nThe %ls dictionary cannot be made (%hs).", format.name,
                         Vexa::errorStatusName(es)));
    return QvDbObjectId();
  }
  dictId = format.service.underlayDictionary(db);
  std::unique_ptr<QvDbUnderlayDefinition> def(format.newDefinition());
  def->setSourceFileName(typed.c_str());
  def->setItemName(item.name().c_str());
  QvDbObjectPointer<QvDbDictionary> dict(dictId, QvDb::kForWrite);
  QvDbObjectId defId;
  Vexa::ErrorStatus es = dict ? dict->setAt(name.c_str(), def.get(), defId) : dict.openStatus();
  if (es != Vexa::eOk) {
    say(QvString::format(L"\nThe definition cannot be stored (%hs).", Vexa::errorStatusName(es)));
    return QvDbObjectId();
  }
  QvDbUnderlayDefinition* stored = def.release();
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

int attach(const Format& format) {
  QvDbDatabase* db = qvdbHostApplicationServices()->workingDatabase();
  QvString typed;
  if (TarvoCommandInput::text(QvString::format(L"\n%ls file to attach: ", format.name).c_str(),
                              true, typed)
          .kind != TarvoAnswer::Kind::kValue)
    return kQvCancel;
  QvString found;
  if (isFtpPath(typed)) {
    if (!ftpToLocal(typed, found)) {
      say(QvString::format(L"\nThe file %ls cannot be attached: it cannot be fetched or is empty.",
                           typed.c_str()));
      return kQvError;
    }
  } else if (!qvdbFindUnderlayFile(typed, db, found)) {
    say(QvString::format(L"\nThe file %ls cannot be attached: there is no such file.",
                         typed.c_str()));
    return kQvError;
  }
  QvDbUnderlayFile* opened = nullptr;
  const Vexa::ErrorStatus es = format.load(found.c_str(), opened);
  const std::unique_ptr<QvDbUnderlayFile> file(opened);
  if (es != Vexa::eOk) {
    say(QvString::format(L"\nThe file %ls cannot be attached: %ls.", typed.c_str(),
                         reason(es, format.name).c_str()));
    return kQvError;
  }
  const std::optional<int> index = format.askItem(*file);
  if (!index) return kQvCancel;
  const QvDbUnderlayItem& item = *file->getItem(*index);
  const TarvoAnswer at =
      TarvoCommandInput::point(L"\nSpecify insertion point: ", nullptr, nullptr, true);
  if (at.kind != TarvoAnswer::Kind::kValue) return kQvCancel;
  const std::optional<double> scale =
      TarvoCommandInput::positive(L"\nSpecify scale factor <1>: ", 1.0);
  if (!scale) return kQvCancel;
  const std::optional<double> angle =
      TarvoCommandInput::angle(L"\nSpecify rotation angle <0>: ", 0.0);
  if (!angle) return kQvCancel;

  const QvDbObjectId defId = definitionFor(format, db, typed, found, item);
  if (defId.isNull()) return kQvError;
  const QvGeVector3d normal = TarvoCommandInput::ucsNormal();
  QvDbUnderlayReference* ref = format.newReference();
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
    QvDbObjectPointer<QvDbDictionary> dict(format.service.underlayDictionary(db), QvDb::kForRead);
    if (dict) dict->nameAt(defId, name);
  }
  const double width = item.extentsMax().x - item.extentsMin().x;
  const double height = item.extentsMax().y - item.extentsMin().y;
  say(QvString::format(L"\nAttached \"%ls\": %ls %d of %d", name.c_str(), format.itemNoun,
                       *index + 1, file->getItemCount()) +
      (width > 0.0 && height > 0.0
           ? QvString::format(L", %g x %g%ls", width, height, format.sizeUnit)
           : QvString(L".")));
  return kQvNormal;
}

}  // namespace

int TarvoUnderlayAttachCommand::runPdf(IVexaBuildInCommandContext& /*context*/) {
  return attach(kPdf);
}

int TarvoUnderlayAttachCommand::runDwf(IVexaBuildInCommandContext& /*context*/) {
  return attach(kDwf);
}

int TarvoUnderlayAttachCommand::runDgn(IVexaBuildInCommandContext& /*context*/) {
  return attach(kDgn);
}
