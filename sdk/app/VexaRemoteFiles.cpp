#include "sdk/app/VexaRemoteFiles.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>

#include "sdk/app/VexaSessionTempFolder.h"
#include "sdk/base/qvUtf8.h"

namespace {

struct CurlDeleter {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
using CurlHandle = std::unique_ptr<CURL, CurlDeleter>;

CurlHandle newHandle() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  return CurlHandle(curl_easy_init());
}

bool isDigits(const std::string& text) {
  if (text.empty()) return false;
  for (const char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

bool isHostChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '-';
}

// The path as the wire carries it: bytes other than unreserved ones and '/' escaped.
std::string escapePath(const std::string& path) {
  static const char* const kHex = "0123456789ABCDEF";
  std::string out;
  for (const char ch : path) {
    const auto c = static_cast<unsigned char>(ch);
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
    if (plain) {
      out += ch;
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

Vexa::ErrorStatus statusOf(CURLcode code) {
  switch (code) {
    case CURLE_OK:
      return Vexa::eOk;
    case CURLE_REMOTE_FILE_NOT_FOUND:
    case CURLE_FTP_COULDNT_RETR_FILE:
      return Vexa::eRemoteFileNotFound;
    case CURLE_COULDNT_CONNECT:
    case CURLE_COULDNT_RESOLVE_HOST:
      return Vexa::eRemoteCannotConnect;
    case CURLE_LOGIN_DENIED:
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_FTP_ACCEPT_FAILED:
    case CURLE_FTP_WEIRD_PASV_REPLY:
    case CURLE_FTP_WEIRD_227_FORMAT:
    case CURLE_FTP_CANT_GET_HOST:
    case CURLE_FTP_PORT_FAILED:
    case CURLE_FTP_COULDNT_SET_TYPE:
      return Vexa::eRemoteRefused;
    default:
      return Vexa::eRemoteTransferFailed;
  }
}

void commonOptions(CURL* curl, const std::string& url, long stallSeconds) {
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 1L);
  curl_easy_setopt(curl, CURLOPT_FILETIME, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, stallSeconds);
  curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, stallSeconds);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, stallSeconds);
}

// What the server says of a file without sending it: its size and time (-1 when unknown).
struct RemoteStamp {
  curl_off_t size = -1;
  curl_off_t time = -1;
};

size_t discard(char*, size_t size, size_t count, void*) {
  return size * count;
}

Vexa::ErrorStatus probe(const std::string& url, long stallSeconds, RemoteStamp& stamp) {
  const CurlHandle curl = newHandle();
  if (!curl) return Vexa::eRemoteTransferFailed;
  commonOptions(curl.get(), url, stallSeconds);
  curl_easy_setopt(curl.get(), CURLOPT_NOBODY, 1L);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, &discard);
  const Vexa::ErrorStatus es = statusOf(curl_easy_perform(curl.get()));
  if (es != Vexa::eOk) return es;
  curl_easy_getinfo(curl.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &stamp.size);
  curl_easy_getinfo(curl.get(), CURLINFO_FILETIME_T, &stamp.time);
  return Vexa::eOk;
}

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};

struct Sink {
  FILE* file = nullptr;
  curl_off_t written = 0;
  bool failed = false;
};

size_t writeChunk(char* data, size_t size, size_t count, void* user) {
  auto* sink = static_cast<Sink*>(user);
  const size_t bytes = size * count;
  if (std::fwrite(data, 1, bytes, sink->file) != bytes) {
    sink->failed = true;
    return 0;
  }
  sink->written += static_cast<curl_off_t>(bytes);
  return bytes;
}

