#include "CEdit.h"

#include "CFont.h"
#include "WindowSystem.h"
#include "WindowWidgets.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

// Reports the keys pressed in the native edit as the edit's own WM_KEYDOWN;
// the native edit still handles every key itself. Keys that come while the
// edit is being destroyed, or after, are not reported.
class CEdit::NativeEvents : public QObject
{
public:
    NativeEvents(CEdit* edit, QWidget* native)
        : QObject(native), m_edit(edit), m_serial(edit->GetSerial())
    {
        native->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !WindowSystem::IsAlive(m_edit, m_serial))
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (const unsigned virtualKey = VirtualKeyOf(key->key(), key->modifiers()))
            m_edit->SendMessage(WM_KEYDOWN, virtualKey, key->isAutoRepeat() ? 1u << 30 : 1);
        return false;
    }

private:
    CEdit* m_edit;
    std::uint64_t m_serial;
};

CEdit::CEdit() = default;

CEdit::~CEdit()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    if (!CWnd::Create("Edit", "", style, rect, parent, id))
        return FALSE;
    // Watched once the window system knows the edit.
    QWidget* native = m_text != nullptr ? static_cast<QWidget*>(m_text) : m_line;
    if (native != nullptr)
        new NativeEvents(this, native);
    return TRUE;
}

QWidget* CEdit::CreateNativeWidget(const CREATESTRUCT& create, QWidget* parent)
{
    Qt::Alignment alignment = Qt::AlignLeft;
    if ((create.style & ES_CENTER) != 0)
        alignment = Qt::AlignHCenter;
    else if ((create.style & ES_RIGHT) != 0)
        alignment = Qt::AlignRight;
    QWidget* widget = nullptr;
    if ((create.style & ES_MULTILINE) != 0) {
        m_text = new QPlainTextEdit(parent);
        m_text->setReadOnly((create.style & ES_READONLY) != 0);
        m_text->setLineWrapMode((create.style & ES_AUTOHSCROLL) != 0 ? QPlainTextEdit::NoWrap
                                                                     : QPlainTextEdit::WidgetWidth);
        m_text->setFrameShape(QFrame::NoFrame);
        QTextOption option = m_text->document()->defaultTextOption();
        option.setAlignment(alignment);
        m_text->document()->setDefaultTextOption(option);
        widget = m_text;
    } else {
        m_line = new QLineEdit(parent);
        m_line->setReadOnly((create.style & ES_READONLY) != 0);
        m_line->setAlignment(alignment);
        m_line->setFrame(false);
        widget = m_line;
    }
    widget->setGeometry(0, 0, create.cx, create.cy);
    widget->show();
    return widget;
}

void CEdit::PostNcDestroy()
{
    m_line = nullptr;
    m_text = nullptr;
}

void CEdit::SetWindowText(const CString& text)
{
    if (m_text != nullptr)
        m_text->setPlainText(text.ToQString());
    else if (m_line != nullptr)
        m_line->setText(text.ToQString());
    else
        CWnd::SetWindowText(text);
}

void CEdit::GetWindowText(CString& text) const
{
    if (m_text != nullptr) {
        // Line breaks as the desktop's edit controls give them.
        QString plain = m_text->toPlainText();
        plain.replace('\n', "\r\n");
        text = CString::FromQString(plain);
    } else if (m_line != nullptr) {
        text = CString::FromQString(m_line->text());
    } else {
        CWnd::GetWindowText(text);
    }
}

void CEdit::SetFont(CFont* font, BOOL redraw)
{
    CWnd::SetFont(font, redraw);
    QWidget* widget = m_text != nullptr ? static_cast<QWidget*>(m_text) : m_line;
    if (widget != nullptr && font != nullptr)
        widget->setFont(font->ToQFont());
}

void CEdit::SetSel(int start, int end, BOOL)
{
    if (m_line != nullptr) {
        const int length = static_cast<int>(m_line->text().size());
        const int last = end < 0 ? length : std::min(end, length);
        m_line->setSelection(start, last - start);
    } else if (m_text != nullptr) {
        QTextCursor cursor = m_text->textCursor();
        const int length = static_cast<int>(m_text->toPlainText().size());
        cursor.setPosition(std::clamp(start, 0, length));
        cursor.setPosition(end < 0 ? length : std::clamp(end, 0, length), QTextCursor::KeepAnchor);
        m_text->setTextCursor(cursor);
    }
}
