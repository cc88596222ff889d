#pragma once

#include "sdk/io/QvDxfFilers.h"

// The filers of the modeler's entities (QvDxfModelerFiler.cpp), listed by QvDxfFilerRegistry.
QvDxfFilerPtr qvDxfRegionFiler();
QvDxfFilerPtr qvDxf3dSolidFiler();
QvDxfFilerPtr qvDxfSurfaceFiler();
QvDxfFilerPtr qvDxfPlaneSurfaceFiler();
QvDxfFilerPtr qvDxfSweptSurfaceFiler();
