#pragma once

// The undo controller of a document: what the host's undo keeps about the changes the running
// command makes to the drawing. A command declares the kind of modification it makes (a value
// of the host's, passed on as it stands); undo reads it back when it records the command.
class VexaUndoController {
 public:
  static constexpr int kNotDeclared = 0;

  int dbModifiedType() const { return dbModifiedType_; }
  void setDbModifiedType(int type) { dbModifiedType_ = type; }

 private:
  int dbModifiedType_ = kNotDeclared;
};
