#include "sdk/db/QvDbUnderlayFile.h"

const QvDbUnderlayItem* QvDbUnderlayFile::getItem(int index) const {
  if (index < 0 || index >= getItemCount()) return nullptr;
  return &items_[static_cast<size_t>(index)];
}

const QvDbUnderlayItem* QvDbUnderlayFile::getItem(const wchar_t* name) const {
  if (!name) return nullptr;
  for (const QvDbUnderlayItem& item : items_)
    if (item.name().compareNoCase(name) == 0) return &item;
  return nullptr;
}
