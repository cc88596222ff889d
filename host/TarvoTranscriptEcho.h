#pragma once

#include <iosfwd>

// Writes the command line to a stream as it happens, for the scope's lifetime: every prompt,
// message and answer the host's transcript receives, laid out as the command line shows it.
// The scope's end takes the echo away and ends an unfinished line.
class TarvoTranscriptEcho {
 public:
  explicit TarvoTranscriptEcho(std::ostream& out);
  TarvoTranscriptEcho(const TarvoTranscriptEcho&) = delete;
  TarvoTranscriptEcho& operator=(const TarvoTranscriptEcho&) = delete;
  ~TarvoTranscriptEcho();

 private:
  std::ostream& out_;
  bool atLineStart_ = true;
};
