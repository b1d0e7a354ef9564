#include "ColourPopup.h"

#include "CDC.h"
#include "CFileDialog.h"
#include "ModalSeam.h"
#include "SystemMetrics.h"
#include "WindowClass.h"
#include "WindowDC.h"

#include <QGuiApplication>
#include <QMetaObject>

#include <algorithm>
#include <array>
#include <memory>

namespace {

// The desktop's message that the application was activated (wParam TRUE)
// or deactivated (FALSE); the pop-up posts it to itself when Qt reports a
// change of the application's state.
constexpr UINT kActivateAppMessage = 0x001C;

constexpr std::array<CColourPopup::NamedColour, CColourPopup::kColourCount> kColours = {{
    {RGB(0, 0, 0), "Black"},
    {RGB(165, 42, 0), "Brown"},
    {RGB(0, 64, 64), "Dark Olive Green"},
    {RGB(0, 85, 0), "Dark Green"},
    {RGB(0, 0, 94), "Dark Teal"},
    {RGB(0, 0, 139), "Dark blue"},
    {RGB(75, 0, 130), "Indigo"},
    {RGB(40, 40, 40), "Dark grey"},
    {RGB(139, 0, 0), "Dark red"},
    {RGB(255, 104, 32), "Orange"},
    {RGB(139, 139, 0), "Dark yellow"},
    {RGB(0, 147, 0), "Green"},
    {RGB(56, 142, 142), "Teal"},
    {RGB(0, 0, 255), "Blue"},
    {RGB(123, 123, 192), "Blue-grey"},
    {RGB(102, 102, 102), "Grey - 40"},
    {RGB(255, 0, 0), "Red"},
    {RGB(255, 173, 91), "Light orange"},
    {RGB(50, 205, 50), "Lime"},
    {RGB(60, 179, 113), "Sea green"},
    {RGB(127, 255, 212), "Aqua"},
    {RGB(125, 158, 192), "Light blue"},
    {RGB(128, 0, 128), "Violet"},
    {RGB(127, 127, 127), "Grey - 50"},
    {RGB(255, 192, 203), "Pink"},
    {RGB(255, 215, 0), "Gold"},
    {RGB(255, 255, 0), "Yellow"},
    {RGB(0, 255, 0), "Bright green"},
    {RGB(64, 224, 208), "Turquoise"},
    {RGB(192, 255, 255), "Skyblue"},
    {RGB(72, 0, 72), "Plum"},
    {RGB(192, 192, 192), "Light grey"},
    {RGB(255, 228, 225), "Rose"},
    {RGB(210, 180, 140), "Tan"},
    {RGB(255, 255, 224), "Light yellow"},
    {RGB(152, 251, 152), "Pale green "},
    {RGB(175, 238, 238), "Pale turquoise"},
    {RGB(104, 131, 139), "Pale blue"},
    {RGB(230, 230, 250), "Lavender"},
    {RGB(255, 255, 255), "White"},
}};

const CString& PopupClassName()
{
    static const CString name = AfxRegisterWndClass(
        CS_HREDRAW | CS_VREDRAW, LoadCursor(nullptr, IDC_ARROW), GetSysColorBrush(COLOR_BTNFACE));
    return name;
}

} // namespace

const CColourPopup::NamedColour& CColourPopup::ColourAt(int index)
{
    return kColours[static_cast<std::size_t>(std::clamp(index, 0, kColourCount - 1))];
}

int CColourPopup::FindColour(COLORREF colour)
{
    for (int i = 0; i < kColourCount; ++i)
        if (kColours[static_cast<std::size_t>(i)].colour == colour)
            return i;
    return kNoEntry;
}

CColourPopup::CColourPopup() = default;

