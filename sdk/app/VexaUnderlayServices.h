#pragma once

#include <memory>

#include "sdk/base/VexaHost.h"
#include "sdk/db/QvDbUnderlayHost.h"

// The host's underlay services: a format service per format (PDF, DWF and DGN) and the
// search for underlay files. Bound to IVexaUnderlayHost when the host starts.
class VexaUnderlayServices : public VexaHostService, public IVexaUnderlayHost {
 public:
  VexaUnderlayServices();
  ~VexaUnderlayServices() override;

  const QvDbUnderlayFormatService* formatService(QvDbUnderlayFormat format) const override;
  bool findUnderlayFile(const QvString& path, const QvDbDatabase* db,
                        QvString& found) const override;

  // Replaces the service of a format (null: the host has none).
  void setFormatService(QvDbUnderlayFormat format,
                        std::unique_ptr<QvDbUnderlayFormatService> service);

 private:
  std::unique_ptr<QvDbUnderlayFormatService> services_[3];
};
