#pragma once

#include "sdk/db/QvDbUnderlayHost.h"

// The host's PDF format service: one item per page, named by its number from 1, with the
// page's extents in inches (its media box, turned for landscape pages).
class VexaPdfUnderlayService : public QvDbUnderlayFormatService {
 public:
  Vexa::ErrorStatus getFile(const wchar_t* path, const wchar_t* password,
                            QvDbUnderlayFile*& file) const override;
};
