#pragma once

#include "CString.h"
#include "WinTypes.h"

#include <functional>

// Every modal dialog and message box of the program runs through this one
// seam. Normally it shows the dialog; a test installs a responder that
// answers instead, so that every command can run without a person.

constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_OKCANCEL = 0x0001;
constexpr UINT MB_YESNOCANCEL = 0x0003;
constexpr UINT MB_YESNO = 0x0004;
constexpr UINT MB_RETRYCANCEL = 0x0005;
constexpr UINT MB_ICONERROR = 0x0010;
constexpr UINT MB_ICONQUESTION = 0x0020;
constexpr UINT MB_ICONWARNING = 0x0030;
constexpr UINT MB_ICONEXCLAMATION = 0x0030;
constexpr UINT MB_ICONINFORMATION = 0x0040;
// The second button (No, Cancel) is the default one, for questions whose
// careless answer would lose something.
constexpr UINT MB_DEFBUTTON2 = 0x0100;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDRETRY = 4;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

class CWnd;

// What is being asked of the user.
struct ModalRequest
{
    enum Kind
    {
        messageBox,
        dialog,
        // A pop-up menu; the answer is the chosen command id, 0 for none.
        popupMenu
    };
    Kind kind = messageBox;
    // The message, the dialog's class name ("CFileDialog", "CAxisDlg", ...)
    // or "CMenu".
    CString text;
    CString caption;
    // MB_* of a message box.
    UINT type = MB_OK;
    // The dialog template number; 0 for the system's dialogs.
    int templateId = 0;
    // The dialog object, so that a responder can fill its fields.
    void* dialogObject = nullptr;
    CWnd* owner = nullptr;
};

class ModalSeam
{
public:
    using Responder = std::function<INT_PTR(const ModalRequest&)>;

    // Answers the request: through the responder when one is set, else by
    // showing it for real.
    static INT_PTR Run(const ModalRequest& request, const std::function<INT_PTR()>& showForReal);
    static void SetResponder(Responder responder);
};

// Installs a responder for its lifetime.
class ScopedModalResponder
{
public:
    explicit ScopedModalResponder(ModalSeam::Responder responder);
    ~ScopedModalResponder();
    ScopedModalResponder(const ScopedModalResponder&) = delete;
    ScopedModalResponder& operator=(const ScopedModalResponder&) = delete;
};

// A message box with the program's name as caption; returns IDOK, IDYES, ...
int AfxMessageBox(const CString& text, UINT type = MB_OK, UINT helpId = 0);
int MessageBox(CWnd* owner, const CString& text, const CString& caption, UINT type = MB_OK);
