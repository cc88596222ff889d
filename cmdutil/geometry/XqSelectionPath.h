#pragma once

#include "sdk/db/QvDbObject.h"
#include "sdk/db/QvDbObjectId.h"
#include "xqcmdutil/XqVector.h"

// Steps shared by the dimensioning helpers of XqDbUtil.

// The path without a viewport at its front.
XqVector<QvDbObjectId> withoutLeadingViewport(const XqVector<QvDbObjectId>& path);

// True for an object of the host class of that name (or one derived from it), and for the
// proxy of one read from a file under that DXF name.
bool isOfHostClass(const QvDbObject* object, const wchar_t* className, const wchar_t* dxfName);
bool isViewport(const QvDbObject* object);
bool isTable(const QvDbObject* object);
bool isDimension(const QvDbObject* object);
bool isMline(const QvDbObject* object);
bool is3dSolid(const QvDbObject* object);
