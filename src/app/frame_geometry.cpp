#include "app/frame_geometry.h"

#include <algorithm>

#include "settings/app_settings.h"
#include "view/message_boxes.h"

namespace {

// A window that grew from `before` to `length` is moved back as far as its growth took it out
// of [low, high), no further: it may reach out as far as it did, and where the user left it
// partly outside, it stays so.
int KeepGrowthInside(int start, int length, int before, int low, int high) {
    if (length <= before) return start;
    return std::max(std::min(start, std::max(high, start + before) - length), std::min(low, start));
}

long long CommonArea(const RECT& a, const RECT& b) {
    RECT common{};
    if (!::IntersectRect(&common, &a, &b)) return 0;
    return static_cast<long long>(common.right - common.left) * (common.bottom - common.top);
}

BOOL CALLBACK CollectMonitorArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (::GetMonitorInfoW(monitor, &info)) {
        reinterpret_cast<std::vector<MonitorArea>*>(data)->push_back({info.rcMonitor, info.rcWork});
    }
    return TRUE;
}

}  // namespace

POINT WorkspaceToScreen(POINT workspace, SIZE size, SIZE before,
                        const std::vector<MonitorArea>& monitors) {
    const RECT window{workspace.x, workspace.y, workspace.x + size.cx, workspace.y + size.cy};
    const MonitorArea* home = nullptr;
    long long homeArea = 0;
    for (const MonitorArea& m : monitors) {
        // The work area as workspace coordinates see it: at the monitor's corner.
        const RECT workspaceRect{m.monitor.left, m.monitor.top,
                                 m.monitor.left + (m.work.right - m.work.left),
                                 m.monitor.top + (m.work.bottom - m.work.top)};
        const long long area = CommonArea(window, workspaceRect);
        if (area > homeArea) {
            home = &m;
            homeArea = area;
        }
    }
    if (!home) return workspace;
    // A window that grew (a larger font after a restart) would have buttons out of reach.
    const RECT& work = home->work;
    return POINT{KeepGrowthInside(workspace.x + work.left - home->monitor.left, size.cx, before.cx,
                                  work.left, work.right),
                 KeepGrowthInside(workspace.y + work.top - home->monitor.top, size.cy, before.cy,
                                  work.top, work.bottom)};
}

// Placed as a box is over its reference, the work area being both: a window larger than the
// room keeps its top-left part, caption and menu, in sight.
POINT CentredPosition(SIZE size, const RECT& workArea) {
    return CentredInWorkArea(RECT{0, 0, size.cx, size.cy}, workArea, workArea);
}

bool IsOnAnyMonitor(const RECT& window, const std::vector<RECT>& monitors) {
    return std::ranges::any_of(
        monitors, [&](const RECT& monitor) { return CommonArea(window, monitor) > 0; });
}

bool UseStoredPosition(std::int32_t x, std::int32_t y, SIZE size,
                       const std::vector<RECT>& monitors) {
    return x != PositionUnset && y != PositionUnset &&
           IsOnAnyMonitor(RECT{x, y, x + size.cx, y + size.cy}, monitors);
}

SIZE ClientSizeInDialogUnits(SIZE clientPixels, const DialogUnits& du) {
    const SIZE thousand = du.ToPixels(SIZE{1000, 1000});
    if (thousand.cx <= 0 || thousand.cy <= 0) return SIZE{0, 0};
    return SIZE{static_cast<LONG>(static_cast<long long>(clientPixels.cx) * 1000 / thousand.cx),
                static_cast<LONG>(static_cast<long long>(clientPixels.cy) * 1000 / thousand.cy)};
}

SIZE FrameSizeForClient(SIZE clientDlu, const DialogUnits& du, DWORD style, DWORD exStyle) {
    const SIZE client = du.ToPixels(clientDlu);
    RECT rc{0, 0, client.cx, client.cy};
    ::AdjustWindowRectEx(&rc, style, TRUE, exStyle);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

std::vector<MonitorArea> MonitorAreas() {
    std::vector<MonitorArea> areas;
    ::EnumDisplayMonitors(nullptr, nullptr, &CollectMonitorArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

std::vector<RECT> MonitorRectangles(const std::vector<MonitorArea>& areas) {
    std::vector<RECT> monitors;
    for (const MonitorArea& area : areas) monitors.push_back(area.monitor);
    return monitors;
}
