#pragma once

class QvDbBlockReference;

// The host's step after a block reference was created: its multi-line attributes are laid
// out again where they stand. Non-zero when the reference cannot be kept: null, in no
// database, or its definition is missing or erased (the caller then erases it); else 0.
int UpdataBlkAttribute(QvDbBlockReference* reference);
