#pragma once

#include "sdk/io/entities/QvDxfEntityFiler.h"

class QvDbSpline;

// A spline: flags (70: closed, periodic, rational), degree (71), knots (40), weights (41) and
// control points (10) in world coordinates; or, without control points, fit points (11) with
// their tolerance (44) and end tangents (12, 13). A spline with both keeps its fit data as
// read; the curve is its control points. A spline whose data make no curve is kept as read, as
// a proxy, and the repair noted. Classes derived from the spline add a subclass after it
// (newSpline, readOwn, writeOwn and their record name and markers).
class QvDxfSplineFiler : public QvDxfEntityFiler {
 public:
  std::string_view recordName() const override { return "SPLINE"; }
  const QvRxClass* objectClass() const override;
  std::span<const std::string_view> subclassMarkers() const override;

  QvDbObject* create(QvDxfObjectReader& in) const override;
  void read(QvDxfObjectReader& in, QvDbObject& object) const override;
  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override;

 protected:
  virtual QvDbSpline* newSpline() const;
  // The derived class's groups, after the spline's were read or written.
  virtual void readOwn(QvDxfObjectReader& in, QvDbSpline& spline) const;
  virtual void writeOwn(QvDxfObjectWriter& out, const QvDbSpline& spline) const;
};
