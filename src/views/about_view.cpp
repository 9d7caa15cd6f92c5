#include "views/about_view.h"

#include "res/resource.h"
#include "view/view_layout.h"
#include "win/defer_window_pos.h"

CAboutView::CAboutView(const ViewContext& context) : CPaneView(context, IDD_ABOUT) {}

void CAboutView::PlaceControls(int width, int height) {
    // The pane keeps its template size and is only moved into the middle.
    const RECT pane = m_pane.GetWindowRect();
    const AboutLayout layout = LayoutAboutView(
        width, height, Units(), SIZE{pane.right - pane.left, pane.bottom - pane.top});
    CDeferWindowPos batch(2);
    PlaceShownOrHidden(batch, GetDlgItem(IDCANCEL), layout.back, layout.tall);
    if (m_pane.m_hWnd) {
        batch.DeferWindowPos(m_pane, nullptr, layout.pane.x, layout.pane.y, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}
