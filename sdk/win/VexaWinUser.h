#pragma once

#include "sdk/base/QvString.h"
#include "sdk/win/VexaWindowTypes.h"

// The window functions of the running host's window layer (VexaWindowRegistry). Without a
// running host they fail: null handles, 0 and FALSE.
ATOM RegisterClass(const WNDCLASS* windowClass);
BOOL GetClassInfo(const wchar_t* className, WNDCLASS* out);
HWND CreateWindowEx(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                    int x, int y, int cx, int cy, HWND parent, int id, void* param = nullptr);
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
DWORD GetLastError();

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL IsDialogMessage(HWND dialog, MSG* msg);

LONG_PTR GetWindowLongPtr(HWND window, int index);
LONG_PTR SetWindowLongPtr(HWND window, int index, LONG_PTR value);
HWND GetParent(HWND window);
HWND GetDlgItem(HWND window, int id);
int GetDlgCtrlID(HWND window);
BOOL SetWindowText(HWND window, const wchar_t* text);
int GetWindowText(HWND window, wchar_t* buffer, int size);
QvString GetWindowTextString(HWND window);
BOOL GetComboBoxInfo(HWND combo, COMBOBOXINFO* info);

BOOL GetWindowRect(HWND window, RECT* rect);
BOOL GetClientRect(HWND window, RECT* rect);
BOOL ClientToScreen(HWND window, POINT* point);
BOOL ScreenToClient(HWND window, POINT* point);
BOOL MoveWindow(HWND window, int x, int y, int cx, int cy, BOOL repaint);
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL ShowWindow(HWND window, int command);
BOOL IsWindowVisible(HWND window);
BOOL EnableWindow(HWND window, BOOL enable);
BOOL IsWindowEnabled(HWND window);
HWND SetFocus(HWND window);
HWND GetFocus();
HWND WindowFromPoint(POINT screen);
BOOL TrackMouseEvent(TRACKMOUSEEVENT* track);

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, void* unused);
BOOL KillTimer(HWND window, UINT_PTR id);

BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL UpdateWindow(HWND window);
