#pragma once

#include "sdk/base/VexaErrorStatus.h"

// Statuses of the host's file-format services (underlay files), beside those of ErrorStatus.
namespace Vexa {

// A file that is not of the format asked for.
inline constexpr ErrorStatus eNotThisFileFormat = static_cast<ErrorStatus>(180);
// A file of the right format that cannot be read through.
inline constexpr ErrorStatus eDamagedFile = static_cast<ErrorStatus>(181);
// An encrypted file that opens only with its password.
inline constexpr ErrorStatus ePasswordNeeded = static_cast<ErrorStatus>(182);

}  // namespace Vexa
