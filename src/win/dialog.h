#pragma once
// Dialogs from templates, modeless (Create) and modal (DoModal). The object is bound to its
// window at WM_INITDIALOG; messages before it get the dialog manager's default handling.

#include <windows.h>

#include <string>

#include "win/window.h"

class CDialogImplBase : public CWindowImplRoot {
public:
    // The template is a member, not a class constant: views pick one of several variants
    // when they are constructed.
    explicit CDialogImplBase(UINT templateId) : m_templateId(templateId) {}
    // An in-memory template, which must outlive the window's creation.
    explicit CDialogImplBase(const DLGTEMPLATE* dialogTemplate) : m_template(dialogTemplate) {}

    UINT GetTemplateId() const { return m_templateId; }

    // Modeless: null when the template cannot be loaded or WM_INITDIALOG failed.
    HWND Create(HWND parent);
    // Modal: the value given to EndDialog, or -1 when the dialog could not be created.
    INT_PTR DoModal(HWND parent = ::GetActiveWindow());
    // Ends a modal dialog with `result`; destroys a modeless one.
    BOOL EndDialog(INT_PTR result);

    // The dialog's items by their ids.
    void EnableControl(int id, bool enable) const { ::EnableWindow(GetDlgItem(id), enable); }
    void CheckControl(int id, bool checked) const {
        ::CheckDlgButton(m_hWnd, id, checked ? BST_CHECKED : BST_UNCHECKED);
    }
    bool IsControlChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED; }
    void SetControlText(int id, const std::wstring& text) const {
        ::SetDlgItemTextW(m_hWnd, id, text.c_str());
    }
    std::wstring ControlText(int id) const { return CWindow(GetDlgItem(id)).GetWindowText(); }

    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    UINT m_templateId = 0;
    const DLGTEMPLATE* m_template = nullptr;
    bool m_modal = false;
};

template <class T>
class CDialogImpl : public CDialogImplBase {
public:
    using CDialogImplBase::CDialogImplBase;
};
