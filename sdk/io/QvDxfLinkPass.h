#pragma once

#include "sdk/io/QvDxfHeaderSection.h"

class QvDbDatabase;
class QvDxfFileExtras;
class QvDxfReadSession;

// The links of a file read, made once every object is there: every handle referred to must
// name an object of the file; dictionary entries go into their dictionaries, extension
// dictionaries to their objects, the objects of the OBJECTS section to the owners they name,
// extended data to its objects (the applications it names registered when the file did not),
// layouts to their blocks; the drawing's standard contents are completed and the current
// layer, linetype, text style and dimension style of the header set (an undefined one leaves
// the standard one current).
class QvDxfLinkPass {
 public:
  QvDxfLinkPass(QvDxfReadSession& session, QvDxfFileExtras& extras,
                const QvDxfHeaderSection::CurrentRecords& current);

  void run();

 private:
  void linkDictionaryEntries();
  void linkExtensionDictionaries();
  void linkOwners();
  void linkXData();
  void linkLayouts();
  void setCurrentRecords();

  QvDxfReadSession& session_;
  QvDbDatabase& db_;
  QvDxfFileExtras& extras_;
  const QvDxfHeaderSection::CurrentRecords& current_;
};
