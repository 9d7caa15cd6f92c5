#include "win/menu_position.h"

POINT ClampMenuX(POINT pt) {
    if (::MonitorFromPoint(pt, MONITOR_DEFAULTTONULL)) return pt;
    HMONITOR nearest = ::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!nearest || !::GetMonitorInfoW(nearest, &info)) return pt;
    if (pt.x < info.rcWork.left) {
        pt.x = info.rcWork.left;
    } else if (pt.x > info.rcWork.right) {
        pt.x = info.rcWork.right;
    }
    return pt;
}
