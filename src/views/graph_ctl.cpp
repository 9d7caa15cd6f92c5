#include "views/graph_ctl.h"

#include <oleacc.h>

#include <algorithm>
#include <string>

#include "base/handles_win32.h"
#include "res/resource.h"
#include "win/contrast.h"

namespace {

constexpr int kInset = 5;

void Line(HDC dc, int x0, int y0, int x1, int y1) {
    ::MoveToEx(dc, x0, y0, nullptr);
    ::LineTo(dc, x1, y1);
}

void Label(HDC dc, POINT at, UINT align, const std::wstring& text) {
    ::SetTextAlign(dc, align);
    ::ExtTextOutW(dc, at.x, at.y, ETO_OPAQUE, nullptr, text.c_str(), static_cast<UINT>(text.size()),
                  nullptr);
}

}  // namespace

GraphColors GraphPalette(bool highContrast) {
    if (!highContrast) {
        return GraphColors{RGB(255, 255, 255), RGB(192, 192, 192), RGB(255, 0, 0), RGB(0, 0, 0)};
    }
    // The labels are text on the background, the line must stand out from grid and labels.
    return GraphColors{::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_WINDOWTEXT),
                       ::GetSysColor(COLOR_HIGHLIGHT), ::GetSysColor(COLOR_WINDOWTEXT)};
}

GraphGeometry ComputeGraphGeometry(int cw, int ch, const std::vector<std::int32_t>& values) {
    GraphGeometry g;
    // A control smaller than its insets gets an empty plot rather than a negative one.
    const int L = kInset, T = kInset;
    const int W = std::max(0, cw - 2 * kInset), H = std::max(0, ch - 2 * kInset);
    g.plot = RECT{L, T, L + W, T + H};
    for (int i = 0; i <= 10; ++i) g.gridY.push_back(T + (i * H) / 10);

    const std::size_t n = values.size();
    if (n >= 2) {
        const long long last = static_cast<long long>(n - 1);
        for (std::size_t i = 0; i < n; ++i) {
            const int x = L + static_cast<int>((static_cast<long long>(i) * W) / last);
            // Stored histories are loaded unchecked: a score outside 0..100 is drawn at the
            // nearest edge instead of far off the control.
            const long long v = std::clamp<std::int32_t>(values[i], 0, 100);
            g.gridX.push_back(x);
            g.points.push_back(POINT{x, T + H - static_cast<int>((v * H) / 100)});
        }
    }
    g.label100 = POINT{L + 3, T + 3};
    g.label50 = POINT{L + 3, T + H / 2 - 6};
    g.label0 = POINT{L + 3, T + H - 3};
    g.labelProgress = POINT{L + W / 2, T + H - 3};
    g.labelArrows = POINT{L + W - 3, T + H - 3};
    return g;
}

void PaintGraph(HDC dc, const RECT& client, HFONT font, const std::vector<std::int32_t>& values) {
    if (values.size() < 2) return;
    const int cw = client.right - client.left, ch = client.bottom - client.top;
    const GraphGeometry g = ComputeGraphGeometry(cw, ch, values);
    const GraphColors colors = GraphPalette(IsHighContrast());

    // The labels are drawn opaque on this background too, their cells covering the grid.
    const COLORREF oldBk = ::SetBkColor(dc, colors.background);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &client, L"", 0, nullptr);

    const GdiObject<HPEN> grey(::CreatePen(PS_SOLID, 1, colors.grid));
    const GdiObject<HPEN> red(::CreatePen(PS_SOLID, 2, colors.line));
    const GdiObject<HPEN> black(::CreatePen(PS_SOLID, 1, colors.frame));
    const int L = g.plot.left, T = g.plot.top, R = g.plot.right, B = g.plot.bottom;
    {
        const SelectedObject pen(dc, grey);
        for (int y : g.gridY) Line(dc, L, y, R - 1, y);
        for (int x : g.gridX) Line(dc, x, T, x, B - 1);

        const COLORREF oldText = ::SetTextColor(dc, colors.grid);
        const UINT oldAlign = ::GetTextAlign(dc);
        const SelectedObject labelFont(dc, font);
        Label(dc, g.label100, TA_TOP | TA_LEFT, L"100%");
        Label(dc, g.label50, TA_TOP | TA_LEFT, L"50%");
        Label(dc, g.label0, TA_BOTTOM | TA_LEFT, L"0%");
        Label(dc, g.labelProgress, TA_BOTTOM | TA_CENTER, LoadResString(IDS_GRAPH_PROGRESS));
        Label(dc, g.labelArrows, TA_BOTTOM | TA_RIGHT, L">>>");
        ::SetTextAlign(dc, oldAlign);
        ::SetTextColor(dc, oldText);
        ::SetBkColor(dc, oldBk);
    }
    {
        // Over the grid and the labels.
        const SelectedObject pen(dc, red);
        ::MoveToEx(dc, g.points.front().x, g.points.front().y, nullptr);
        for (std::size_t i = 1; i < g.points.size(); ++i)
            ::LineTo(dc, g.points[i].x, g.points[i].y);
    }
    // The outermost ring of pixels, drawn last.
    const SelectedObject pen(dc, black);
    const POINT ring[] = {{0, 0}, {cw - 1, 0}, {cw - 1, ch - 1}, {0, ch - 1}, {0, 0}};
    ::Polyline(dc, ring, 5);
}

void CGraphCtl::OnPaint() {
    const PaintDC dc(m_hWnd);
    if (dc) PaintGraph(dc, GetClientRect(), GetFont(), m_values);
}

CGraphCtl::CGraphCtl() {
    AccessibleAnswers answers;
    answers.role = ROLE_SYSTEM_CHART;
    answers.name = [this] { return m_name; };
    answers.value = [this] { return m_value; };
    m_accessible.SetAnswers(std::move(answers));
}

void CGraphCtl::SetAccessibleValue(std::wstring value) {
    if (value == m_value) return;
    m_value = std::move(value);
    if (m_hWnd) NotifyAccessible(EVENT_OBJECT_VALUECHANGE, m_hWnd);
}
