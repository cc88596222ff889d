#pragma once

#include "sdk/io/QvDxfFilers.h"

// The filers of helices, multilines, section objects, shapes, OLE frames, viewports and tables,
// and of the vertices and faces of meshes, listed by QvDxfFilerRegistry with those of
// QvDxfFilers.h.
QvDxfFilerPtr qvDxfHelixFiler();
QvDxfFilerPtr qvDxfMlineFiler();
QvDxfFilerPtr qvDxfSectionFiler();
QvDxfFilerPtr qvDxfShapeFiler();
QvDxfFilerPtr qvDxfOle2FrameFiler();
QvDxfFilerPtr qvDxfViewportEntityFiler();
QvDxfFilerPtr qvDxfTableFiler();
QvDxfFilerPtr qvDxfPolygonMeshVertexFiler();
QvDxfFilerPtr qvDxfPolyFaceMeshVertexFiler();
QvDxfFilerPtr qvDxfFaceRecordFiler();
