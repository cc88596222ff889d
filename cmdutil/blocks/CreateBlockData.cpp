#include "xqcmdutil/CreateBlockData.h"

namespace {

// Copies the ids of `from` in order into `to`; nothing when both are the same array.
void copyIds(const QvArray<QvDbObjectId>& from, QvArray<QvDbObjectId>& to) {
  if (&from == &to) return;
  to.setLogicalLength(from.length());
  for (int i = 0; i < from.length(); ++i) to[i] = from[i];
}

}  // namespace

CreateBlockData::CreateBlockData() = default;
CreateBlockData::CreateBlockData(const CreateBlockData& other) = default;
CreateBlockData& CreateBlockData::operator=(const CreateBlockData& other) = default;
CreateBlockData::~CreateBlockData() = default;

// The members' own moves: the id array hands over its buffer and is left empty with grow
// length 8.
CreateBlockData::CreateBlockData(CreateBlockData&& other) noexcept = default;
CreateBlockData& CreateBlockData::operator=(CreateBlockData&& other) noexcept = default;

void CreateBlockData::setBlockName(const QvString& name) {
  blockName_ = name;
}

void CreateBlockData::getBlockName(QvString& name) const {
  name = blockName_;
}

void CreateBlockData::setData(const QvString& name, const QvArray<QvDbObjectId>& ids,
                              const QvGePoint3d& basePoint) {
  blockName_ = name;
  copyIds(ids, objectIdsToBlock_);
  basePoint_ = basePoint;
}

void CreateBlockData::getData(QvString& name, QvArray<QvDbObjectId>& ids,
                              QvGePoint3d& basePoint) const {
  name = blockName_;
  copyIds(objectIdsToBlock_, ids);
  basePoint = basePoint_;
}

void CreateBlockData::setObjectIdToBlock(const QvArray<QvDbObjectId>& ids) {
  copyIds(ids, objectIdsToBlock_);
}

void CreateBlockData::getObjectIdToBlock(QvArray<QvDbObjectId>& ids) const {
  copyIds(objectIdsToBlock_, ids);
}

QvArray<QvDbObjectId>& CreateBlockData::getObjectIdToBlock() {
  return objectIdsToBlock_;
}

const QvArray<QvDbObjectId>& CreateBlockData::getObjectIdToBlock() const {
  return objectIdsToBlock_;
}

void CreateBlockData::setBasePoint(const QvGePoint3d& basePoint) {
  basePoint_ = basePoint;
}

void CreateBlockData::getBasePoint(QvGePoint3d& basePoint) const {
  basePoint = basePoint_;
}

void CreateBlockData::setAnnotative(bool annotative) {
  annotative_ = annotative;
}

bool CreateBlockData::getAnnotative() const {
  return annotative_;
}

void CreateBlockData::setRelativeToSheet(bool relativeToSheet) {
  relativeToSheet_ = relativeToSheet;
}

bool CreateBlockData::getRelativeToSheet() const {
  return relativeToSheet_;
}

void CreateBlockData::setAllowExploding(bool allowExploding) {
  allowExploding_ = allowExploding;
}

bool CreateBlockData::getAllowExploding() const {
  return allowExploding_;
}

void CreateBlockData::setScaleUniformly(bool scaleUniformly) {
  scaleUniformly_ = scaleUniformly;
}

bool CreateBlockData::getScaleUniformly() const {
  return scaleUniformly_;
}

void CreateBlockData::setSelectedUnitsIndex(int unitsIndex) {
  selectedUnitsIndex_ = unitsIndex;
}

int CreateBlockData::getSelectedUnitsIndex() const {
  return selectedUnitsIndex_;
}

void CreateBlockData::setDescription(const QvString& description) {
  description_ = description;
}

QvString& CreateBlockData::getDescription() {
  return description_;
}

const QvString& CreateBlockData::getDescription() const {
  return description_;
}

void CreateBlockData::setSelectionRequest(int request) {
  selectionRequest_ = request;
}

int CreateBlockData::getSelectionRequest() const {
  return selectionRequest_;
}

void CreateBlockData::setCompletionRequest(int request) {
  completionRequest_ = request;
}

int CreateBlockData::getCompletionRequest() const {
  return completionRequest_;
}

void CreateBlockData::setOpenInBlockEditor(bool open) {
  openInBlockEditor_ = open;
}

bool CreateBlockData::getOpenInBlockEditor() const {
  return openInBlockEditor_;
}

void CreateBlockData::setIsEntitySelected(bool selected) {
  isEntitySelected_ = selected;
}

bool CreateBlockData::getIsEntitySelected() const {
  return isEntitySelected_;
}
