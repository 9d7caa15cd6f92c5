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
    const BackLayout back = LayoutBackAndContent(w, h, du);
    const int mx = du.X(1), my = du.Y(1), sh = du.Y(kStatusHeightDlu);
    GraphLayout layout;
    layout.tall = back.tall;
    layout.back = back.back;
    layout.status = Box(mx, back.back.top - my - sh, w - 2 * mx, sh);
    layout.graph = back.content;
    if (layout.tall) layout.graph.bottom -= my + sh;  // the status line shows above the button
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
    const BackLayout back = LayoutBackAndContent(w, h, du);
    const int room = (back.tall ? back.back.top : h) - du.Y(1);
    return AboutLayout{back.tall, back.back, POINT{w / 2 - pane.cx / 2, room / 2 - pane.cy / 2}};
}
