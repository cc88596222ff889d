#pragma once

#include <map>

#include "sdk/base/QvString.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeScale3d.h"
#include "sdk/ge/QvGeVector3d.h"
#include "xqcmdutil/XqCmdUtilExport.h"

// A request to insert a block reference, or a rectangular array of it (CreateInsert): the block
// by name (or dynamic-block true name), where, how scaled and turned, into which space, the
// array layout, whether to explode it at once and the texts of its attributes. A plain record:
// only the scale setter looks at its values.
//
// The record holds no normal: getExtrusionDir answers the Z axis of the UCS current at the call.
// Copies are deep; a move takes the attribute map and leaves the source's map empty.
class XQCMDUTIL_EXPORT CreateInsertData {
 public:
  // Attribute texts keyed by the id of their attribute definition in the block.
  using AttributeIdNameMap = std::map<QvDbObjectId, QvString>;

  CreateInsertData();
  CreateInsertData(const CreateInsertData& other);
  CreateInsertData(CreateInsertData&& other) noexcept;
  CreateInsertData& operator=(const CreateInsertData& other);
  CreateInsertData& operator=(CreateInsertData&& other) noexcept;
  ~CreateInsertData();

  void setInsertName(const QvString& name);
  void getInsertName(QvString& name) const;
  // The drawing file the block came from, when inserted from a file.
  void setFilePathToBlock(const QvString& path);
  void getFilePathToBlock(QvString& path) const;

  void setInsertPoint(const QvGePoint3d& point);
  QvGePoint3d getInsertPoint() const;

  // Each factor within 1e-10 of zero is stored as 1.0, so that no zero scale reaches the
  // engine; the others are stored as given.
  void setScale3d(const QvGeScale3d& scale);
  void getScale3d(QvGeScale3d& scale) const;

  // Radians, added to the rotation of the UCS.
  void setRotationAngle(const double& angle);
  double getRotationAngle() const;

  // The space to insert into; null lets the engine choose.
  void setSpaceID(const QvDbObjectId& spaceId);
  QvDbObjectId getSpaceID() const;

  // Array layout (read with getMInsertData).
  void setCollumnNumber(const int& columns);
  void setRowNumber(const int& rows);
  void setCollumnDistance(const double& distance);
  void setRowDistance(const double& distance);

  void setExplodeFlag(const bool& explode);
  bool getExplodeFlag() const;

  // The attribute texts; there is no setter: callers fill the map through this address.
  AttributeIdNameMap* getAttributeIdNameMapAdress();
  const AttributeIdNameMap* getAttributeIdNameMapAdress() const;

  // The Z axis of the current UCS: "UCSXDIR" x "UCSYDIR" read at the call, normalised. The
  // world Z axis when either cannot be read or they make no plane.
  QvGeVector3d getExtrusionDir() const;

  // The insert name, the insert point, getExtrusionDir(), the scale and the rotation.
  void getData(QvString& name, QvGePoint3d& insertPoint, QvGeVector3d& extrusion,
               QvGeScale3d& scale, double& rotation) const;

  // True for an array: more than one column or more than one row.
  bool getMInsertFlag() const;
  void getMInsertData(int& columns, int& rows, double& columnDistance, double& rowDistance) const;

 private:
  QvString insertName_;
  QvString filePathToBlock_;
  QvGePoint3d insertPoint_;
  QvGeScale3d scale_;
  double rotationAngle_ = 0.0;
  QvDbObjectId spaceId_;
  int32_t columnNumber_ = 1;
  int32_t rowNumber_ = 1;
  double columnDistance_ = 0.0;
  double rowDistance_ = 0.0;
  bool explodeFlag_ = false;
  AttributeIdNameMap attributeIdNameMap_;
};
