#pragma once

class QvDxfReadSession;

// Multi-line texts in columns, as files before R2018 hold them: the column settings in the
// main text's extended data (application "ACAD": ACAD_MTEXT_COLUMN_INFO, ACAD_MTEXT_COLUMNS
// with the handles of one further MTEXT per column, ACAD_MTEXT_DEFINED_HEIGHT). Drawings are
// written in the current form, where readers take the further texts for texts of their own:
// so each further column's contents are joined to the main text, its entity is erased, and the
// settings become the main text's embedded column object (101), with a repair noted. Runs on
// the extended data read, before it is given to the objects.
void qvDxfJoinMTextColumns(QvDxfReadSession& session);