CColourPopup::~CColourPopup()
{
    m_deleteWhenDestroyed = false;
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CColourPopup::Create(CPoint topLeft, COLORREF initialColour, CWnd* parentButton,
                          const CString& defaultText, const CString& customText)
{
    m_parentButton = parentButton;
    m_initialColour = initialColour;
    m_currentColour = initialColour;
    m_defaultText = defaultText;
    m_customText = customText;

    NONCLIENTMETRICS metrics{};
    metrics.cbSize = sizeof(NONCLIENTMETRICS);
    if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        m_font.CreateFontIndirect(&metrics.lfMessageFont);

    const CSize size = Layout();
    m_windowRect = KeptOnScreen(topLeft, size);
    // A pop-up owned by the button's window: it takes the mouse and the keys
    // while it is open.
    if (!CWnd::CreateEx(0, PopupClassName(), "", WS_POPUP | WS_VISIBLE, m_windowRect, parentButton,
                        0))
        return FALSE;
    m_deleteWhenDestroyed = true;

    SelectInitialEntry();
    m_applicationStateWatch = QObject::connect(qApp, &QGuiApplication::applicationStateChanged,
                                               [this](Qt::ApplicationState state) {
                                                   if (state != Qt::ApplicationActive)
                                                       PostMessage(kActivateAppMessage, FALSE, 0);
                                               });
    SetFocus();
    SetCapture();
    Invalidate();
    return TRUE;
}

void CColourPopup::Dismiss()
{
    m_parentButton = nullptr;
    m_ending = true;
    if (m_hWnd != nullptr)
        DestroyWindow();
}

// Layout --------------------------------------------------------------------

CSize CColourPopup::Layout()
{
    m_margin = GetSystemMetrics(SM_CXEDGE);
    m_cellSize = std::max(18, 2 * m_margin + 7);
    m_rows = (m_colourCount + m_columns - 1) / m_columns;
    int width = 2 * m_margin + m_columns * m_cellSize;
    int height = 2 * m_margin + m_rows * m_cellSize;

    CSize text(0, 0);
    if (HasAutomaticBox() || HasMoreColoursBox()) {
        CDC screen;
        screen.CreateScreenDC();
        screen.SelectObject(&m_font);
        for (const CString& boxText : {m_defaultText, m_customText}) {
            if (boxText.IsEmpty())
                continue;
            const CSize extent = screen.GetTextExtent(boxText);
            text.cx = std::max(text.cx, extent.cx);
            text.cy = std::max(text.cy, extent.cy);
        }
    }
    const int boxHeight = text.cy + 4 * m_margin + 2;
    // The boxes span the window inside its margins; each holds its text with
    // a margin on either side.
    width = std::max(width, text.cx + 4 * m_margin);

    m_gridTop = m_margin;
    m_automaticRect.SetRectEmpty();
    m_moreColoursRect.SetRectEmpty();
    if (HasAutomaticBox()) {
        m_automaticRect = CRect(m_margin, m_margin, width - m_margin, m_margin + boxHeight);
        m_gridTop += boxHeight + m_margin;
        height += boxHeight + m_margin;
    }
    const int gridBottom = m_gridTop + m_rows * m_cellSize;
    if (HasMoreColoursBox()) {
        m_moreColoursRect = CRect(m_margin, gridBottom + m_margin, width - m_margin,
                                  gridBottom + m_margin + boxHeight);
        height += boxHeight + m_margin;
    }
    return CSize(width, height);
}

CRect CColourPopup::KeptOnScreen(CPoint topLeft, CSize size) const
{
    // Kept on the screen the button is on, clear of its panels.
    MONITORINFO monitor{sizeof(MONITORINFO), {}, {}, 0};
    GetMonitorInfo(MonitorFromPoint(topLeft, MONITOR_DEFAULTTONEAREST), &monitor);
    const CRect screen(monitor.rcWork);
    CRect rect(topLeft, size);
    if (rect.right > screen.right)
        rect.OffsetRect(screen.right - rect.right, 0);
    if (rect.left < screen.left)
        rect.OffsetRect(screen.left - rect.left, 0);
    if (rect.bottom > screen.bottom) {
        // Above the button instead of below it.
        int buttonHeight = 0;
        if (m_parentButton != nullptr && m_parentButton->GetSafeHwnd() != nullptr) {
            CRect button;
            m_parentButton->GetWindowRect(&button);
            buttonHeight = button.Height();
        }
        rect.OffsetRect(0, -(rect.Height() + buttonHeight));
    }
    return rect;
}

CRect CColourPopup::GetEntryRect(int index) const
{
    if (index == kAutomaticBox)
        return m_automaticRect;
    if (index == kMoreColoursBox)
        return m_moreColoursRect;
    if (index < 0 || index >= m_colourCount)
        return CRect();
    const int left = m_margin + (index % m_columns) * m_cellSize;
    const int top = m_gridTop + (index / m_columns) * m_cellSize;
    return CRect(left, top, left + m_cellSize, top + m_cellSize);
}

int CColourPopup::EntryAt(CPoint point) const
{
    if (HasAutomaticBox() && m_automaticRect.PtInRect(point))
        return kAutomaticBox;
    if (HasMoreColoursBox() && m_moreColoursRect.PtInRect(point))
        return kMoreColoursBox;
    for (int i = 0; i < m_colourCount; ++i)
        if (GetEntryRect(i).PtInRect(point))
            return i;
    return kNoEntry;
}

// Choosing --------------------------------------------------------------------

COLORREF CColourPopup::ColourOfEntry(int index) const
{
    if (index == kAutomaticBox)
        return CLR_AUTOMATIC;
    if (index >= 0 && index < m_colourCount)
        return ColourAt(index).colour;
    // "More Colors..." offers the colour the pop-up opened with until the
    // dialog gives another.
    return m_initialColour;
}

void CColourPopup::SelectInitialEntry()
{
    int index = kNoEntry;
    if (m_initialColour == CLR_AUTOMATIC && HasAutomaticBox())
        index = kAutomaticBox;
    else
        index = FindColour(m_initialColour);
    if (index == kNoEntry && HasMoreColoursBox())
        index = kMoreColoursBox;
    m_chosenIndex = index;
    m_hoveredIndex = index;
}

void CColourPopup::ChangeSelection(int index)
{
    if (index == m_hoveredIndex)
        return;
    m_hoveredIndex = index;
    m_currentColour = ColourOfEntry(index);
    Invalidate();
    if (m_parentButton != nullptr)
        m_parentButton->SendMessage(CPN_SELCHANGE, m_currentColour, 0);
}

int CColourPopup::FirstBoxOrCell(bool automaticFirst) const
{
    const int first = automaticFirst ? kAutomaticBox : kMoreColoursBox;
    const int second = automaticFirst ? kMoreColoursBox : kAutomaticBox;
    const auto present = [this](int box) {
        return box == kAutomaticBox ? HasAutomaticBox() : HasMoreColoursBox();
    };
    if (present(first))
        return first;
    if (present(second))
        return second;
    return automaticFirst ? m_colourCount - 1 : 0;
}

int CColourPopup::NextEntry(int from, UINT key) const
{
    if (key != VK_LEFT && key != VK_RIGHT && key != VK_UP && key != VK_DOWN)
        return from;
    const bool forward = key == VK_RIGHT || key == VK_DOWN;
    const int last = m_colourCount - 1;
    if (from == kAutomaticBox)
        return forward ? 0 : (HasMoreColoursBox() ? kMoreColoursBox : last);
    if (from == kMoreColoursBox)
        return forward ? (HasAutomaticBox() ? kAutomaticBox : 0) : last;
    // Nothing hovered yet: start at either end of the grid.
    if (from < 0 || from > last)
        return forward ? 0 : last;
    int to = from;
    switch (key) {
    case VK_LEFT:
        to = from - 1;
        break;
    case VK_RIGHT:
        to = from + 1;
        break;
    case VK_UP:
        to = from - m_columns;
        break;
    default:
        to = from + m_columns;
        break;
    }
    // Off the top of the grid: "Automatic", else "More Colors...", else the
    // last cell; off the bottom the other way round, else the first cell.
    if (to < 0)
        return FirstBoxOrCell(true);
    if (to > last)
        return FirstBoxOrCell(false);
    return to;
}

void CColourPopup::EndSelection(bool confirmed)
{
    if (m_ending)
        return;
    m_ending = true;
    m_toolTip.Hide();
    if (GetCapture() == this)
        ReleaseCapture();
    if (confirmed && m_hoveredIndex == kMoreColoursBox) {
        // The dialog takes over the keyboard and the mouse: the pop-up steps
        // aside until it has the answer.
        m_colourDialogOpen = true;
        ShowWindow(SW_HIDE);
        CColorDialog dialog(m_initialColour & 0x00FFFFFF, CC_FULLOPEN | CC_ANYCOLOR, this);
        const INT_PTR answer = dialog.DoModal();
        m_colourDialogOpen = false;
        if (answer == IDOK)
            m_currentColour = dialog.GetColor();
        else
            confirmed = false;
    }
    if (!confirmed)
        m_currentColour = m_initialColour;
    if (m_parentButton != nullptr)
        m_parentButton->SendMessage(confirmed ? CPN_SELENDOK : CPN_SELENDCANCEL, m_currentColour,
                                    0);
    if (m_hWnd != nullptr)
        DestroyWindow();
}

// Messages --------------------------------------------------------------------

LRESULT CColourPopup::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kActivateAppMessage) {
        if (wParam == FALSE && !m_colourDialogOpen)
            EndSelection(false);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CColourPopup::PreTranslateMessage(MSG* message)
{
    // The pop-up keeps the mouse while it is open.
    if (!m_ending && m_hWnd != nullptr && GetCapture() != this)
        SetCapture();
    return CWnd::PreTranslateMessage(message);
}

void CColourPopup::OnMouseMove(UINT, CPoint point)
{
    if (m_ending)
        return;
    const int index = EntryAt(point);
    if (index == kNoEntry || index == m_hoveredIndex)
        return;
    ChangeSelection(index);
    ShowToolTip(index);
}

void CColourPopup::OnLButtonUp(UINT, CPoint point)
{
    CRect client;
    GetClientRect(&client);
    EndSelection(client.PtInRect(point));
}

UINT CColourPopup::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS | DLGC_WANTARROWS;
}

