#include "xqcmdutil/CreateInsertData.h"

#include <utility>

#include "cmdutil/blocks/XqInsertScaling.h"

namespace {

// A scale factor this close to zero is taken as 1.
constexpr double kZeroScale = 1e-10;

double nonZeroFactor(double factor) {
  return factor >= -kZeroScale && factor <= kZeroScale ? 1.0 : factor;
}

}  // namespace

CreateInsertData::CreateInsertData() = default;
CreateInsertData::CreateInsertData(const CreateInsertData& other) = default;
CreateInsertData& CreateInsertData::operator=(const CreateInsertData& other) = default;
CreateInsertData::~CreateInsertData() = default;

CreateInsertData::CreateInsertData(CreateInsertData&& other) noexcept
    : insertName_(std::move(other.insertName_)),
      filePathToBlock_(std::move(other.filePathToBlock_)),
      insertPoint_(other.insertPoint_),
      scale_(other.scale_),
      rotationAngle_(other.rotationAngle_),
      spaceId_(other.spaceId_),
      columnNumber_(other.columnNumber_),
      rowNumber_(other.rowNumber_),
      columnDistance_(other.columnDistance_),
      rowDistance_(other.rowDistance_),
      explodeFlag_(other.explodeFlag_),
      attributeIdNameMap_(std::move(other.attributeIdNameMap_)) {
  other.attributeIdNameMap_.clear();
}

CreateInsertData& CreateInsertData::operator=(CreateInsertData&& other) noexcept {
  if (this == &other) return *this;
  insertName_ = std::move(other.insertName_);
  filePathToBlock_ = std::move(other.filePathToBlock_);
  insertPoint_ = other.insertPoint_;
  scale_ = other.scale_;
  rotationAngle_ = other.rotationAngle_;
  spaceId_ = other.spaceId_;
  columnNumber_ = other.columnNumber_;
  rowNumber_ = other.rowNumber_;
  columnDistance_ = other.columnDistance_;
  rowDistance_ = other.rowDistance_;
  explodeFlag_ = other.explodeFlag_;
  attributeIdNameMap_.clear();
  attributeIdNameMap_.swap(other.attributeIdNameMap_);
  return *this;
}

void CreateInsertData::setInsertName(const QvString& name) {
  insertName_ = name;
}

void CreateInsertData::getInsertName(QvString& name) const {
  name = insertName_;
}

void CreateInsertData::setFilePathToBlock(const QvString& path) {
  filePathToBlock_ = path;
}

void CreateInsertData::getFilePathToBlock(QvString& path) const {
  path = filePathToBlock_;
}

void CreateInsertData::setInsertPoint(const QvGePoint3d& point) {
  insertPoint_ = point;
}

QvGePoint3d CreateInsertData::getInsertPoint() const {
  return insertPoint_;
}

void CreateInsertData::setScale3d(const QvGeScale3d& scale) {
  scale_.set(nonZeroFactor(scale.sx), nonZeroFactor(scale.sy), nonZeroFactor(scale.sz));
}

void CreateInsertData::getScale3d(QvGeScale3d& scale) const {
  scale = scale_;
}

void CreateInsertData::setRotationAngle(const double& angle) {
  rotationAngle_ = angle;
}

double CreateInsertData::getRotationAngle() const {
  return rotationAngle_;
}

void CreateInsertData::setSpaceID(const QvDbObjectId& spaceId) {
  spaceId_ = spaceId;
}

QvDbObjectId CreateInsertData::getSpaceID() const {
  return spaceId_;
}

void CreateInsertData::setCollumnNumber(const int& columns) {
  columnNumber_ = columns;
}

void CreateInsertData::setRowNumber(const int& rows) {
  rowNumber_ = rows;
}

void CreateInsertData::setCollumnDistance(const double& distance) {
  columnDistance_ = distance;
}

void CreateInsertData::setRowDistance(const double& distance) {
  rowDistance_ = distance;
}

void CreateInsertData::setExplodeFlag(const bool& explode) {
  explodeFlag_ = explode;
}

bool CreateInsertData::getExplodeFlag() const {
  return explodeFlag_;
}

CreateInsertData::AttributeIdNameMap* CreateInsertData::getAttributeIdNameMapAdress() {
  return &attributeIdNameMap_;
}

const CreateInsertData::AttributeIdNameMap* CreateInsertData::getAttributeIdNameMapAdress() const {
  return &attributeIdNameMap_;
}

QvGeVector3d CreateInsertData::getExtrusionDir() const {
  return XqInsertScaling::UcsAxes::current().extrusion();
}

void CreateInsertData::getData(QvString& name, QvGePoint3d& insertPoint, QvGeVector3d& extrusion,
                               QvGeScale3d& scale, double& rotation) const {
  name = insertName_;
  insertPoint = insertPoint_;
  extrusion = getExtrusionDir();
  scale = scale_;
  rotation = rotationAngle_;
}

bool CreateInsertData::getMInsertFlag() const {
  return columnNumber_ > 1 || rowNumber_ > 1;
}

void CreateInsertData::getMInsertData(int& columns, int& rows, double& columnDistance,
                                      double& rowDistance) const {
  columns = columnNumber_;
  rows = rowNumber_;
  columnDistance = columnDistance_;
  rowDistance = rowDistance_;
}
