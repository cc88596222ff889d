#pragma once

#include <cstdint>

// Result codes of the classic interface, and the type codes of result buffers.

// Result codes.
inline constexpr int kQvNormal = 5100;      // success
inline constexpr int kQvNone = 5000;        // empty answer, or a quiet stop
inline constexpr int kQvError = -5001;
inline constexpr int kQvCancel = -5002;
inline constexpr int kQvRejected = -5003;   // a value refused, unsupported or out of range
inline constexpr int kQvKeyword = -5005;    // a keyword (or arbitrary text) was answered
inline constexpr int kQvStoppedBeforeInsert = -5008;  // the insert flow stopped before inserting

// Result-buffer type codes. Values below 5000 are drawing-format group codes (entity data
// lists and extended data), whose value kind follows from the code (see qvRbValueKind).
inline constexpr int16_t kRbNone = 5000;
inline constexpr int16_t kRbReal = 5001;
inline constexpr int16_t kRbPoint2d = 5002;
inline constexpr int16_t kRbShort = 5003;
inline constexpr int16_t kRbAngle = 5004;
inline constexpr int16_t kRbString = 5005;
inline constexpr int16_t kRbEntityName = 5006;
inline constexpr int16_t kRbPickSet = 5007;  // a selection-set name
inline constexpr int16_t kRbOrientation = 5008;
inline constexpr int16_t kRbPoint3d = 5009;
inline constexpr int16_t kRbLong = 5010;
inline constexpr int16_t kRbVoid = 5014;
inline constexpr int16_t kRbListBegin = 5016;
inline constexpr int16_t kRbListEnd = 5017;
inline constexpr int16_t kRbDottedPair = 5018;
inline constexpr int16_t kRbNil = 5019;
inline constexpr int16_t kRbTrue = 5021;

// Frequently used group codes of entity data lists and extended data.
inline constexpr int16_t kGcEntityName = -1;
inline constexpr int16_t kGcType = 0;
inline constexpr int16_t kGcXDataAppName = 1001;
inline constexpr int16_t kGcXDataString = 1000;
inline constexpr int16_t kGcXDataControl = 1002;
inline constexpr int16_t kGcXDataLayer = 1003;
inline constexpr int16_t kGcXDataBinary = 1004;
inline constexpr int16_t kGcXDataHandle = 1005;
inline constexpr int16_t kGcXDataPoint = 1010;
inline constexpr int16_t kGcXDataReal = 1040;
inline constexpr int16_t kGcXDataShort = 1070;
inline constexpr int16_t kGcXDataLong = 1071;