void CColourPopup::OnKeyDown(UINT key, UINT repeatCount, UINT flags)
{
    if (m_ending)
        return;
    switch (key) {
    case VK_RETURN:
    case VK_SPACE:
        EndSelection(true);
        break;
    case VK_ESCAPE:
        EndSelection(false);
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        ChangeSelection(NextEntry(m_hoveredIndex, key));
        break;
    default:
        CWnd::OnKeyDown(key, repeatCount, flags);
        break;
    }
}

void CColourPopup::OnCancelMode()
{
    // The desktop closed the pop-up (the program lost its attention).
    CWnd::OnCancelMode();
    if (!m_colourDialogOpen)
        EndSelection(false);
}

void CColourPopup::OnKillFocus(CWnd* newWindow)
{
    CWnd::OnKillFocus(newWindow);
    if (GetCapture() == this)
        ReleaseCapture();
}

void CColourPopup::OnDestroy()
{
    QObject::disconnect(m_applicationStateWatch);
    m_toolTip.Hide();
    CWnd::OnDestroy();
}

void CColourPopup::PostNcDestroy()
{
    if (!m_deleteWhenDestroyed)
        return;
    // The event that closed the pop-up may still be on its way through the
    // window's widgets; the object goes once the event loop is back. The
    // queued call owns it: when no event loop comes back (the program is
    // ending), the application drops the call with its other pending events
    // and the pop-up goes with it.
    QMetaObject::invokeMethod(
        qApp, [closed = std::unique_ptr<CColourPopup>(this)]() mutable { closed.reset(); },
        Qt::QueuedConnection);
}

