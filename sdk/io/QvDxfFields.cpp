#include "sdk/io/QvDxfFields.h"

#include <string>

#include "sdk/db/QvDbSymbolTableRecord.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfSlot.h"
#include "sdk/io/QvDxfWriteSession.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"

namespace {

// The version files are written in (R2018).
constexpr int kWrittenVersion = 1032;

void check(QvDxfObjectReader& in, const QvDxfField& f, Vexa::ErrorStatus es) {
  if (es == Vexa::eOk) return;
  in.failObject(
      QvDxfDiagnostic::kRefusedValue,
      f.refused ? f.refused : "the value of group " + std::to_string(f.code) + " is not valid");
}

QvGePoint3d pointDefault(const QvDxfField& f) {
  return QvGePoint3d(f.real[0], f.real[1], f.real[2]);
}

QvGeVector3d vectorDefault(const QvDxfField& f) {
  return QvGeVector3d(f.real[0], f.real[1], f.real[2]);
}

bool same(const QvGePoint3d& p, const QvDxfField& f) {
  return p.x == f.real[0] && p.y == f.real[1] && p.z == f.real[2];
}

bool same(const QvGeVector3d& v, const QvDxfField& f) {
  return v.x == f.real[0] && v.y == f.real[1] && v.z == f.real[2];
}

const QvDxfField* normalOf(std::span<const QvDxfField> fields) {
  for (const QvDxfField& f : fields)
    if (f.kind == QvDxfField::kNormal) return &f;
  return nullptr;
}

void readField(QvDxfObjectReader& in, QvDbObject& object, const QvDxfField& f,
               const QvGeVector3d& normal) {
  const QvDxfField::Access& a = f.access;
  switch (f.kind) {
    case QvDxfField::kReal:
      check(in, f, a.real.set(object, in.real(f.code, f.real[0])));
      break;
    case QvDxfField::kAngle:
      check(in, f, a.real.set(object, in.angle(f.code, f.real[0])));
      break;
    case QvDxfField::kInteger:
      check(in, f, a.integer.set(object, in.integer(f.code, f.integer, f.min, f.max)));
      break;
    case QvDxfField::kFlags:
      check(in, f, a.integer.set(object, in.flags(f.code, f.integer, f.mask)));
      break;
    case QvDxfField::kText:
      check(in, f, a.text.set(object, in.text(f.code, QvString(f.text))));
      break;
    case QvDxfField::kPoint:
      check(in, f, a.point.set(object, in.point(f.code, pointDefault(f))));
      break;
    case QvDxfField::kOcsPoint:
      check(in, f,
            a.point.set(object, QvDxfEntityFiler::ocsPoint(in, f.code, normal, pointDefault(f))));
      break;
    case QvDxfField::kVector:
      check(in, f, a.vector.set(object, in.vector(f.code, vectorDefault(f))));
      break;
    case QvDxfField::kNormal:
      check(in, f, a.vector.set(object, normal));
      break;
    case QvDxfField::kPointer:
      check(in, f, a.id.set(object, in.pointer(f.code)));
      break;
    case QvDxfField::kTextStyle: {
      const size_t at = in.find(f.code);
      if (at != QvDxfObjectReader::npos)
        check(in, f, a.id.set(object, in.session().textStyle(in.value(at), in.lineAt(at) + 1)));
      break;
    }
    case QvDxfField::kCustom:
      a.custom.read(in, object);
      break;
  }
}

void writeField(QvDxfObjectWriter& out, const QvDbObject& object, const QvDxfField& f,
                const QvDxfField* normalField) {
  const QvDxfField::Access& a = f.access;
  // A default is written when the record keeps a repeat of its group: read again, the first of
  // the two is the one taken, as it was.
  const bool always = f.writesDefault || out.hasKept(static_cast<uint16_t>(f.subclass), f.code);
  switch (f.kind) {
    case QvDxfField::kReal: {
      const double v = a.real.get(object);
      if (always || v != f.real[0]) out.real(f.code, v);
      break;
    }
    case QvDxfField::kAngle: {
      const double v = a.real.get(object);
      if (always || v != f.real[0]) out.angle(f.code, v);
      break;
    }
    case QvDxfField::kInteger: {
      const int64_t v = a.integer.get(object);
      if (always || v != f.integer) out.integer(f.code, v);
      break;
    }
    case QvDxfField::kFlags: {
      const int64_t v = a.integer.get(object);
      if (always || v != f.integer || out.hasKept(QvDxfSlot::kMerged, f.code)) out.flags(f.code, v);
      break;
    }
    case QvDxfField::kText: {
      const QvString v = a.text.get(object);
      if (always || v != QvString(f.text)) out.text(f.code, v);
      break;
    }
    case QvDxfField::kPoint: {
      const QvGePoint3d p = a.point.get(object);
      if (always || !same(p, f)) out.point(f.code, p);
      break;
    }
    case QvDxfField::kOcsPoint: {
      const QvGeVector3d normal =
          normalField ? normalField->access.vector.get(object) : QvGeVector3d::kZAxis;
      QvDxfEntityFiler::writeOcsPoint(out, f.code, a.point.get(object), normal);
      break;
    }
    case QvDxfField::kVector: {
      const QvGeVector3d v = a.vector.get(object);
      if (always || !same(v, f)) out.vector(f.code, v);
      break;
    }
    case QvDxfField::kNormal:
      QvDxfEntityFiler::writeNormal(out, a.vector.get(object));
      break;
    case QvDxfField::kPointer: {
      const QvDbObjectId id = a.id.get(object);
      if (f.writesDefault || out.session().isWritten(id)) out.pointer(f.code, id);
      break;
    }
    case QvDxfField::kTextStyle: {
      const QvDbObjectId id = a.id.get(object);
      out.text(f.code, out.session().isWritten(id) ? QvDbSymbolTableRecord::nameOf(id)
                                                   : QvString(L"Standard"));
      break;
    }
    case QvDxfField::kCustom:
      a.custom.write(out, object);
      break;
  }
}

}  // namespace

namespace QvDxfFields {

void read(QvDxfObjectReader& in, QvDbObject& object, std::span<const QvDxfField> fields) {
  const int version = in.session().version();
  QvGeVector3d normal = QvGeVector3d::kZAxis;
  const QvDxfField* normalField = normalOf(fields);
  if (normalField && normalField->inVersion(version)) {
    in.select(normalField->subclass);
    normal = QvDxfEntityFiler::readNormal(in);
    readField(in, object, *normalField, normal);
  }
  for (const QvDxfField& f : fields) {
    if (&f == normalField || !f.inVersion(version)) continue;
    in.select(f.subclass);
    if (f.isOptional && f.kind != QvDxfField::kCustom && !in.has(f.code)) continue;
    readField(in, object, f, normal);
  }
}

void write(QvDxfObjectWriter& out, const QvDbObject& object, std::span<const QvDxfField> fields,
           int started, int last) {
  const QvDxfField* normalField = normalOf(fields);
  int subclass = started;
  for (const QvDxfField& f : fields) {
    if (!f.inVersion(kWrittenVersion)) continue;
    while (subclass < f.subclass) out.subclass(++subclass);
    writeField(out, object, f, normalField);
  }
  while (subclass < last) out.subclass(++subclass);
}

}  // namespace QvDxfFields
