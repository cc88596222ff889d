#include "sdk/io/QvDxfFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbTransactionManager.h"
#include "sdk/io/QvDxfError.h"
#include "sdk/io/QvDxfFileReader.h"
#include "sdk/io/QvDxfFileWriter.h"
#include "sdk/io/QvDxfTokenizer.h"

namespace {

bool isBusy(const QvDbDatabase& db, QvString& message) {
  if (db.numOpenObjects() != 0) {
    message = L"the drawing has open objects";
    return true;
  }
  if (db.transactionManager()->numActiveTransactions() != 0) {
    message = L"a transaction is active on the drawing";
    return true;
  }
  return false;
}

QvString systemError(const char* what, const std::string& path) {
  return QvString((std::string(what) + " \"" + path + "\": " + std::strerror(errno)).c_str());
}

// Closes a C file on every path.
class FileCloser {
 public:
  explicit FileCloser(FILE* file) : file_(file) {}
  FileCloser(const FileCloser&) = delete;
  FileCloser& operator=(const FileCloser&) = delete;
  ~FileCloser() {
    if (file_) std::fclose(file_);
  }
  FILE* get() const { return file_; }
  int close() {
    const int rc = file_ ? std::fclose(file_) : 0;
    file_ = nullptr;
    return rc;
  }

 private:
  FILE* file_;
};

std::string backupPathOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + ".bak";
  return path.substr(0, dot) + ".bak";
}

}  // namespace

Vexa::ErrorStatus QvDxfFile::readText(std::string text, QvDbDatabase& db, QvString& message) {
  message.empty();
  if (isBusy(db, message)) return Vexa::eInvalidInput;
  try {
    const QvDxfTokens tokens = QvDxfTokenizer::tokenize(std::move(text));
    QvDbDatabase fresh(false);
    std::vector<std::string> repairs;
    {
      QvDxfFileReader reader(tokens, fresh);
      reader.read();
      repairs = reader.repairs();
    }
    if (fresh.numOpenObjects() != 0)
      throw QvDxfError(Vexa::eInvalidInput, 0, "the reader left objects open");
    const Vexa::ErrorStatus es = db.swapContents(fresh);
    if (es != Vexa::eOk) throw QvDxfError(es, 0, "the drawing read cannot be handed over");
    std::string mended;
    for (const std::string& r : repairs) mended += (mended.empty() ? "" : "\n") + r;
    message = QvString(mended.c_str());
    return Vexa::eOk;
  } catch (const QvDxfError& e) {
    message = QvString(e.what());
    return e.status();
  } catch (const std::bad_alloc&) {
    message = L"not enough memory to read the drawing";
    return Vexa::eOutOfMemory;
  }
}

Vexa::ErrorStatus QvDxfFile::readFile(const QvString& path, QvDbDatabase& db, QvString& message) {
  message.empty();
  const std::string name = path.utf8();
  struct stat info {};
  if (name.empty() || ::stat(name.c_str(), &info) != 0) {
    message = QvString(("the file \"" + name + "\" does not exist").c_str());
    return errno == ENOENT || name.empty() ? Vexa::eFileNotFound : Vexa::eFileAccessError;
  }
  if (!S_ISREG(info.st_mode)) {
    message = QvString(("\"" + name + "\" is not a file").c_str());
    return Vexa::eFileAccessError;
  }
  FileCloser file(std::fopen(name.c_str(), "rb"));
  if (!file.get()) {
    message = systemError("cannot open", name);
    return Vexa::eFileAccessError;
  }
  std::string text;
  try {
    text.resize(static_cast<size_t>(info.st_size));
  } catch (const std::exception&) {
    message = L"not enough memory to read the drawing";
    return Vexa::eOutOfMemory;
  }
  const size_t got = std::fread(text.data(), 1, text.size(), file.get());
  if (got != text.size() || std::ferror(file.get())) {
    message = systemError("cannot read", name);
    return Vexa::eFileAccessError;
  }
  file.close();
  const Vexa::ErrorStatus es = readText(std::move(text), db, message);
  if (es != Vexa::eOk) message = QvString((name + ", ").c_str()) + message;
  return es;
}

Vexa::ErrorStatus QvDxfFile::writeText(QvDbDatabase& db, std::string& text, QvString& message) {
  message.empty();
  if (isBusy(db, message)) return Vexa::eInvalidInput;
  try {
    text = QvDxfFileWriter(db).write();
    return Vexa::eOk;
  } catch (const QvDxfError& e) {
    message = QvString(e.what());
    return e.status();
  } catch (const std::bad_alloc&) {
    message = L"not enough memory to write the drawing";
    return Vexa::eOutOfMemory;
  }
}

Vexa::ErrorStatus QvDxfFile::writeFile(QvDbDatabase& db, const QvString& path, bool keepBackup,
                                       QvString& message) {
  std::string text;
  if (const Vexa::ErrorStatus es = writeText(db, text, message); es != Vexa::eOk) return es;
  const std::string name = path.utf8();
  if (name.empty()) {
    message = L"no file name was given";
    return Vexa::eInvalidInput;
  }
  std::string temp = name + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    message = systemError("cannot write beside", name);
    return Vexa::eFileAccessError;
  }
  FileCloser file(::fdopen(fd, "wb"));
  if (!file.get()) {
    ::close(fd);
    ::unlink(temp.c_str());
    message = systemError("cannot write", temp);
    return Vexa::eFileAccessError;
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size() &&
                       std::fflush(file.get()) == 0 && ::fsync(fileno(file.get())) == 0;
  const int savedErrno = errno;
  if (file.close() != 0 || !written) {
    errno = savedErrno;
    message = systemError("cannot write", name);
    ::unlink(temp.c_str());
    return Vexa::eFileAccessError;
  }
  ::chmod(temp.c_str(), 0644);
  struct stat info {};
  const bool exists = ::stat(name.c_str(), &info) == 0;
  const std::string backup = backupPathOf(name);
  if (exists && keepBackup && ::rename(name.c_str(), backup.c_str()) != 0) {
    message = systemError("cannot keep the old drawing as", backup);
    ::unlink(temp.c_str());
    return Vexa::eFileAccessError;
  }
  if (::rename(temp.c_str(), name.c_str()) != 0) {
    message = systemError("cannot write", name);
    ::unlink(temp.c_str());
    if (exists && keepBackup) ::rename(backup.c_str(), name.c_str());
    return Vexa::eFileAccessError;
  }
  return Vexa::eOk;
}
