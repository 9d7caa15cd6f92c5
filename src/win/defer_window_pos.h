#pragma once
// One batch of window moves, applied together when the batch ends (or goes out of scope), so
// that a layout moves every control at once instead of repainting after each.

#include <windows.h>

#include <vector>

class CDeferWindowPos {
public:
    explicit CDeferWindowPos(int expectedCount = 8);
    ~CDeferWindowPos();
    CDeferWindowPos(const CDeferWindowPos&) = delete;
    CDeferWindowPos& operator=(const CDeferWindowPos&) = delete;

    void DeferWindowPos(HWND hWnd, HWND after, int x, int y, int cx, int cy, UINT flags);
    // Moves and sizes to `rc` without touching the z-order or the activation.
    void Move(HWND hWnd, const RECT& rc, UINT extraFlags = 0);

    // Applies the batch. When the system cannot batch (out of memory, a window that died on
    // the way) every position is applied one by one instead, so a layout is never lost.
    // True when the batch went through as one.
    bool End();

private:
    struct Position {
        HWND hWnd;
        HWND after;
        int x, y, cx, cy;
        UINT flags;
    };
    void ApplyOneByOne();

    HDWP m_hdwp = nullptr;
    bool m_failed = false;
    bool m_ended = false;
    std::vector<Position> m_positions;
};
