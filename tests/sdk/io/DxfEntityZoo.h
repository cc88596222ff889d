#pragma once

class QvDbDatabase;

// Puts one or more entities of every class the DXF filing knows in the model space of `db`,
// with what each class can hold set away from its default: colours, linetypes, thicknesses,
// normals off the z axis, alignments, widths and bulges, attributes, array references, fit and
// NURBS splines, extended data, dimensions with blocks of their own, a leader and a feature
// control frame. The drawing gets the layer, linetype, text style, block and application these
// need.
void addEntityZoo(QvDbDatabase* db);
