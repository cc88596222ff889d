#pragma once

#include <cstddef>
#include <cstdint>

#include "sdk/base/QvString.h"
#include "sdk/base/resbuf.h"
#include "xqcmdutil/XqCmdUtilExport.h"

// Entity data of the classic interface, by entity name. Each call fetches the entity's data
// list (qvdbEntGet) and releases it before it returns.

// The entity's type code by its type name: LINE 1, LWPOLYLINE 2, ARC 3, CIRCLE 4, ELLIPSE 5,
// POLYLINE 6 (7 when group 70 has bit 8, else 11 with bit 16, else 19 with bit 64), SPLINE 8,
// POINT 9, 3DFACE 10, 3DSOLID 12, REGION 13, BODY 14, INSERT 15, TEXT 16, ATTDEF 17, ATTRIB 18,
// HATCH 20, DIMENSION 21, TRACE 22, SOLID 23, MTEXT 24, VERTEX 25, SEQEND 26, PLANT 27,
// MLINE 101, XLINE 102, VIEWPORT 201, others 0. 0 without data or type; kQvError for a
// POLYLINE without group 70.
XQCMDUTIL_EXPORT int getEntType(const int64_t ent[2]);
// The type name into `buf` (cut to size - 1): kQvNormal, kQvError without data.
XQCMDUTIL_EXPORT int GetEntType(const int64_t ent[2], wchar_t* buf, size_t size);
// The value of the first group `code`: kQvNormal, or kQvError without data, without such a
// group, with a group of another kind, or with a null output.
XQCMDUTIL_EXPORT int GetEntPoint(const int64_t ent[2], int code, double pt[3]);
XQCMDUTIL_EXPORT int GetEntString(const int64_t ent[2], int code, wchar_t* buf, size_t size);
XQCMDUTIL_EXPORT int GetEntName(const int64_t ent[2], int code, int64_t name[2]);
// Puts the entity on `layer` (made when the drawing has none): kQvNormal, or kQvError when its
// data cannot be read or the change is refused.
XQCMDUTIL_EXPORT int SetEntLayer(const int64_t ent[2], const wchar_t* layer);
// Adds to the selection set `ss` (made when it is (0, 0)) every entity after `start` in
// drawing order, all of them for a null start. kQvNormal.
XQCMDUTIL_EXPORT int GetLastSel(const int64_t start[2], int64_t ss[2]);
// The record `name` of a table, or with no name the next record (the first with `rewind`).
XQCMDUTIL_EXPORT resbuf* qds_tblgetter(const wchar_t* table, const wchar_t* name, int rewind);
// Asks for a text (up to 2048 characters). Mode 0 sets the input controls 0x100000 and
// 0x200000, 1 clears both, 2 clears 0x100000 and sets 0x200000. On kQvNormal `out` gets the
// answer, on kQvNone it is emptied. The host's code.
XQCMDUTIL_EXPORT int GetString(int mode, const wchar_t* prompt, QvString& out);
