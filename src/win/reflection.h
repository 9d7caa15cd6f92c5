#pragma once
// Notification reflection: a parent sends the notifications of a child control back to the
// control as OCM__BASE + the message, so that a control class can handle its own
// notifications (an edit field colouring its own background, for instance).

#include <windows.h>

constexpr UINT OCM__BASE = WM_USER + 0x1c00;  // 0x2000

constexpr UINT OCM_COMMAND = OCM__BASE + WM_COMMAND;
constexpr UINT OCM_NOTIFY = OCM__BASE + WM_NOTIFY;
constexpr UINT OCM_CTLCOLORMSGBOX = OCM__BASE + WM_CTLCOLORMSGBOX;
constexpr UINT OCM_CTLCOLOREDIT = OCM__BASE + WM_CTLCOLOREDIT;
constexpr UINT OCM_CTLCOLORLISTBOX = OCM__BASE + WM_CTLCOLORLISTBOX;
constexpr UINT OCM_CTLCOLORBTN = OCM__BASE + WM_CTLCOLORBTN;
constexpr UINT OCM_CTLCOLORDLG = OCM__BASE + WM_CTLCOLORDLG;
constexpr UINT OCM_CTLCOLORSCROLLBAR = OCM__BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT OCM_CTLCOLORSTATIC = OCM__BASE + WM_CTLCOLORSTATIC;
constexpr UINT OCM_DRAWITEM = OCM__BASE + WM_DRAWITEM;
constexpr UINT OCM_MEASUREITEM = OCM__BASE + WM_MEASUREITEM;
constexpr UINT OCM_COMPAREITEM = OCM__BASE + WM_COMPAREITEM;
constexpr UINT OCM_DELETEITEM = OCM__BASE + WM_DELETEITEM;
constexpr UINT OCM_VKEYTOITEM = OCM__BASE + WM_VKEYTOITEM;
constexpr UINT OCM_CHARTOITEM = OCM__BASE + WM_CHARTOITEM;
constexpr UINT OCM_HSCROLL = OCM__BASE + WM_HSCROLL;
constexpr UINT OCM_VSCROLL = OCM__BASE + WM_VSCROLL;
constexpr UINT OCM_PARENTNOTIFY = OCM__BASE + WM_PARENTNOTIFY;

// WM_CTLCOLORMSGBOX to WM_CTLCOLORSTATIC, which are numbered in a row.
constexpr bool IsCtlColorMessage(UINT msg) {
    return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC;
}

// The child a notification comes from, or null when the message is not a notification that
// is reflected or names no child (menu and accelerator commands, for instance).
HWND ReflectionTarget(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam);

// In a parent's message table: sends the notification to its child as OCM__BASE + msg.
// TRUE with the child's answer in `result` when reflected; FALSE leaves the message to
// the parent's own handling.
BOOL ReflectNotifications(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

bool IsReflectedMessage(UINT msg);

// What a control that does not handle a reflected message answers: the default answer to
// the original message (the system colours for WM_CTLCOLOR*, for instance).
BOOL DefaultReflectionHandler(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
