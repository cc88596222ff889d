#pragma once

#include "sdk/base/QvString.h"

class QvDbEntity;
class QvDbEntityInternalBasePE;

// What the commands that measure and change entities share.
namespace TarvoEntityLabel {

// "Line 2F": the entity's class, without the host's prefix, and its handle.
QvString of(const QvDbEntity& entity);

// The internal protocol extension the module attached to the entity's class (null while the
// module is not loaded).
QvDbEntityInternalBasePE* internalExtension(const QvDbEntity& entity);

}  // namespace TarvoEntityLabel
