#include "views/setup_view.h"

#include "res/resource.h"
#include "view/view_layout.h"
#include "win/defer_window_pos.h"

CSetupView::CSetupView(const ViewContext& context) : CPaneView(context, IDD_SETUP) {}

void CSetupView::PlaceControls(int width, int height) {
    const BackLayout layout = LayoutBackAndContent(width, height, Units());
    CDeferWindowPos batch(2);
    PlaceShownOrHidden(batch, GetDlgItem(IDCANCEL), layout.back, layout.tall);
    if (m_pane.m_hWnd) batch.Move(m_pane, layout.content);
}
