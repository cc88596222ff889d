#pragma once

#include "sdk/base/VexaErrorStatus.h"

// Statuses of the host's file services (underlay files, remote files), beside those of
// ErrorStatus.
namespace Vexa {

// A file that is not of the format asked for.
inline constexpr ErrorStatus eNotThisFileFormat = static_cast<ErrorStatus>(180);
// A file of the right format that cannot be read through.
inline constexpr ErrorStatus eDamagedFile = static_cast<ErrorStatus>(181);
// An encrypted file that opens only with its password.
inline constexpr ErrorStatus ePasswordNeeded = static_cast<ErrorStatus>(182);
// A file of the format in a version the service does not read (a DGN v8 file).
inline constexpr ErrorStatus eFileVersionNotSupported = static_cast<ErrorStatus>(190);

// Statuses of fetching a remote file (beside eRemoteFetched, eRemoteInCache, eRemoteUnchanged).
// The server has no such file.
inline constexpr ErrorStatus eRemoteFileNotFound = static_cast<ErrorStatus>(183);
// No server answers at that address and port.
inline constexpr ErrorStatus eRemoteCannotConnect = static_cast<ErrorStatus>(184);
// The server answers but refuses the session or the file.
inline constexpr ErrorStatus eRemoteRefused = static_cast<ErrorStatus>(185);
// The transfer broke off before the file was complete.
inline constexpr ErrorStatus eRemoteTransferFailed = static_cast<ErrorStatus>(186);

}  // namespace Vexa
