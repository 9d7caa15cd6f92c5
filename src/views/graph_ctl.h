#pragma once
// The score chart: a static control of the graph view taken over to draw the history as a
// red line on a fixed 0 % to 100 % grid, oldest score on the left.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "win/accessible.h"
#include "win/window.h"

// Where everything goes for a client area of cw x ch pixels, so that the drawing rules can be
// checked without pixels. Lines are drawn with MoveToEx/LineTo: their end points are left out.
struct GraphGeometry {
    RECT plot{};                // the client area less 5 pixels on every side
    std::vector<int> gridY;     // 11 horizontal lines, 100 % at the top to 0 % at the bottom
    std::vector<int> gridX;     // one vertical line per value, left edge to right edge
    std::vector<POINT> points;  // the data line, one point on each vertical line
    POINT label100{}, label50{}, label0{}, labelProgress{}, labelArrows{};
};
GraphGeometry ComputeGraphGeometry(int cw, int ch, const std::vector<std::int32_t>& values);

struct GraphColors {
    COLORREF background, grid, line, frame;  // the labels take the grid's colour
};
// The fixed colours, or the system scheme's while a contrast theme is on.
GraphColors GraphPalette(bool highContrast);

// Draws the chart into `dc` over `client` (left and top 0). Nothing at all for fewer than two
// values. The labels use `font`, or the DC's own when null.
void PaintGraph(HDC dc, const RECT& client, HFONT font, const std::vector<std::int32_t>& values);

// A screen reader hears it as a chart with a name and the scores as its value.
class CGraphCtl : public CWindowImpl<CGraphCtl> {
public:
    CGraphCtl();

    // The control does not repaint by itself: the view redraws it when it wants to.
    void SetValues(std::vector<std::int32_t> values) { m_values = std::move(values); }
    const std::vector<std::int32_t>& Values() const { return m_values; }
    void SetAccessibleName(std::wstring name) { m_name = std::move(name); }
    // A new value is announced to the screen readers listening.
    void SetAccessibleValue(std::wstring value);

    BEGIN_MSG_MAP(CGraphCtl)
        MESSAGE_HANDLER(WM_PAINT, OnPaint)
        ACCESSIBLE_OBJECT_HANDLER(m_accessible)
    END_MSG_MAP()

private:
    void OnPaint();

    std::vector<std::int32_t> m_values;
    std::wstring m_name, m_value;
    CAccessible m_accessible;
};
