#pragma once

#include <memory>

#include "sdk/render/VexaGiDrawablePreviewer.h"
#include "sdk/win/CListBox.h"
#include "xqcmdutil/XqCmdUtilExport.h"
#include "xqcmdutil/XqVector.h"

class QvDbDatabase;
class QvGiDrawable;

// A static control that shows drawables through the host's previewer. It owns at most one
// previewer, made on request; size changes and paints go to it, and it is deleted when the
// window is destroyed or the control goes, whichever comes first. Every operation that goes to
// the previewer does nothing without one.
class XQCMDUTIL_EXPORT CXqPreviewStatic : public CStatic {
 public:
  CXqPreviewStatic() = default;
  ~CXqPreviewStatic() override;

  // Makes the previewer for the window, the database and the drawables, with the view at the
  // origin and 1 by 1; nothing when there is one already.
  void initialPreviewer(HWND window, QvDbDatabase* db, const XqVector<QvGiDrawable*>& drawables,
                        bool flag);
  void uninitPreviewer();
  bool isNeedInitialize() const { return !m_pPreviewer; }
  void zoom();
  // Always invalidates the whole preview, whatever `flag` says.
  void invalidate(bool flag);
  void update();
  VexaGiDrawablePreviewer* GetPreviewer() const { return m_pPreviewer.get(); }

 protected:
  void OnPaint() override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnDestroy() override;

 private:
  std::unique_ptr<VexaGiDrawablePreviewer> m_pPreviewer;
  bool m_bPainting = false;
};
