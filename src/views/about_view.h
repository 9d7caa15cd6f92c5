#pragma once
// The about view: the product, its maker and its web page, centred above the "< Back" button.

#include "view/pane_view.h"
#include "views/about_pane.h"

class CAboutView : public CPaneView<CAboutPane> {
public:
    explicit CAboutView(const ViewContext& context);

private:
    void PlaceControls(int width, int height) override;
};
