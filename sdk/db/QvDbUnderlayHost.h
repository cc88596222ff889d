#pragma once

#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/base/VexaFileStatus.h"

class QvDbDatabase;
class QvDbUnderlayFile;

// The formats of underlay files.
enum class QvDbUnderlayFormat { kDwf, kPdf, kDgn };

// A host service that opens the underlay files of one format.
class QvDbUnderlayFormatService {
 public:
  // Opens `path` with `password` (empty for none) and hands back a new file the caller
  // deletes. Refusals: eFileNotFound (no such regular file), eFileAccessError (it cannot be
  // read), eNotThisFileFormat (not of this format), eDamagedFile (of this format but broken),
  // ePasswordNeeded (encrypted, and the password does not open it). `file` is null then.
  virtual Vexa::ErrorStatus getFile(const wchar_t* path, const wchar_t* password,
                                    QvDbUnderlayFile*& file) const = 0;
  virtual ~QvDbUnderlayFormatService() = default;
};

// What the database needs of the host for underlays: the format services and the search for
// an underlay's file. The application binds its service here when the host starts.
class IVexaUnderlayHost {
 public:
  // The service of a format; null when the host has none.
  virtual const QvDbUnderlayFormatService* formatService(QvDbUnderlayFormat format) const = 0;
  // Where the host finds the file a drawing names as `path`: the path as it stands, then its
  // file name in the drawing's folder, the current folder and the support path. True with the
  // full path in `found`. An ftp:// path is found as the cached copy of the remote file, when
  // the host has fetched it (IVexaRemoteFiles).
  virtual bool findUnderlayFile(const QvString& path, const QvDbDatabase* db,
                                QvString& found) const = 0;

 protected:
  ~IVexaUnderlayHost() = default;
};

// The format services of the running host (null when it has none, or no host runs).
const QvDbUnderlayFormatService* qvdbDwfSerive();
const QvDbUnderlayFormatService* qvdbPdfSerive();
const QvDbUnderlayFormatService* qvdbDgnSerive();
const QvDbUnderlayFormatService* qvdbUnderlayService(QvDbUnderlayFormat format);
// The running host's search for an underlay file (IVexaUnderlayHost::findUnderlayFile); false
// when no host runs.
bool qvdbFindUnderlayFile(const QvString& path, const QvDbDatabase* db, QvString& found);
