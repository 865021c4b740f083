#include "placement.h"

POINT CenteredPosition(const RECT& WorkArea, int Width, int Height) {
    LONG left = WorkArea.left + (WorkArea.right - WorkArea.left - Width) / 2;
    LONG top = WorkArea.top + (WorkArea.bottom - WorkArea.top - Height) / 2;
    if (left < WorkArea.left) left = WorkArea.left;
    if (top < WorkArea.top) top = WorkArea.top;
    return POINT{left, top};
}

RECT MonitorWorkArea(HMONITOR Monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!Monitor || !GetMonitorInfoW(Monitor, &info)) {
        RECT r{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
        return r;
    }
    return info.rcWork;
}
