#include "view/view_layout.h"

namespace {

RECT Box(int x, int y, int w, int h) {
    return RECT{x, y, x + w, y + h};
}

}  // namespace

bool IsTallView(int height, const DialogUnits& du) {
    return height > du.Y(kTallViewDlu);
}

BackLayout LayoutBackAndContent(int w, int h, const DialogUnits& du) {
    const int mx = du.X(1), my = du.Y(1), bh = du.Y(kButtonHeightDlu);
    BackLayout layout;
    layout.tall = IsTallView(h, du);
    layout.back = Box(mx, h - my - bh, w - 2 * my, bh);
    layout.content = layout.tall ? Box(mx, my, w - 2 * mx, h - 3 * my - bh)
                                 : Box(mx, my, w - 2 * mx, h - 2 * my);
    return layout;
}

GraphLayout LayoutGraphView(int w, int h, const DialogUnits& du) {
    const int mx = du.X(1), my = du.Y(1), bh = du.Y(kButtonHeightDlu);
    const int sh = du.Y(kStatusHeightDlu);
    GraphLayout layout;
    layout.tall = IsTallView(h, du);
    layout.back = Box(mx, h - my - bh, w - 2 * my, bh);
    layout.status = Box(mx, h - 2 * my - bh - sh, w - 2 * mx, sh);
    layout.graph = layout.tall ? Box(mx, my, w - 2 * mx, h - 4 * my - bh - sh)
                               : Box(mx, my, w - 2 * mx, h - 2 * my);
    return layout;
}

HomeLayout LayoutHomeView(int w, int h, const DialogUnits& du) {
    const int mx = du.X(1), my = du.Y(1), bh = du.Y(kButtonHeightDlu);
    const int sh = du.Y(kStatusHeightDlu);
    HomeLayout layout;
    layout.tall = IsTallView(h, du);

    const int y1 = h - my - bh;
    const int c3 = (w - 4 * mx) / 3;
    layout.graph = Box(mx, y1, c3, bh);
    layout.setup = Box(2 * mx + c3, y1, c3, bh);
    layout.about = Box(3 * mx + 2 * c3, y1, w - 4 * mx - 2 * c3, bh);

    const int y2 = y1 - my - bh;
    const int c2 = (w - 3 * mx) / 2;
    layout.browse = Box(mx, y2, c2, bh);
    layout.test = Box(2 * mx + c2, y2, w - 3 * mx - c2, bh);

    layout.status = Box(mx, y2 - my - sh, w - 2 * mx, sh);
    layout.list = layout.tall ? Box(mx, my, w - 2 * mx, layout.status.top - my - my)
                              : Box(mx, my, w - 2 * mx, h - 2 * my);
    return layout;
}

AboutLayout LayoutAboutView(int w, int h, const DialogUnits& du, SIZE pane) {
    const int mx = du.X(1), my = du.Y(1), bh = du.Y(kButtonHeightDlu);
    AboutLayout layout;
    layout.tall = IsTallView(h, du);
    layout.back = Box(mx, h - my - bh, w - 2 * my, bh);
    const int room = layout.tall ? h - 2 * my - bh : h - my;
    layout.pane = POINT{w / 2 - pane.cx / 2, room / 2 - pane.cy / 2};
    return layout;
}
