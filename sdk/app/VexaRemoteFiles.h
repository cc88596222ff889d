#pragma once

#include <string>

#include "sdk/base/QvString.h"
#include "sdk/base/VexaHost.h"
#include "sdk/db/IVexaRemoteFiles.h"

// Remote files over FTP, fetched into a cache in the host session's temporary folder: the file
// ftp://HOST[:PORT]/DIR/NAME is kept as remote/HOST_PORT/DIR/NAME there. A fetch writes to a
// temporary name beside it and renames the file when it is complete, so the cache never holds
// part of a file. The cached copy carries the server's modification time, which decides
// whether it is still current. Anonymous sessions only.
//
// The port of addresses that name none is 21, or TARVO_FTP_PORT when set (or setFtpPort).
class VexaRemoteFiles : public VexaHostService, public IVexaRemoteFiles {
 public:
  VexaRemoteFiles();

  Vexa::ErrorStatus getRemoteFile(const QvString& url, QvString& localName, bool useCache) override;
  // The cache's name for `url` (whether fetched or not); empty when the address is not an
  // ftp:// address of a file: no host, a bad port, no file name, an empty, "." or ".."
  // segment.
  QvString cachedName(const QvString& url);

  int ftpPort() const { return port_; }
  void setFtpPort(int port) { port_ = port; }
  // Seconds without progress after which a connection or a transfer is given up.
  void setStallTimeout(long seconds) { stallSeconds_ = seconds; }

 private:
  struct Address {
    std::string host;
    int port = 0;
    std::string path;  // without the leading '/', as typed (UTF-8)
  };
  bool parse(const QvString& url, Address& address) const;
  std::string cacheFile(const Address& address);

  int port_ = 21;
  long stallSeconds_ = 20;
};
