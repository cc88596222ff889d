#pragma once

// What a drawing file held that the database does not model as objects or header variables
// (unknown header variables, the file's class list, sections it does not read), kept by the
// reader of that file format for its writer, so that a drawing read and saved loses nothing.
// The database owns it and hands it only to the code of that format, which knows its class.
class QvDbFileExtras {
 public:
  virtual ~QvDbFileExtras() = default;
};
