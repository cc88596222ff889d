#include "sdk/db/QvDbObjectReactor.h"

void QvDbObjectReactor::modified(const QvDbObject*) {}

void QvDbObjectReactor::erased(const QvDbObject*, bool) {}

void QvDbObjectReactor::goodbye(const QvDbObject*) {}
