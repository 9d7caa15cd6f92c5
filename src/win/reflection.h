#pragma once
// Notification reflection: a parent sends the notifications of a child control back to the
// control as OCM__BASE + the message, so that a control class can handle its own
// notifications (an edit field colouring its own background, for instance).

#include <windows.h>

constexpr UINT OCM__BASE = WM_USER + 0x1c00;  // 0x2000

// The reflected messages that handlers name; the others are OCM__BASE + the message too.
constexpr UINT OCM_COMMAND = OCM__BASE + WM_COMMAND;
constexpr UINT OCM_NOTIFY = OCM__BASE + WM_NOTIFY;
constexpr UINT OCM_CTLCOLOREDIT = OCM__BASE + WM_CTLCOLOREDIT;

// WM_CTLCOLORMSGBOX to WM_CTLCOLORSTATIC, which are numbered in a row.
constexpr bool IsCtlColorMessage(UINT msg) {
    return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC;
}

// In a parent's message table: sends the notification to its child as OCM__BASE + msg.
// TRUE with the child's answer in `result` when reflected; FALSE leaves the message to
// the parent's own handling.
BOOL ReflectNotifications(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

// What a control that does not handle a reflected message answers: the default answer to
// the original message (the system colours for WM_CTLCOLOR*, for instance).
BOOL DefaultReflectionHandler(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
