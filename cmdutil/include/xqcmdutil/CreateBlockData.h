#pragma once

#include "sdk/base/QvArray.h"
#include "sdk/base/QvString.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/ge/QvGePoint3d.h"
#include "xqcmdutil/XqCmdUtilExport.h"

// A request to create or redefine a block definition (CreateBlock, ModifyBlock): the name, the
// objects that become its contents, the base point and the definition's settings. A plain
// record: nothing is checked.
//
// Setters and getters of the id array copy the ids in order into the target (its length set to
// the source's); given the stored array itself they do nothing. Copies are deep and keep the
// array's grow length; a move takes the array's buffer and leaves the source with an empty
// array of grow length 8.
class XQCMDUTIL_EXPORT CreateBlockData {
 public:
  CreateBlockData();
  CreateBlockData(const CreateBlockData& other);
  CreateBlockData(CreateBlockData&& other) noexcept;
  CreateBlockData& operator=(const CreateBlockData& other);
  CreateBlockData& operator=(CreateBlockData&& other) noexcept;
  ~CreateBlockData();

  void setBlockName(const QvString& name);
  void getBlockName(QvString& name) const;

  void setData(const QvString& name, const QvArray<QvDbObjectId>& ids,
               const QvGePoint3d& basePoint);
  void getData(QvString& name, QvArray<QvDbObjectId>& ids, QvGePoint3d& basePoint) const;

  void setObjectIdToBlock(const QvArray<QvDbObjectId>& ids);
  void getObjectIdToBlock(QvArray<QvDbObjectId>& ids) const;
  QvArray<QvDbObjectId>& getObjectIdToBlock();
  const QvArray<QvDbObjectId>& getObjectIdToBlock() const;

  // In the current UCS.
  void setBasePoint(const QvGePoint3d& basePoint);
  void getBasePoint(QvGePoint3d& basePoint) const;

  void setAnnotative(bool annotative);
  bool getAnnotative() const;
  // An annotative block's orientation follows the layout.
  void setRelativeToSheet(bool relativeToSheet);
  bool getRelativeToSheet() const;
  void setAllowExploding(bool allowExploding);
  bool getAllowExploding() const;
  void setScaleUniformly(bool scaleUniformly);
  bool getScaleUniformly() const;

  // The definition's insertion units, as "INSUNITS" numbers them (0 unitless, 1 inches, ...).
  void setSelectedUnitsIndex(int unitsIndex);
  int getSelectedUnitsIndex() const;

  void setDescription(const QvString& description);
  QvString& getDescription();
  const QvString& getDescription() const;

  // Carried for the caller.
  void setSelectionRequest(int request);
  int getSelectionRequest() const;
  // What becomes of the source objects: bit value 2 keeps them.
  void setCompletionRequest(int request);
  int getCompletionRequest() const;
  // Carried for the caller.
  void setOpenInBlockEditor(bool open);
  bool getOpenInBlockEditor() const;
  void setIsEntitySelected(bool selected);
  bool getIsEntitySelected() const;

 private:
  QvString blockName_;
  QvArray<QvDbObjectId> objectIdsToBlock_{0, 8};
  QvGePoint3d basePoint_;
  bool annotative_ = false;
  bool relativeToSheet_ = false;
  bool allowExploding_ = true;
  bool scaleUniformly_ = false;
  int32_t selectedUnitsIndex_ = 0;
  QvString description_;
  int32_t selectionRequest_ = -1;
  int32_t completionRequest_ = 0;
  bool openInBlockEditor_ = false;
  bool isEntitySelected_ = false;
};
