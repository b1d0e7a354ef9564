#pragma once

#include "CWnd.h"

class CFont;
class QLineEdit;
class QPlainTextEdit;

constexpr DWORD ES_CENTER = 0x0001;
constexpr DWORD ES_RIGHT = 0x0002;
constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_AUTOVSCROLL = 0x0040;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_READONLY = 0x0800;
constexpr DWORD ES_WANTRETURN = 0x1000;

// An edit control (a native Qt line edit, or a plain text edit with
// ES_MULTILINE) whose text is the window text. It gets WM_SETFOCUS and
// WM_KILLFOCUS as the keyboard focus comes and goes, and WM_KEYDOWN for the
// keys typed into it.
class CEdit : public CWnd
{
public:
    CEdit();
    ~CEdit() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    void SetWindowText(const CString& text) override;
    void GetWindowText(CString& text) const override;
    void SetFont(CFont* font, BOOL redraw = TRUE) override;
    // Selects from start up to end; an end of -1 selects to the end.
    void SetSel(int start, int end, BOOL noScroll = FALSE);

protected:
    QWidget* CreateNativeWidget(const CREATESTRUCT& create, QWidget* parent) override;
    void PostNcDestroy() override;

private:
    class NativeEvents;

    QLineEdit* m_line = nullptr;
    QPlainTextEdit* m_text = nullptr;
};
