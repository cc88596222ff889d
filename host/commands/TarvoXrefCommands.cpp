#include "host/commands/TarvoXrefCommands.h"

#include <optional>

#include "host/commands/TarvoCommandInput.h"
#include "sdk/app/QvFileStringName.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/ed/qvedFindFile.h"
#include "sdk/ed/qvedXref.h"
#include "sdk/ge/QvGeMatrix3d.h"

namespace {

using TarvoCommandInput::say;

QvString reason(Vexa::ErrorStatus es) {
  if (es == Vexa::eInvalidSymbolName) return L"the name is not valid for a block";
  if (es == Vexa::eDuplicateKey) return L"the drawing has a block of that name";
  if (es == Vexa::eKeyNotFound) return L"the drawing has no block of that name";
  if (es == Vexa::eNotApplicable) return L"the block is no external reference";
  return QvString(Vexa::errorStatusName(es));
}

}  // namespace

int TarvoXrefCommands::runAttach(IVexaBuildInCommandContext& /*context*/) {
  QvString typed;
  if (TarvoCommandInput::text(L"\nDrawing file to attach: ", true, typed).kind !=
      TarvoAnswer::Kind::kValue)
    return kQvCancel;
  QvString found;
  if (qvedFindFile(typed.c_str(), found) != kQvNormal) {
    say(QvString::format(L"\nThe file %ls cannot be attached: there is no such file.",
                         typed.c_str()));
    return kQvError;
  }
  QvString name = QvFileStringName(found).fileName();
  const QvString extension = QvFileStringName(found).extension();
  name = name.left(name.length() - extension.length());
  QvString answer;
  const TarvoAnswer kind = TarvoCommandInput::text(
      QvString::format(L"\nBlock name <%ls>: ", name.c_str()).c_str(), true, answer);
  if (kind.kind == TarvoAnswer::Kind::kValue)
    name = answer;
  else if (kind.kind != TarvoAnswer::Kind::kEnter)
    return kQvCancel;
  const TarvoAnswer at =
      TarvoCommandInput::point(L"\nSpecify insertion point: ", nullptr, nullptr, true);
  if (at.kind != TarvoAnswer::Kind::kValue) return kQvCancel;
  const std::optional<double> scale =
      TarvoCommandInput::positive(L"\nSpecify scale factor <1>: ", 1.0);
  if (!scale) return kQvCancel;
  const std::optional<double> angle =
      TarvoCommandInput::angle(L"\nSpecify rotation angle <0>: ", 0.0);
  if (!angle) return kQvCancel;
  const QvGeScale3d factors(*scale);
  const Vexa::ErrorStatus es =
      qvedXrefAttach(found.c_str(), name.c_str(), nullptr, nullptr, &at.point, &factors, &*angle);
  if (es != Vexa::eOk) {
    say(QvString::format(L"\nThe file %ls cannot be attached: %ls.", typed.c_str(),
                         reason(es).c_str()));
    return kQvError;
  }
  say(QvString::format(L"\nAttached \"%ls\" as the external reference \"%ls\".", typed.c_str(),
                       name.c_str()));
  return kQvNormal;
}

int TarvoXrefCommands::runBind(IVexaBuildInCommandContext& /*context*/) {
  QvString name;
  if (TarvoCommandInput::text(L"\nExternal reference to bind: ", true, name).kind !=
      TarvoAnswer::Kind::kValue)
    return kQvCancel;
  QvString type;
  const TarvoAnswer kind =
      TarvoCommandInput::text(L"\nBind type [Bind/Insert] <Bind>: ", false, type);
  if (kind.kind == TarvoAnswer::Kind::kCancel) return kQvCancel;
  const bool insert = kind.kind == TarvoAnswer::Kind::kValue &&
                      (type.isEqualNoCase(L"Insert") || type.isEqualNoCase(L"I"));
  if (kind.kind == TarvoAnswer::Kind::kValue && !insert && !type.isEqualNoCase(L"Bind") &&
      !type.isEqualNoCase(L"B")) {
    say(QvString::format(L"\nUnknown bind type \"%ls\".", type.c_str()));
    return kQvError;
  }
  const Vexa::ErrorStatus es = qvedXrefBind(name.c_str(), insert);
  if (es != Vexa::eOk) {
    say(QvString::format(L"\n\"%ls\" cannot be bound: %ls.", name.c_str(), reason(es).c_str()));
    return kQvError;
  }
  say(QvString::format(L"\nBound \"%ls\".", name.c_str()));
  return kQvNormal;
}
