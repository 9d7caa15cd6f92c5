#pragma once
// The program's private window messages. None of them carries anything in wParam or lParam.
#include <windows.h>

// Frame to view: the view has become the active one and rebuilds what it shows.
constexpr UINT WM_VIEW_ACTIVATE = WM_USER + 101;
// Frame to view: the view is being hidden.
constexpr UINT WM_VIEW_DEACTIVATE = WM_USER + 102;
// Answer field to test view: the green or red flash has ended.
constexpr UINT WM_FLASH_DONE = WM_USER + 103;
// Folder watcher thread to frame: something in the data folder changed.
constexpr UINT WM_DATA_FOLDER_CHANGED = WM_USER + 104;

static_assert(WM_VIEW_ACTIVATE == 1125 && WM_DATA_FOLDER_CHANGED == 1128);
