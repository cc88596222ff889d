#pragma once

#include <cstdint>

#include "sdk/base/QvClassicCodes.h"

class VexaSelectSet;

// Selection sets of the classic interface. A set's name and an entity name are two 64-bit
// words each (see VexaSelectionSets and qvdbGetAdsName). Sets live until qvedSSFree or the end
// of the host; they hold entity names, so an entity erased after it was added stays in the set
// (qvdbGetObjectId then gives an erased id).

// Adds an entity to a set. With `set` null a new set is made (holding `entity`, or empty when
// `entity` is null) and its name written to `result`; otherwise `entity` is added to `set`
// unless it is there already, and `result` receives the name of `set`. `result` may be `set`.
// kQvNormal; kQvError for a null `result`, a `set` that names no live set, or an `entity` that
// names no live entity (then nothing is made or changed).
int qvedSSAdd(const int64_t entity[2], const int64_t set[2], int64_t result[2]);
// Takes an entity out of a set. kQvNormal; kQvError when the set or the entity is not there.
int qvedSSDel(const int64_t entity[2], const int64_t set[2]);
// The number of entities of a set. kQvNormal; kQvError for a name that names no live set.
int qvedSSLength(const int64_t set[2], int32_t* length);
// The name of the entity at `index` (from 0). kQvNormal; kQvError for an unknown set or an
// index out of range.
int qvedSSName(const int64_t set[2], int32_t index, int64_t entity[2]);
// Whether an entity is in a set: kQvNormal when it is, kQvError when not (or no such set).
int qvedSSMemb(const int64_t entity[2], const int64_t set[2]);
// Ends a set. kQvNormal; kQvError for a name that names no live set (freed twice).
int qvedSSFree(const int64_t set[2]);

// Makes a new set. `mode`:
//   null  the selection question (VexaSelectionQuestion), prompt "Select objects: "
//   ":S"  the same, ending after the first answer that selects something
//   ":R"  the same, keeping only block references (":S:R" or ":R:S" both)
//   "X"   every entity of the drawing's model space and layouts
//   "A"   every entity of the current space not on a frozen layer (the ALL answer)
//   "L"   the last entity shown of the current space
//   "P"   the previous selection
//   "W", "C"  the window or crossing of the corners `point1` and `point2` (current UCS)
// Results: kQvNormal with the new set's name in `set`; kQvNone when nothing was selected (no
// set is made); kQvCancel when the question was cancelled; kQvError for an unknown mode, missing
// corners or no working database.
int qvedSSGet(const wchar_t* mode, const double* point1, const double* point2, int64_t set[2]);
// The selection question of a mode that asks (null, ":S", ":R", ":S:R") with the caller's
// prompt (null for "Select objects: "). Results as qvedSSGet; kQvError for other modes.
int qvedSSGetPrompted(const wchar_t* prompt, const wchar_t* mode, int64_t set[2]);
// The selection question that also chooses, with `hidden`, invisible entities and those on
// layers that are off or frozen, and, with `locked`, those on locked layers (which are left out
// otherwise, saying how many). Results as qvedSSGet.
int qvedSSGetHiddenAndLocked(const wchar_t* prompt, bool hidden, bool locked, int64_t set[2]);

// A classic set holding the entities of `selection`; its name goes to `set`. kQvNormal;
// kQvError when no host runs.
int qvedSSFromSelectSet(const VexaSelectSet& selection, int64_t set[2]);
// The entities of a classic set. kQvNormal; kQvError for an unknown set.
int qvedSSToSelectSet(const int64_t set[2], VexaSelectSet& selection);
