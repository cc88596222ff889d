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
// A file of the format in a version the service does not read (a DGN v8 file).
inline constexpr ErrorStatus eFileVersionNotSupported = static_cast<ErrorStatus>(190);

}  // namespace Vexa
