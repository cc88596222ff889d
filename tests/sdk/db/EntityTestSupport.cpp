#include "tests/sdk/db/EntityTestSupport.h"

void EntityList::take(QvArray<QvDbEntity*>& entities) {
  for (int i = 0; i < entities.length(); ++i) items_.emplace_back(entities[i]);
  entities.removeAll();
}
