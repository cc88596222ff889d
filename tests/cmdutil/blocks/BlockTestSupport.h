#pragma once

#include <string>
#include <utility>
#include <vector>

#include "sdk/db/QvDbObjectId.h"
#include "sdk/ge/QvGePoint3d.h"

class QvDbDatabase;

// Drawings for the block engine tests; each step opens and closes what it touches.

// A line from `a` to `b` in model space (on `layer` when given).
QvDbObjectId addLine(QvDbDatabase* db, const QvGePoint3d& a, const QvGePoint3d& b,
                     QvDbObjectId layer = QvDbObjectId());
// An attribute definition with tag and default text at `at` in the block `owner`.
QvDbObjectId addAttDef(QvDbObjectId owner, const wchar_t* tag, const wchar_t* text,
                       const QvGePoint3d& at, bool constant = false, bool preset = false);
// A reference of `block` at `at` in `owner`.
QvDbObjectId addRef(QvDbObjectId owner, QvDbObjectId block, const QvGePoint3d& at);
// Tag and text of each attribute of a reference, in order (a multi-line text as its contents).
std::vector<std::pair<std::wstring, std::wstring>> attributeTexts(QvDbObjectId refId);
// The start and end of a line (both the origin when it does not open as one).
std::vector<QvGePoint3d> lineEnds(QvDbObjectId lineId);
