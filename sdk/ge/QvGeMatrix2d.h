#pragma once

#include "sdk/ge/QvGePoint2d.h"
#include "sdk/ge/QvGePrecision.h"
#include "sdk/ge/QvGeVector2d.h"

// A 2D affine transformation: 3 by 3, acting on column vectors (x, y, 1). entry[row][col];
// column 2 holds the translation and row 2 is (0, 0, 1).
class QvGeMatrix2d {
 public:
  double entry[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

  static const QvGeMatrix2d kIdentity;

  QvGeMatrix2d() = default;

  double operator()(int row, int col) const { return entry[row][col]; }
  double& operator()(int row, int col) { return entry[row][col]; }

  QvGeMatrix2d& setToIdentity();
  QvGeMatrix2d& setToTranslation(const QvGeVector2d& v);
  QvGeMatrix2d& setToRotation(double angle, const QvGePoint2d& center = QvGePoint2d::kOrigin);
  QvGeMatrix2d& setToScaling(double factor, const QvGePoint2d& center = QvGePoint2d::kOrigin);
  // Mirroring in the line through `point` along `direction`; a zero direction leaves the matrix
  // unchanged and answers false.
  bool setToMirroring(const QvGePoint2d& point, const QvGeVector2d& direction);
  QvGeMatrix2d& setCoordSystem(const QvGePoint2d& origin, const QvGeVector2d& xAxis,
                               const QvGeVector2d& yAxis);
  void getCoordSystem(QvGePoint2d& origin, QvGeVector2d& xAxis, QvGeVector2d& yAxis) const;

  static QvGeMatrix2d translation(const QvGeVector2d& v);
  static QvGeMatrix2d rotation(double angle, const QvGePoint2d& center = QvGePoint2d::kOrigin);
  static QvGeMatrix2d scaling(double factor, const QvGePoint2d& center = QvGePoint2d::kOrigin);

  QvGeMatrix2d operator*(const QvGeMatrix2d& m) const;
  QvGeMatrix2d& operator*=(const QvGeMatrix2d& m) { return *this = *this * m; }
  QvGeMatrix2d& preMultBy(const QvGeMatrix2d& left) { return *this = left * *this; }
  QvGeMatrix2d& postMultBy(const QvGeMatrix2d& right) { return *this = *this * right; }

  double det() const;
  // The inverse; false (and result untouched) when |det| <= tol.
  bool inverse(QvGeMatrix2d& result, double tol = QvGePrecision::kSingular) const;
  bool isSingular(double tol = QvGePrecision::kSingular) const;
  bool isEqualTo(const QvGeMatrix2d& m, const QvGeTol& tol = QvGeContext::gTol) const;
};
