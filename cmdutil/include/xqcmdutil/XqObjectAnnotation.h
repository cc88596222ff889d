#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "xqcmdutil/XqCmdUtilExport.h"

class QvDbObject;

// The annotative and paper-orientation settings of an object, through the host's protocol
// extensions (QvDbAnnotativeObjectPE, QvDbPaperOrientationPE) of its class.

// False for a null object or one whose class has no such extension.
XQCMDUTIL_EXPORT bool IsObjectAnnotative(const QvDbObject* obj);
XQCMDUTIL_EXPORT bool IsObjectPaperOrientation(const QvDbObject* obj);

// Changes the setting (the object open for write) only when it differs from `on`: eOk when it
// already is so; eNullPtr for a null object, eNotApplicable for one without the extension;
// otherwise the extension's status.
XQCMDUTIL_EXPORT Vexa::ErrorStatus SetObjectAnnotative(QvDbObject* obj, bool on);
XQCMDUTIL_EXPORT Vexa::ErrorStatus SetObjectPaperOrientation(QvDbObject* obj, bool on);
