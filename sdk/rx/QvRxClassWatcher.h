#pragma once

#include <functional>
#include <string>

class QvRxClass;

// A change of the class tree as a watcher is told of it: a class registered or deleted, or a
// call of addX or delX (also one that found nothing to detach).
struct QvRxClassEvent {
  enum Kind { kNewClass, kDeleteClass, kAddX, kDelX };
  Kind kind;
  std::wstring className;     // the class registered, deleted, or whose table is changed
  std::wstring protocolName;  // addX and delX: the protocol's class
};
using QvRxClassWatcher = std::function<void(const QvRxClassEvent&)>;

// Sets the function told of each change, empty for none; answers the one it replaces.
QvRxClassWatcher qvrxSetClassWatcher(QvRxClassWatcher watcher);
// Tells the watcher, if there is one.
void qvrxTellClassWatcher(QvRxClassEvent::Kind kind, const QvRxClass* cls,
                          const QvRxClass* protocol = nullptr);