void CColourPopup::ShowToolTip(int index)
{
    if (index < 0 || index >= m_colourCount) {
        m_toolTip.Hide();
        return;
    }
    const CRect cell = GetEntryRect(index);
    m_toolTip.SetToolId(index + 1);
    m_toolTip.Show(this, ColourAt(index).name, cell.TopLeft());
}

// Painting --------------------------------------------------------------------

BOOL CColourPopup::OnEraseBkgnd(CDC*)
{
    // Painting covers the whole window.
    return TRUE;
}

void CColourPopup::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    CFont* oldFont = dc.SelectObject(&m_font);
    dc.SetBkMode(TRANSPARENT);
    if (HasAutomaticBox())
        DrawEntry(dc, kAutomaticBox);
    if (HasMoreColoursBox())
        DrawEntry(dc, kMoreColoursBox);
    for (int i = 0; i < m_colourCount; ++i)
        DrawEntry(dc, i);
    dc.DrawEdge(&client, EDGE_RAISED, BF_RECT);
    dc.SelectObject(oldFont);
}

void CColourPopup::DrawEntry(CDC& dc, int index)
{
    CRect rect = GetEntryRect(index);
    if (rect.IsRectEmpty())
        return;
    const bool hovered = index == m_hoveredIndex;
    const bool chosen = index == m_chosenIndex;
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);

    if (index == kMoreColoursBox) {
        // An etched line in the gap between the grid and the box.
        const int y = rect.top - m_margin;
        dc.FillSolidRect(rect.left, y, rect.Width(), 1, shadow);
        dc.FillSolidRect(rect.left, y + 1, rect.Width(), 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    dc.FillSolidRect(&rect, GetSysColor(chosen && !hovered ? COLOR_BTNHIGHLIGHT : COLOR_BTNFACE));
    CRect edge = rect;
    if (hovered)
        dc.DrawEdge(&edge, BDR_RAISEDINNER, BF_RECT);
    else if (chosen)
        dc.DrawEdge(&edge, BDR_SUNKENOUTER, BF_RECT);

    if (index >= 0) {
        CRect swatch = rect;
        swatch.DeflateRect(m_margin + 1, m_margin + 1);
        dc.FillSolidRect(&swatch, ColourAt(index).colour);
        dc.Draw3dRect(&swatch, shadow, shadow);
        return;
    }
    if (index == kAutomaticBox) {
        CRect frame = rect;
        frame.DeflateRect(2 * m_margin, 2 * m_margin);
        dc.Draw3dRect(&frame, shadow, shadow);
    }
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    dc.DrawText(index == kAutomaticBox ? m_defaultText : m_customText, &rect,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
