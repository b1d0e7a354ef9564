#include "CDialog.h"

#include "ModalSeam.h"
#include "SystemMetrics.h"
#include "WindowClass.h"

#include <QEventLoop>
#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

#include <cmath>
#include <cstdlib>

namespace {

std::map<UINT, DialogTemplate>& Templates()
{
    static std::map<UINT, DialogTemplate> templates;
    return templates;
}

// The exchange was stopped by a value that did not pass.
struct ExchangeFailed
{
};

bool Saving(const CDataExchange* pDX)
{
    return pDX->m_bSaveAndValidate != FALSE;
}

} // namespace

void RegisterDialogTemplate(const DialogTemplate& dialogTemplate)
{
    Templates()[dialogTemplate.id] = dialogTemplate;
}

const DialogTemplate* FindDialogTemplate(UINT id)
{
    const auto found = Templates().find(id);
    return found != Templates().end() ? &found->second : nullptr;
}

void CDataExchange::Fail()
{
    if (CDialogItem* item = m_pDlgWnd != nullptr ? m_pDlgWnd->GetDlgItem(m_idLastControl) : nullptr)
        item->SetFocus();
    throw ExchangeFailed{};
}

// Exchange -------------------------------------------------------------------

void DDX_Text(CDataExchange* pDX, UINT id, int& value)
{
    pDX->m_idLastControl = id;
    if (!Saving(pDX)) {
        pDX->m_pDlgWnd->SetDlgItemText(id, CString::Formatted("%d", value));
        return;
    }
    const std::string text = pDX->m_pDlgWnd->GetDlgItemText(id).ToUtf8();
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    while (end != nullptr && (*end == ' ' || *end == '\t'))
        ++end;
    if (text.empty() || end == text.c_str() || *end != '\0' || parsed < INT32_MIN ||
        parsed > INT32_MAX) {
        AfxMessageBox("Please enter an integer.", MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    value = static_cast<int>(parsed);
}

void DDX_Text(CDataExchange* pDX, UINT id, double& value)
{
    pDX->m_idLastControl = id;
    if (!Saving(pDX)) {
        pDX->m_pDlgWnd->SetDlgItemText(id, CString::Formatted("%.15g", value));
        return;
    }
    const std::string text = pDX->m_pDlgWnd->GetDlgItemText(id).ToUtf8();
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    while (end != nullptr && (*end == ' ' || *end == '\t'))
        ++end;
    if (text.empty() || end == text.c_str() || *end != '\0' || !std::isfinite(parsed)) {
        AfxMessageBox("Please enter a number.", MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    value = parsed;
}

void DDX_Text(CDataExchange* pDX, UINT id, CString& value)
{
    pDX->m_idLastControl = id;
    if (Saving(pDX))
        value = pDX->m_pDlgWnd->GetDlgItemText(id);
    else
        pDX->m_pDlgWnd->SetDlgItemText(id, value);
}

void DDX_Check(CDataExchange* pDX, UINT id, int& value)
{
    pDX->m_idLastControl = id;
    if (Saving(pDX))
        value = static_cast<int>(pDX->m_pDlgWnd->IsDlgButtonChecked(id));
    else
        pDX->m_pDlgWnd->CheckDlgButton(id, value);
}

void DDX_CBIndex(CDataExchange* pDX, UINT id, int& index)
{
    pDX->m_idLastControl = id;
    CDialogItem* item = pDX->m_pDlgWnd->GetDlgItem(id);
    if (item == nullptr)
        return;
    if (Saving(pDX))
        index = item->GetCurSel();
    else
        item->SetCurSel(index);
}

void DDX_Radio(CDataExchange* pDX, UINT id, int& index)
{
    pDX->m_idLastControl = id;
    const std::vector<UINT> group = pDX->m_pDlgWnd->RadioGroup(id);
    if (Saving(pDX)) {
        index = -1;
        for (std::size_t i = 0; i < group.size(); ++i)
            if (pDX->m_pDlgWnd->IsDlgButtonChecked(group[i]))
                index = static_cast<int>(i);
        return;
    }
    for (std::size_t i = 0; i < group.size(); ++i)
        pDX->m_pDlgWnd->CheckDlgButton(group[i], static_cast<int>(i) == index ? 1 : 0);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minimum, int maximum)
{
    if (!Saving(pDX) || (value >= minimum && value <= maximum))
        return;
    AfxMessageBox(
        CString::Formatted("Please enter an integer between %d and %d.", minimum, maximum),
        MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

// The dialog -----------------------------------------------------------------

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parentWindow(parent)
{
}

CDialog::~CDialog()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CDialog::CreateFromTemplate(CWnd* parent, bool child)
{
    const DialogTemplate* dialogTemplate = FindDialogTemplate(m_templateId);
    if (dialogTemplate == nullptr)
        return FALSE;
    // A dialog made again starts with a new set of controls.
    m_items.clear();
    m_ownedItems.clear();
    m_order.clear();
    const DWORD style = child ? WS_CHILD : WS_POPUP | WS_CAPTION;
    const CRect rect(0, 0, dialogTemplate->size.cx, dialogTemplate->size.cy);
    // Dialogs have the face colour of buttons behind their controls.
    const CString windowClass =
        AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW), GetSysColorBrush(COLOR_BTNFACE));
    // A modal dialog is owned by the window that opened it, and stays over
    // it.
    if (!CWnd::CreateEx(0, windowClass, dialogTemplate->caption, style, rect, parent,
                        child ? m_templateId : 0))
        return FALSE;
    for (const DialogControlTemplate& control : dialogTemplate->controls) {
        // The dialog creates its own controls in their places.
        if (control.kind == DialogControlKind::Custom)
            continue;
        auto item = std::make_unique<CDialogItem>(control.kind);
        if (!item->CreateEx(0, "DialogItem", control.text, WS_CHILD | WS_VISIBLE, control.rect,
                            this, control.id))
            return FALSE;
        m_order.push_back(control.id);
        m_items.emplace(control.id, item.get());
        m_ownedItems.push_back(std::move(item));
    }
    if (!child) {
        // Enter is OK and Escape is Cancel anywhere in the dialog, as on
        // the desktop; an open drop-down takes its own Escape first.
        const auto press = [this](UINT id) {
            SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        };
        for (const QKeySequence& keys : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)})
            QObject::connect(new QShortcut(keys, GetHostWidget()), &QShortcut::activated,
                             GetHostWidget(), [press] { press(IDOK); });
        QObject::connect(new QShortcut(QKeySequence(Qt::Key_Escape), GetHostWidget()),
                         &QShortcut::activated, GetHostWidget(), [press] { press(IDCANCEL); });
    }
    for (const DialogControlTemplate& control : dialogTemplate->controls)
        if (control.kind == DialogControlKind::Spin && control.buddy != 0)
            m_items[control.id]->SetBuddy(GetDlgItem(control.buddy));
    return TRUE;
}

BOOL CDialog::CreateDialogWindow(CWnd* parent)
{
    if (!CreateFromTemplate(parent, true))
        return FALSE;
    OnInitDialog();
    OrderTabStops();
    return TRUE;
}

void CDialog::OrderTabStops()
{
    // Tab goes through the controls in the template's order, those the
    // dialog placed itself included.
    const DialogTemplate* dialogTemplate = FindDialogTemplate(m_templateId);
    if (dialogTemplate == nullptr)
        return;
    QWidget* previous = nullptr;
    for (const DialogControlTemplate& control : dialogTemplate->controls) {
        CWnd* window = CWnd::GetDlgItem(static_cast<int>(control.id));
        QWidget* widget = window != nullptr ? window->GetClientWidget() : nullptr;
        if (widget == nullptr || widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous != nullptr)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

BOOL CDialog::CreateModeless(CWnd* owner)
{
    if (!CreateFromTemplate(owner, false))
        return FALSE;
    m_modeless = true;
    OnInitDialog();
    OrderTabStops();
    CenterWindow();
    ShowModeless();
    return TRUE;
}

void CDialog::ShowModeless()
{
    QWidget* host = GetHostWidget();
    if (host == nullptr)
        return;
    m_ended = false;
    ShowWindow(SW_SHOW);
    host->raise();
    host->activateWindow();
}

INT_PTR CDialog::DoModal()
{
    if (!CreateFromTemplate(m_parentWindow, false))
        return -1;
    m_ended = false;
    m_result = IDCANCEL;
    OnInitDialog();
    OrderTabStops();
    ModalRequest request;
    request.kind = ModalRequest::dialog;
    request.text = m_dialogName;
    request.caption = FindDialogTemplate(m_templateId)->caption;
    request.templateId = static_cast<int>(m_templateId);
    request.dialogObject = this;
    request.owner = m_parentWindow;
    const INT_PTR answer = ModalSeam::Run(request, [this]() -> INT_PTR {
        QWidget* host = GetHostWidget();
        host->setWindowModality(Qt::ApplicationModal);
        // A dialog has the size of its template, centred over its owner.
        host->setFixedSize(host->size());
        CenterWindow();
        host->show();
        QEventLoop loop;
        while (!m_ended && m_hWnd != nullptr) {
            loop.processEvents(QEventLoop::WaitForMoreEvents);
            if (!host->isVisible() && !m_ended)
                OnCancel();
        }
        return m_result;
    });
    if (!m_ended) {
        // Answered without the window: the button the answer names.
        if (answer == IDOK)
            OnOK();
        else
            OnCancel();
    }
    const INT_PTR result = m_ended ? m_result : IDCANCEL;
    if (m_hWnd != nullptr)
        DestroyWindow();
    m_items.clear();
    m_ownedItems.clear();
    m_order.clear();
    return result;
}

void CDialog::EndDialog(int result)
{
    m_result = result;
    m_ended = true;
    if (m_modeless)
        ShowWindow(SW_HIDE);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange exchange;
    exchange.m_pDlgWnd = this;
    exchange.m_bSaveAndValidate = saveAndValidate;
    try {
        DoDataExchange(&exchange);
    } catch (const ExchangeFailed&) {
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
    }
    // Radio buttons of one group check one at a time.
    if (HIWORD(wParam) == BN_CLICKED) {
        CDialogItem* item = GetDlgItem(LOWORD(wParam));
        if (item != nullptr && item->Kind() == DialogControlKind::RadioButton) {
            for (std::size_t i = 0; i < m_order.size(); ++i) {
                const std::vector<UINT> group = RadioGroup(m_order[i]);
                if (std::find(group.begin(), group.end(), LOWORD(wParam)) != group.end()) {
                    for (UINT other : group)
                        CheckDlgButton(other, other == LOWORD(wParam) ? 1 : 0);
                    break;
                }
            }
        }
    }
    return CWnd::OnCommand(wParam, lParam);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MEASUREITEM) {
        OnMeasureItem(static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        return TRUE;
    }
    if (message == WM_DRAWITEM) {
        OnDrawItem(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        return TRUE;
    }
    // The desktop's close (its close button, Alt+F4) is Cancel for a
    // modeless dialog, which stays to be shown again.
    if (message == WM_CLOSE && m_modeless) {
        OnCancel();
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CDialog::OnMeasureItem(int, LPMEASUREITEMSTRUCT) {}

void CDialog::OnDrawItem(int, LPDRAWITEMSTRUCT) {}

// Controls -------------------------------------------------------------------

CRect CDialog::GetTemplateRect(UINT id) const
{
    if (const DialogTemplate* dialogTemplate = FindDialogTemplate(m_templateId))
        for (const DialogControlTemplate& control : dialogTemplate->controls)
            if (control.id == id)
                return control.rect;
    return CRect();
}

CDialogItem* CDialog::GetDlgItem(UINT id) const
{
    const auto found = m_items.find(id);
    return found != m_items.end() ? found->second : nullptr;
}

void CDialog::SetDlgItemText(UINT id, const CString& text)
{
    if (CDialogItem* item = GetDlgItem(id))
        item->SetWindowText(text);
}

CString CDialog::GetDlgItemText(UINT id) const
{
    CString text;
    if (CDialogItem* item = GetDlgItem(id))
        item->GetWindowText(text);
    return text;
}

void CDialog::CheckDlgButton(UINT id, int check)
{
    if (CDialogItem* item = GetDlgItem(id))
        item->SetCheck(check);
}

UINT CDialog::IsDlgButtonChecked(UINT id) const
{
    CDialogItem* item = GetDlgItem(id);
    return item != nullptr ? static_cast<UINT>(item->GetCheck()) : 0;
}

std::vector<UINT> CDialog::RadioGroup(UINT id) const
{
    // The radio buttons that follow one another in the template, from id on.
    std::vector<UINT> group;
    bool inGroup = false;
    for (UINT each : m_order) {
        if (each == id)
            inGroup = true;
        if (!inGroup)
            continue;
        const CDialogItem* item = GetDlgItem(each);
        if (item == nullptr || item->Kind() != DialogControlKind::RadioButton)
            break;
        group.push_back(each);
    }
    return group;
}
