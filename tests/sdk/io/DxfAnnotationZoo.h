#pragma once

class QvDbDatabase;

// Puts annotations of every kind the DXF filing knows in the model space of `db`: a rotated and
// an aligned dimension (each with a dimension block of its own, the aligned one in a tilted
// plane with its text turned), a leader pointing from a paragraph text and a feature control
// frame of two rows in a tilted plane.
void addAnnotationZoo(QvDbDatabase* db);
