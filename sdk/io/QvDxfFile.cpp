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
#include "sdk/io/QvDxfHugePages.h"
#include "sdk/io/QvDxfProgress.h"
#include "sdk/io/QvDxfTokenizer.h"

namespace {

bool isBusy(const QvDbDatabase& db, std::string& message) {
  if (db.numOpenObjects() != 0) {
    message = "the drawing has open objects";
    return true;
  }
  if (db.transactionManager()->numActiveTransactions() != 0) {
    message = "a transaction is active on the drawing";
    return true;
  }
  return false;
}

std::string systemError(const char* what, const std::string& path) {
  return std::string(what) + " \"" + path + "\": " + std::strerror(errno);
}

std::string systemError(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
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

QvDxfReadResult QvDxfFile::readText(std::string text, QvDbDatabase& db) {
  QvDxfReadResult result;
  std::string busy;
  if (isBusy(db, busy)) {
    result.status = Vexa::eInvalidInput;
    result.diagnostics.push_back({QvDxfDiagnostic::kDrawingBusy, 0, busy});
    return result;
  }
  QvDbDatabase fresh(false);
  // Splitting the text is the first half of the work, reading its records the second.
  const uint64_t size = text.size();
  QvDxfProgress progress(L"Reading drawing", 2 * size);
  try {
    const QvDxfTokens tokens = QvDxfTokenizer::tokenize(std::move(text), &progress);
    {
      QvDxfFileReader reader(tokens, fresh);
      reader.setProgress(&progress, size);
      try {
        reader.read();
        progress.at(2 * size);
      } catch (const QvDxfError&) {
        result.diagnostics = reader.repairs();
        result.repairCount = reader.repairCount();
        throw;
      }
      result.diagnostics = reader.repairs();
      result.repairCount = reader.repairCount();
    }
    if (fresh.numOpenObjects() != 0)
      throw QvDxfError(Vexa::eInvalidInput, QvDxfDiagnostic::kDrawingRefused, 0,
                       "the reader left objects open");
    const Vexa::ErrorStatus es = db.replaceContents(fresh);
    if (es != Vexa::eOk)
      throw QvDxfError(es, QvDxfDiagnostic::kDrawingRefused, 0,
                       "the drawing read cannot be handed over");
  } catch (const QvDxfError& e) {
    result.status = e.status();
    result.diagnostics.push_back(e.diagnostic());
  } catch (const std::bad_alloc&) {
    result.status = Vexa::eOutOfMemory;
    result.diagnostics.push_back(
        {QvDxfDiagnostic::kOutOfMemory, 0, "not enough memory to read the drawing"});
  }
  return result;
}

QvDxfReadResult QvDxfFile::readFile(const QvString& path, QvDbDatabase& db) {
  const std::string name = path.utf8();
  // The messages leave the name to QvDxfReadResult::message.
  auto cannotRead = [&name](Vexa::ErrorStatus status, std::string message) {
    QvDxfReadResult result;
    result.status = status;
    result.file = name;
    result.diagnostics.push_back({QvDxfDiagnostic::kCannotReadFile, 0, std::move(message)});
    return result;
  };
  struct stat info {};
  if (name.empty() || ::stat(name.c_str(), &info) != 0)
    return cannotRead(
        errno == ENOENT || name.empty() ? Vexa::eFileNotFound : Vexa::eFileAccessError,
        errno == ENOENT || name.empty() ? std::string("no such file") : systemError("cannot read"));
  if (!S_ISREG(info.st_mode)) return cannotRead(Vexa::eFileAccessError, "it is not a file");
  FileCloser file(std::fopen(name.c_str(), "rb"));
  if (!file.get()) return cannotRead(Vexa::eFileAccessError, systemError("cannot open it"));
  std::string text;
  try {
    text.reserve(static_cast<size_t>(info.st_size));
    qvDxfAdviseHugePages(text.data(), text.capacity());
    text.resize(static_cast<size_t>(info.st_size));
  } catch (const std::exception&) {
    QvDxfReadResult result;
    result.status = Vexa::eOutOfMemory;
    result.diagnostics.push_back(
        {QvDxfDiagnostic::kOutOfMemory, 0, "not enough memory to read the drawing"});
    return result;
  }
  const size_t got = std::fread(text.data(), 1, text.size(), file.get());
  if (got != text.size() || std::ferror(file.get()))
    return cannotRead(Vexa::eFileAccessError, systemError("cannot read it"));
  file.close();
  QvDxfReadResult result = readText(std::move(text), db);
  if (!result.ok()) result.file = name;
  return result;
}

QvString QvDxfReadResult::message() const {
  std::string text;
  if (const QvDxfDiagnostic* refused = refusal()) {
    if (!file.empty()) text = file + ", ";
    text += refused->text();
  } else {
    for (const QvDxfDiagnostic& d : diagnostics) {
      if (!text.empty()) text += '\n';
      text += d.text();
    }
  }
  return QvString(text.c_str());
}

namespace {

// The text of a drawing in its two parts, or why it cannot be written.
Vexa::ErrorStatus writeParts(QvDbDatabase& db, QvDxfFileWriter::Parts& parts, QvString& message) {
  message.empty();
  std::string busy;
  if (isBusy(db, busy)) {
    message = QvString(busy.c_str());
    return Vexa::eInvalidInput;
  }
  try {
    parts = QvDxfFileWriter(db).writeParts();
    return Vexa::eOk;
  } catch (const QvDxfError& e) {
    message = QvString(e.what());
    return e.status();
  } catch (const std::bad_alloc&) {
    message = L"not enough memory to write the drawing";
    return Vexa::eOutOfMemory;
  }
}

}  // namespace

Vexa::ErrorStatus QvDxfFile::writeText(QvDbDatabase& db, std::string& text, QvString& message) {
  QvDxfFileWriter::Parts parts;
  const Vexa::ErrorStatus es = writeParts(db, parts, message);
  if (es == Vexa::eOk) text = std::move(parts).joined();
  return es;
}

Vexa::ErrorStatus QvDxfFile::writeFile(QvDbDatabase& db, const QvString& path, bool keepBackup,
                                       QvString& message) {
  QvDxfFileWriter::Parts text;
  if (const Vexa::ErrorStatus es = writeParts(db, text, message); es != Vexa::eOk) return es;
  const std::string name = path.utf8();
  if (name.empty()) {
    message = L"no file name was given";
    return Vexa::eInvalidInput;
  }
  std::string temp = name + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    message = QvString(systemError("cannot write beside", name).c_str());
    return Vexa::eFileAccessError;
  }
  FileCloser file(::fdopen(fd, "wb"));
  if (!file.get()) {
    ::close(fd);
    ::unlink(temp.c_str());
    message = QvString(systemError("cannot write", temp).c_str());
    return Vexa::eFileAccessError;
  }
  const auto put = [&file](const std::string& part) {
    return std::fwrite(part.data(), 1, part.size(), file.get()) == part.size();
  };
  const bool written = put(text.head) && put(text.body) && std::fflush(file.get()) == 0 &&
                       ::fsync(fileno(file.get())) == 0;
  const int savedErrno = errno;
  if (file.close() != 0 || !written) {
    errno = savedErrno;
    message = QvString(systemError("cannot write", name).c_str());
    ::unlink(temp.c_str());
    return Vexa::eFileAccessError;
  }
  ::chmod(temp.c_str(), 0644);
  struct stat info {};
  const bool exists = ::stat(name.c_str(), &info) == 0;
  const std::string backup = backupPathOf(name);
  if (exists && keepBackup && ::rename(name.c_str(), backup.c_str()) != 0) {
    message = QvString(systemError("cannot keep the old drawing as", backup).c_str());
    ::unlink(temp.c_str());
    return Vexa::eFileAccessError;
  }
  if (::rename(temp.c_str(), name.c_str()) != 0) {
    message = QvString(systemError("cannot write", name).c_str());
    ::unlink(temp.c_str());
    if (exists && keepBackup) ::rename(backup.c_str(), name.c_str());
    return Vexa::eFileAccessError;
  }
  return Vexa::eOk;
}
