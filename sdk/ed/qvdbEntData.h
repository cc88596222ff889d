#pragma once

#include <cstdint>

#include "sdk/base/resbuf.h"

// Entity data lists and table search of the classic interface. Lists are made by the drawing
// files' filers: the entity's name (-1) first, then its type (0) and the groups its DXF record
// holds, points as one record, references as entity names, without extended data. The caller
// releases a list with qvutRelRb.

// The list of an entity of a live drawing; null for a null name, a name of nothing, or an
// erased entity.
resbuf* qvdbEntGet(const int64_t entity[2]);
// Changes the entity the list's -1 record names to what the list says; it keeps its identity.
// An unknown layer is made. kQvNormal; kQvError, the entity unchanged, for a list without a
// name or of another type, a reference to nothing, or a value the entity refuses (a zero scale
// factor).
int qvdbEntMod(const resbuf* list);
// Redraws an entity: kQvNormal when it names a live entity, else kQvError.
int qvdbEntUpd(const int64_t entity[2]);

// The record `name` (without regard to case) of a table of the working database: "LAYER",
// "LTYPE", "STYLE", "DIMSTYLE", "BLOCK", "APPID", "UCS", "VIEW" or "VPORT". 0 names the table,
// then the record's groups without handles (a block: 2 name, 70 flags, 10 base point, -2 first
// entity). With `setNext` a following qvdbTblNext goes on after it. Null when there is none.
resbuf* qvdbTblSearch(const wchar_t* table, const wchar_t* name, int setNext);
// The next record of a table, or its first with `rewind` (or on the first call); null at the
// end. The spaces of the block table are left out; erased records too.
resbuf* qvdbTblNext(const wchar_t* table, int rewind);

// A classic function returns nothing to its caller: kQvNormal.
int qvedRetVoid();
// Releases a string the host handed out (qvutDupString, a list's string). Null is allowed.
void qvutFreeString(wchar_t* text);
