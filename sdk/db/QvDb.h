#pragma once

// Enumerations of the drawing database shared by its classes.
namespace QvDb {

// How an object is opened. A write open excludes every other read or write open; reads may be
// many; a notify open is what the database uses while it tells reactors about a change.
enum OpenMode { kForRead = 0, kForWrite = 1, kForNotify = 2 };

// Insertion units, as "INSUNITS" and block definitions hold them.
enum UnitsValue {
  kUnitsUndefined = 0,
  kUnitsInches = 1,
  kUnitsFeet = 2,
  kUnitsMiles = 3,
  kUnitsMillimeters = 4,
  kUnitsCentimeters = 5,
  kUnitsMeters = 6,
  kUnitsKilometers = 7,
  kUnitsMicroinches = 8,
  kUnitsMils = 9,
  kUnitsYards = 10,
  kUnitsAngstroms = 11,
  kUnitsNanometers = 12,
  kUnitsMicrons = 13,
  kUnitsDecimeters = 14,
  kUnitsDekameters = 15,
  kUnitsHectometers = 16,
  kUnitsGigameters = 17,
  kUnitsAstronomical = 18,
  kUnitsLightYears = 19,
  kUnitsParsecs = 20,
  kUnitsUSSurveyFeet = 21,
  kUnitsUSSurveyInch = 22,
  kUnitsUSSurveyYard = 23,
  kUnitsUSSurveyMile = 24,
  kUnitsMax = kUnitsUSSurveyMile
};

// How references of a block may be scaled.
enum BlockScaling { kAny = 0, kUniform = 1 };

// What cloning does when the destination already has a symbol-table record of the same name.
enum DuplicateRecordCloning {
  kDrcIgnore = 1,      // keep the destination's record and point the clones at it
  kDrcMangleName = 5,  // clone under a new name
};

// How an intersection treats the two entities: both as bounded, or one or both extended
// beyond their ends.
enum Intersect { kOnBothOperands = 0, kExtendThis = 1, kExtendArg = 2, kExtendBoth = 3 };

// How a drawing file is shared while it is read (the C runtime's share flags). The stand-in
// reads a file at once and keeps nothing open, so every mode reads alike.
enum ShareMode {
  kShareDenyReadWrite = 0x10,
  kShareDenyWrite = 0x20,
  kShareDenyRead = 0x30,
  kShareDenyNo = 0x40,
};

// Versions of drawing files. Drawing files are written as R2018.
enum DrawingVersion { kDrawingVersionR2018 = 33, kDrawingVersionCurrent = kDrawingVersionR2018 };

// The operation a deep clone belongs to.
enum DeepCloneType { kDcCopy = 0, kDcInsert = 7, kDcObjects = 9 };

}  // namespace QvDb