// Fetches `url` to a temporary file beside `target` and renames it to `target` when complete;
// the temporary file is gone in every case.
Vexa::ErrorStatus fetch(const std::string& url, const std::string& target, long stallSeconds) {
  std::string temporary = target + ".part-XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return Vexa::eFileAccessError;
  struct Remover {
    const std::string& path;
    bool keep = false;
    ~Remover() {
      if (!keep) ::unlink(path.c_str());
    }
  } remover{temporary};
  std::unique_ptr<FILE, FileCloser> file(::fdopen(fd, "wb"));
  if (!file) {
    ::close(fd);
    return Vexa::eFileAccessError;
  }
  const CurlHandle curl = newHandle();
  if (!curl) return Vexa::eRemoteTransferFailed;
  Sink sink{file.get()};
  commonOptions(curl.get(), url, stallSeconds);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, &writeChunk);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &sink);
  const CURLcode code = curl_easy_perform(curl.get());
  if (sink.failed) return Vexa::eFileAccessError;
  if (const Vexa::ErrorStatus es = statusOf(code); es != Vexa::eOk) return es;
  curl_off_t expected = -1;
  curl_easy_getinfo(curl.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &expected);
  if (expected >= 0 && expected != sink.written) return Vexa::eRemoteTransferFailed;
  if (std::fflush(file.get()) != 0 || ::fsync(fd) != 0) return Vexa::eFileAccessError;
  curl_off_t time = -1;
  curl_easy_getinfo(curl.get(), CURLINFO_FILETIME_T, &time);
  if (time >= 0) {
    const struct timespec times[2] = {{static_cast<time_t>(time), 0},
                                      {static_cast<time_t>(time), 0}};
    ::futimens(fd, times);
  }
  file.reset();
  if (std::rename(temporary.c_str(), target.c_str()) != 0) return Vexa::eFileAccessError;
  remover.keep = true;
  return Vexa::eRemoteFetched;
}

}  // namespace

VexaRemoteFiles::VexaRemoteFiles() {
  if (const char* port = std::getenv("TARVO_FTP_PORT"); port && isDigits(port)) {
    const long value = std::strtol(port, nullptr, 10);
    if (value > 0 && value < 65536) port_ = static_cast<int>(value);
  }
}

bool VexaRemoteFiles::parse(const QvString& url, Address& address) const {
  const std::string text = url.utf8();
  const std::string scheme = "ftp://";
  if (text.size() <= scheme.size()) return false;
  for (size_t i = 0; i < scheme.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != scheme[i]) return false;
  const size_t slash = text.find('/', scheme.size());
  if (slash == std::string::npos) return false;
  std::string host = text.substr(scheme.size(), slash - scheme.size());
  int port = port_;
  if (const size_t colon = host.find(':'); colon != std::string::npos) {
    const std::string digits = host.substr(colon + 1);
    if (!isDigits(digits) || digits.size() > 5) return false;
    port = std::stoi(digits);
    host.resize(colon);
  }
  if (host.empty() || port <= 0 || port > 65535) return false;
  for (const char c : host)
    if (!isHostChar(c)) return false;
  const std::string path = text.substr(slash + 1);
  if (path.empty()) return false;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string segment = path.substr(start, end - start);
    if (segment.empty() || segment == "." || segment == "..") return false;
    start = end + 1;
  }
  address = {host, port, path};
  return true;
}

std::string VexaRemoteFiles::cacheFile(const Address& address) {
  VexaHost* host = VexaHost::current();
  if (!host) return {};
  const QvString folder = host->service<VexaSessionTempFolder>().folder();
  if (folder.isEmpty()) return {};
  return folder.utf8() + "remote/" + address.host + "_" + std::to_string(address.port) + "/" +
         address.path;
}

QvString VexaRemoteFiles::cachedName(const QvString& url) {
  Address address;
  if (!parse(url, address)) return {};
  const std::string file = cacheFile(address);
  return file.empty() ? QvString() : QvString(qvWidenUtf8(file));
}

Vexa::ErrorStatus VexaRemoteFiles::getRemoteFile(const QvString& url, QvString& localName,
                                                 bool useCache) {
  localName = QvString();
  Address address;
  if (!parse(url, address)) return Vexa::eInvalidInput;
  const std::string target = cacheFile(address);
  if (target.empty()) return Vexa::eFileAccessError;
  localName = QvString(qvWidenUtf8(target));
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(target).parent_path(), ec);
  if (ec) return Vexa::eFileAccessError;
  const std::string wire =
      "ftp://" + address.host + ":" + std::to_string(address.port) + "/" + escapePath(address.path);

  struct stat cached {};
  if (useCache && ::stat(target.c_str(), &cached) == 0 && S_ISREG(cached.st_mode)) {
    RemoteStamp stamp;
    const Vexa::ErrorStatus es = probe(wire, stallSeconds_, stamp);
    if (es == Vexa::eRemoteCannotConnect) return Vexa::eRemoteInCache;
    if (es != Vexa::eOk) return es;
    if (stamp.time >= 0 && stamp.time == cached.st_mtime && stamp.size == cached.st_size)
      return Vexa::eRemoteUnchanged;
  }
  return fetch(wire, target, stallSeconds_);
}
