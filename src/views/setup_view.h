#pragma once
// The setup view: every setting, on a scrolling pane above the "< Back" button.

#include "view/pane_view.h"
#include "views/setup_pane.h"

class CSetupView : public CPaneView<CSetupPane> {
public:
    explicit CSetupView(const ViewContext& context);

private:
    void PlaceControls(int width, int height) override;
};
