#pragma once

#include <sys/types.h>

#include <string>

// A loopback FTP server (tests/support/loopback_ftp.py) serving a folder to anonymous users
// on an ephemeral port of 127.0.0.1, started by the constructor and stopped by the destructor
// (or stop). It also stops when the test process ends, since it watches its standard input.
class LoopbackFtpServer {
 public:
  struct Options {
    bool refuseLogin = false;  // every session refused
    long cutAfter = -1;        // the server dies after sending this many bytes of a download
    int port = 0;              // 0: an ephemeral one
  };

  explicit LoopbackFtpServer(const std::string& root) : LoopbackFtpServer(root, Options()) {}
  LoopbackFtpServer(const std::string& root, Options options);
  LoopbackFtpServer(const LoopbackFtpServer&) = delete;
  LoopbackFtpServer& operator=(const LoopbackFtpServer&) = delete;
  ~LoopbackFtpServer();

  // The port it listens on; 0 when it did not start.
  int port() const { return port_; }
  void stop();

 private:
  pid_t pid_ = -1;
  int stdinFd_ = -1;
  int port_ = 0;
};
