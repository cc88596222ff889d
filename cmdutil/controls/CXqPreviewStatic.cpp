#include "xqcmdutil/CXqPreviewStatic.h"

// The previewer goes with the control too, not only with its window: a control whose window
// was never destroyed would otherwise leak it.
CXqPreviewStatic::~CXqPreviewStatic() {
  uninitPreviewer();
}

void CXqPreviewStatic::initialPreviewer(HWND window, QvDbDatabase* db,
                                        const XqVector<QvGiDrawable*>& drawables, bool flag) {
  if (m_pPreviewer) return;
  QvArray<QvGiDrawable*> list;
  for (int i = 0; i < drawables.length(); ++i) list.append(drawables[i]);
  m_pPreviewer = std::make_unique<VexaGiDrawablePreviewer>(window, db, list, QvGePoint2d(0.0, 0.0),
                                                           QvGeVector2d(1.0, 1.0), flag);
}

void CXqPreviewStatic::uninitPreviewer() {
  if (!m_pPreviewer) return;
  m_pPreviewer->destroy();
  m_pPreviewer.reset();
}

void CXqPreviewStatic::zoom() {
  if (m_pPreviewer) m_pPreviewer->zoomExtents();
}

void CXqPreviewStatic::invalidate(bool) {
  if (m_pPreviewer) m_pPreviewer->invalidate(true);
}

void CXqPreviewStatic::update() {
  if (m_pPreviewer) m_pPreviewer->update();
}

void CXqPreviewStatic::OnPaint() {
  CPaintDC dc(this);
  if (!m_pPreviewer || m_bPainting) return;
  m_bPainting = true;
  m_pPreviewer->update();
  m_bPainting = false;
}

void CXqPreviewStatic::OnSize(UINT type, int cx, int cy) {
  CStatic::OnSize(type, cx, cy);
  if (!m_pPreviewer) return;
  m_pPreviewer->setSize(cx, cy);
  invalidate(false);
}

void CXqPreviewStatic::OnDestroy() {
  CStatic::OnDestroy();
  uninitPreviewer();
}
