#pragma once

#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/base/VexaFileStatus.h"

// What the host application services need to fetch remote files (ftp:// addresses) into the
// host's cache. The application binds its service here when the host starts.
class IVexaRemoteFiles {
 public:
  // Fetches `url` into the cache; `localName` gets the cached file's name (empty when the
  // address is not one the cache takes). With `useCache`, a cached copy the server still has
  // unchanged is used as it is.
  // Success: eRemoteFetched (fetched now), eRemoteUnchanged (the cached copy is current),
  // eRemoteInCache (no server answers, the cached copy is at hand).
  // Refusals: eInvalidInput (not an ftp:// address of a file), eRemoteFileNotFound,
  // eRemoteCannotConnect, eRemoteRefused, eRemoteTransferFailed, eFileAccessError (the cache
  // cannot be written). A refused fetch leaves the cache as it was.
  virtual Vexa::ErrorStatus getRemoteFile(const QvString& url, QvString& localName,
                                          bool useCache) = 0;

 protected:
  ~IVexaRemoteFiles() = default;
};
