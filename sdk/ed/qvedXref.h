#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeScale3d.h"

class QvDbDatabase;

// External references. The stand-in reads the referenced drawing when it is attached and keeps
// a copy of its model space in the external-reference block; it is not read again later.

// Attaches the drawing file `path` as the external reference `blockName` of `hostDb` (the
// working drawing when null): the file's model space becomes the block (flagged as an external
// reference, resolved, with `path` as its path name), the symbols it uses come along as dependent
// records named "BLOCKNAME|NAME" (layer "0", the linetypes ByBlock, ByLayer and Continuous and the
// spaces excepted), and a reference is placed in the current space with the insertion point
// (origin), scale (1) and rotation (0) given. `blockId` and `referenceId` receive the ids when
// asked for. Refusals: eNullPtr (no path, name or drawing), eInvalidSymbolName (a name not valid
// for a block, or with "|"), eDuplicateKey (a block of that name exists), those of reading the
// file (eFileNotFound, eBadDxfFile, ...); the drawing is then unchanged. `quiet` and `password`
// are accepted for the host's signature (the stand-in asks nothing, and its files have none).
Vexa::ErrorStatus qvedXrefAttach(const wchar_t* path, const wchar_t* blockName,
                                 QvDbObjectId* blockId = nullptr,
                                 QvDbObjectId* referenceId = nullptr,
                                 const QvGePoint3d* insertionPoint = nullptr,
                                 const QvGeScale3d* scale = nullptr,
                                 const double* rotation = nullptr, bool quiet = true,
                                 QvDbDatabase* hostDb = nullptr, const wchar_t* password = nullptr);

// Attaches, as qvedXrefAttach does, the drawing file that `contents` was just saved to or read
// from (its fileName()), taking the contents from `contents` rather than reading the file again;
// the caller answers for `contents` being what the file holds. `contents` is not changed.
// Refusals as qvedXrefAttach's, and eNullPtr without `contents`, eInvalidInput when it is the
// host drawing itself, eFileNotFound when it has no file or its file is gone.
Vexa::ErrorStatus qvedXrefAttachSaved(QvDbDatabase* contents, const wchar_t* blockName,
                                      QvDbObjectId* blockId = nullptr,
                                      QvDbObjectId* referenceId = nullptr,
                                      const QvGePoint3d* insertionPoint = nullptr,
                                      const QvGeScale3d* scale = nullptr,
                                      const double* rotation = nullptr, bool quiet = true,
                                      QvDbDatabase* hostDb = nullptr);

// Binds the external reference `blockName` into `hostDb` (the working drawing when null): its
// dependent records "BLOCKNAME|NAME" become ordinary records "BLOCKNAME$N$NAME", N the first of
// 0, 1, ... whose name is free; with `insertBind` they take their own name NAME when it is free
// (the "$N$" name otherwise). The block loses its external-reference flag and path name and
// keeps its references. Refusals: eNullPtr, eKeyNotFound (no such block), eNotApplicable (the
// block is no external reference); the drawing is then unchanged.
Vexa::ErrorStatus qvedXrefBind(const wchar_t* blockName, bool insertBind = false, bool quiet = true,
                               QvDbDatabase* hostDb = nullptr);

// Reads the external references of `hostDb` (the working drawing when null) again from their
// files: each external-reference block (only those not resolved yet with `doNewOnly`) is found
// by its path name as qvedFindFile finds files (the path as stored, then its file name in the
// drawing's folder, the current folder and the support path), read, and its contents and
// dependent symbols replaced by the file's; it is then resolved. A block whose file is missing
// or unreadable keeps its contents and is marked unresolved; the first such refusal is
// answered (eFileNotFound, eBadDxfFile, ...) after every block was tried. eNullPtr without a
// drawing. `useThreadEngine` is accepted for the host's signature.
Vexa::ErrorStatus qvdbResolveCurrentXRefs(QvDbDatabase* hostDb, bool useThreadEngine = true,
                                          bool doNewOnly = false);
