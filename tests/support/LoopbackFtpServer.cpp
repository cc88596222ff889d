#include "tests/support/LoopbackFtpServer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/TestPaths.h"

LoopbackFtpServer::LoopbackFtpServer(const std::string& root, Options options) {
  const std::string script = testDataDir() + "/../support/loopback_ftp.py";
  std::vector<std::string> args{"/usr/bin/python3", script, root};
  if (options.refuseLogin) args.emplace_back("--refuse");
  if (options.port > 0) {
    args.emplace_back("--port");
    args.push_back(std::to_string(options.port));
  }
  if (options.cutAfter >= 0) {
    args.emplace_back("--cut-after");
    args.push_back(std::to_string(options.cutAfter));
  }
  int toChild[2];
  int fromChild[2];
  if (::pipe2(toChild, O_CLOEXEC) != 0) {
    ADD_FAILURE() << "no pipe for the FTP server";
    return;
  }
  if (::pipe2(fromChild, O_CLOEXEC) != 0) {
    ::close(toChild[0]);
    ::close(toChild[1]);
    ADD_FAILURE() << "no pipe for the FTP server";
    return;
  }
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(toChild[0], 0);
    ::dup2(fromChild[1], 1);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(toChild[0]);
  ::close(fromChild[1]);
  stdinFd_ = toChild[1];
  if (pid_ < 0) {
    ::close(fromChild[0]);
    ADD_FAILURE() << "cannot start the FTP server";
    return;
  }
  // The first line the server writes is its port.
  std::string line;
  char c = 0;
  while (::read(fromChild[0], &c, 1) == 1 && c != '\n') line += c;
  ::close(fromChild[0]);
  port_ = line.empty() ? 0 : std::stoi(line);
  if (port_ == 0) ADD_FAILURE() << "the FTP server did not start (python3-pyftpdlib missing?)";
}

LoopbackFtpServer::~LoopbackFtpServer() {
  stop();
}

void LoopbackFtpServer::stop() {
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
  }
  if (stdinFd_ >= 0) {
    ::close(stdinFd_);
    stdinFd_ = -1;
  }
  port_ = 0;
}
