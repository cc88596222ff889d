// Reads a drawing with the SDK, counts what model space holds, and asks the module where two
// segments cross: "entities N" and "crossing X Y".
#include <cstdio>
#include <memory>

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbBlockTableRecordIterator.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "xqcmdutil/XqLineIntersection.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: consumer DRAWING.dxf\n");
    return 2;
  }
  QvDbDatabase db(false, true);
  if (db.readDwgFile(QvString(argv[1]).c_str()) != Vexa::eOk) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  int entities = 0;
  {
    QvDbObjectPointer<QvDbBlockTableRecord> space(db.modelSpaceId(), QvDb::kForRead);
    if (!space) return 1;
    QvDbBlockTableRecordIterator* raw = nullptr;
    if (space->newIterator(raw) != Vexa::eOk) return 1;
    std::unique_ptr<QvDbBlockTableRecordIterator> it(raw);
    for (; !it->done(); it->step()) ++entities;
  }
  const double a1[3] = {0, 0, 0}, a2[3] = {4, 4, 0}, b1[3] = {0, 4, 0}, b2[3] = {4, 0, 0};
  double at[3] = {};
  if (LineXline(a1, a2, b1, b2, at) != 3) return 1;
  std::printf("entities %d\ncrossing %g %g\n", entities, at[0], at[1]);
  return 0;
}
