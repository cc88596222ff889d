#include "host/commands/TarvoLineCommand.h"

#include <vector>

#include "host/commands/TarvoCommandInput.h"
#include "host/commands/TarvoDrawing.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"

namespace {

// A line from `start` to `end` in the current space; its id.
QvDbObjectId addLine(const QvGePoint3d& start, const QvGePoint3d& end, const QvGeVector3d& normal) {
  auto* line = new QvDbLine(start, end);
  line->setNormal(normal);
  return TarvoDrawing::addToCurrentSpace(line);
}

void erase(QvDbObjectId id) {
  QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForWrite);
  if (entity.openStatus() == Vexa::eOk) entity->erase();
}

}  // namespace

int TarvoLineCommand::run(IVexaBuildInCommandContext& /*context*/) {
  const TarvoAnswer first =
      TarvoCommandInput::point(L"\nSpecify first point: ", nullptr, nullptr, true);
  if (first.kind != TarvoAnswer::Kind::kValue) return kQvCancel;
  const QvGeVector3d normal = TarvoCommandInput::ucsNormal();
  std::vector<QvGePoint3d> points{first.point};
  std::vector<QvDbObjectId> lines;
  for (;;) {
    const bool canClose = lines.size() >= 2;
    const TarvoAnswer next = TarvoCommandInput::point(
        canClose ? L"\nSpecify next point or [Close/Undo]: " : L"\nSpecify next point or [Undo]: ",
        &points.back(), canClose ? L"Close Undo" : L"Undo");
    switch (next.kind) {
      case TarvoAnswer::Kind::kEnter:
        return kQvNormal;
      case TarvoAnswer::Kind::kCancel:
        return kQvCancel;
      case TarvoAnswer::Kind::kKeyword:
        if (next.is(L"Undo")) {
          if (lines.empty()) {
            TarvoCommandInput::say(L"\nAll segments already undone.");
            continue;
          }
          erase(lines.back());
          lines.pop_back();
          points.pop_back();
          continue;
        }
        // Close.
        addLine(points.back(), points.front(), normal);
        return kQvNormal;
      case TarvoAnswer::Kind::kValue:
        const QvDbObjectId id = addLine(points.back(), next.point, normal);
        if (id.isNull()) {
          TarvoCommandInput::say(L"\nThe line could not be added to the drawing.");
          return kQvError;
        }
        lines.push_back(id);
        points.push_back(next.point);
        continue;
    }
  }
}
