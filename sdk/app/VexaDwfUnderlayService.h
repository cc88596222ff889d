#pragma once

#include "sdk/db/QvDbUnderlayHost.h"

// The host's DWF format service: a DWF file is a zip container whose manifest
// ("manifest.xml") lists its sections; each section with a title is an item, named by it.
// The sheets' contents are not read, so the items have no extents.
class VexaDwfUnderlayService : public QvDbUnderlayFormatService {
 public:
  Vexa::ErrorStatus getFile(const wchar_t* path, const wchar_t* password,
                            QvDbUnderlayFile*& file) const override;
};
