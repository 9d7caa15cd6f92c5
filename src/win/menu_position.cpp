#include "win/menu_position.h"

#include <algorithm>

POINT ClampMenuX(POINT pt) {
    if (::MonitorFromPoint(pt, MONITOR_DEFAULTTONULL)) return pt;
    HMONITOR nearest = ::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!nearest || !::GetMonitorInfoW(nearest, &info)) return pt;
    pt.x = std::clamp(pt.x, info.rcWork.left, info.rcWork.right);
    return pt;
}
