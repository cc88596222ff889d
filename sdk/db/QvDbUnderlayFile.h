#pragma once

#include <memory>
#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/ge/QvGePoint2d.h"

class QvDbDatabase;

// One part of an underlay file that a definition shows: a page of a PDF file, a sheet of a
// DWF container, a model of a DGN file. Its extents are in the underlay's own units (inches
// for PDF pages), from the item's lower left corner; a DGN model's are those of its contents in
// the file's master units.
//
// A format whose contents the host converts (DGN) gives the item a drawing database holding
// them in its model space; the item keeps it alive with the file.
class QvDbUnderlayItem {
 public:
  QvDbUnderlayItem() = default;
  QvDbUnderlayItem(QvString name, const QvGePoint2d& minPoint, const QvGePoint2d& maxPoint,
                   std::shared_ptr<QvDbDatabase> database = nullptr)
      : name_(std::move(name)), min_(minPoint), max_(maxPoint), database_(std::move(database)) {}

  const QvString& name() const { return name_; }
  const QvGePoint2d& extentsMin() const { return min_; }
  const QvGePoint2d& extentsMax() const { return max_; }
  // The converted contents; null for formats that are only framed.
  QvDbDatabase* database() const { return database_.get(); }

 private:
  QvString name_;
  QvGePoint2d min_;
  QvGePoint2d max_;
  std::shared_ptr<QvDbDatabase> database_;
};

// An underlay file opened by a format service: its path and its items, in the file's order.
class QvDbUnderlayFile {
 public:
  QvDbUnderlayFile(QvString path, std::vector<QvDbUnderlayItem> items)
      : path_(std::move(path)), items_(std::move(items)) {}
  virtual ~QvDbUnderlayFile() = default;

  const QvString& path() const { return path_; }
  int getItemCount() const { return static_cast<int>(items_.size()); }
  // The item at `index`, or by name (case-insensitive); null when there is none.
  const QvDbUnderlayItem* getItem(int index) const;
  const QvDbUnderlayItem* getItem(const wchar_t* name) const;

 private:
  QvString path_;
  std::vector<QvDbUnderlayItem> items_;
};
