#include "DialogItem.h"

#include "CBitmap.h"
#include "CFont.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QDateTime ToQDateTime(const COleDateTime& time)
{
    return QDateTime(QDate(time.GetYear(), time.GetMonth(), time.GetDay()),
                     QTime(time.GetHour(), time.GetMinute(), time.GetSecond()));
}

// The entries of an owner-drawn list's drop-down, each drawn by the dialog.
class OwnerDrawDelegate : public QStyledItemDelegate
{
public:
    OwnerDrawDelegate(const CDialogItem* item, QObject* parent)
        : QStyledItemDelegate(parent), m_item(item)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        UINT state = 0;
        if ((option.state & QStyle::State_Selected) != 0)
            state |= ODS_SELECTED;
        if ((option.state & QStyle::State_Enabled) == 0)
            state |= ODS_DISABLED;
        painter->drawImage(option.rect.topLeft(),
                           m_item->RenderEntry(index.row(), option.rect.width(), state));
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        return QSize(std::max(option.rect.width(), 1), m_item->GetItemHeight());
    }

private:
    const CDialogItem* m_item;
};

// An owner-drawn list's face: the frame and arrow of a drop-down list with
// the current entry drawn by the dialog in its field.
class OwnerDrawComboBox : public QComboBox
{
public:
    OwnerDrawComboBox(const CDialogItem* item, QWidget* parent) : QComboBox(parent), m_item(item)
    {
        setItemDelegate(new OwnerDrawDelegate(item, this));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        option.currentText.clear();
        option.currentIcon = QIcon();
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        if (currentIndex() < 0)
            return;
        const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, this);
        UINT state = ODS_COMBOBOXEDIT;
        if (hasFocus())
            state |= ODS_SELECTED | ODS_FOCUS;
        if (!isEnabled())
            state |= ODS_DISABLED;
        const QImage entry = m_item->RenderEntry(currentIndex(), field.width(), state);
        painter.setClipRect(field);
        painter.drawImage(field.left(), field.top() + (field.height() - entry.height()) / 2, entry);
    }

private:
    const CDialogItem* m_item;
};

} // namespace

CDialogItem::CDialogItem(DialogControlKind kind) : m_kind(kind) {}

CDialogItem::~CDialogItem()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

void CDialogItem::PostNcDestroy()
{
    m_widget = nullptr;
}

QWidget* CDialogItem::CreateNativeWidget(const CREATESTRUCT& create, QWidget* parent)
{
    const QString text = create.lpszName.ToQString();
    switch (m_kind) {
    case DialogControlKind::Static:
        m_widget = new QLabel(text, parent);
        break;
    case DialogControlKind::Edit: {
        auto* edit = new QLineEdit(parent);
        QObject::connect(edit, &QLineEdit::textChanged, edit, [this] { Command(EN_CHANGE); });
        m_widget = edit;
        break;
    }
    case DialogControlKind::CheckBox: {
        auto* box = new QCheckBox(text, parent);
        QObject::connect(box, &QCheckBox::clicked, box, [this] { Command(BN_CLICKED); });
        m_widget = box;
        break;
    }
    case DialogControlKind::RadioButton: {
        auto* radio = new QRadioButton(text, parent);
        // The dialog keeps the group: a radio does not uncheck its sisters
        // by itself, as with the desktop's radio buttons in a dialog.
        radio->setAutoExclusive(false);
        QObject::connect(radio, &QRadioButton::clicked, radio, [this, radio] {
            radio->setChecked(true);
            Command(BN_CLICKED);
        });
        m_widget = radio;
        break;
    }
    case DialogControlKind::PushButton: {
        auto* button = new QPushButton(text, parent);
        QObject::connect(button, &QPushButton::clicked, button, [this] { Command(BN_CLICKED); });
        m_widget = button;
        break;
    }
    case DialogControlKind::DropDownList: {
        auto* list = new QComboBox(parent);
        QObject::connect(list, &QComboBox::activated, list,
                         [this](int) { Command(CBN_SELCHANGE); });
        m_widget = list;
        break;
    }
    case DialogControlKind::OwnerDrawList: {
        auto* list = new OwnerDrawComboBox(this, parent);
        QObject::connect(list, &QComboBox::activated, list,
                         [this](int) { Command(CBN_SELCHANGE); });
        m_widget = list;
        break;
    }
    case DialogControlKind::Custom:
        m_widget = new QWidget(parent);
        break;
    case DialogControlKind::Spin: {
        auto* pair = new QWidget(parent);
        auto* layout = new QVBoxLayout(pair);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        auto* up = new QToolButton(pair);
        up->setArrowType(Qt::UpArrow);
        auto* down = new QToolButton(pair);
        down->setArrowType(Qt::DownArrow);
        layout->addWidget(up);
        layout->addWidget(down);
        // The arrows step from the number the buddy shows, which the user
        // may have typed.
        QObject::connect(up, &QToolButton::clicked, pair, [this] {
            SetPos32(GetPos32() + 1);
            Notify(UDN_DELTAPOS);
        });
        QObject::connect(down, &QToolButton::clicked, pair, [this] {
            SetPos32(GetPos32() - 1);
            Notify(UDN_DELTAPOS);
        });
        m_widget = pair;
        break;
    }
    case DialogControlKind::DatePicker:
    case DialogControlKind::TimePicker: {
        auto* picker = new QDateTimeEdit(parent);
        picker->setDisplayFormat(m_kind == DialogControlKind::DatePicker ? "dd.MM.yyyy"
                                                                         : "HH:mm:ss");
        picker->setCalendarPopup(m_kind == DialogControlKind::DatePicker);
        QObject::connect(picker, &QDateTimeEdit::dateTimeChanged, picker, [this] {
            if (!m_quiet)
                Notify(DTN_DATETIMECHANGE);
        });
        m_widget = picker;
        break;
    }
    case DialogControlKind::Tab: {
        auto* tabs = new QTabBar(parent);
        QObject::connect(tabs, &QTabBar::currentChanged, tabs, [this](int) {
            if (!m_quiet)
                Notify(TCN_SELCHANGE);
        });
        m_widget = tabs;
        break;
    }
    }
    m_widget->setGeometry(0, 0, create.cx, create.cy);
    m_widget->show();
    return m_widget;
}

void CDialogItem::Command(UINT code)
{
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), code),
                            reinterpret_cast<LPARAM>(this));
}

void CDialogItem::Notify(UINT code)
{
    if (CWnd* parent = GetParent()) {
        NMHDR header{this, static_cast<UINT_PTR>(GetDlgCtrlID()), code};
        parent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()),
                            reinterpret_cast<LPARAM>(&header));
    }
}

// Text -----------------------------------------------------------------------

void CDialogItem::SetWindowText(const CString& text)
{
    CWnd::SetWindowText(text);
    const QString value = text.ToQString();
    if (auto* edit = qobject_cast<QLineEdit*>(m_widget))
        edit->setText(value);
    else if (auto* label = qobject_cast<QLabel*>(m_widget))
        label->setText(value);
    else if (auto* button = qobject_cast<QAbstractButton*>(m_widget))
        button->setText(value);
}

void CDialogItem::GetWindowText(CString& text) const
{
    if (auto* edit = qobject_cast<QLineEdit*>(m_widget))
        text = CString::FromQString(edit->text());
    else if (auto* label = qobject_cast<QLabel*>(m_widget))
        text = CString::FromQString(label->text());
    else if (auto* button = qobject_cast<QAbstractButton*>(m_widget))
        text = CString::FromQString(button->text());
    else if (auto* list = qobject_cast<QComboBox*>(m_widget))
        text = CString::FromQString(list->currentText());
    else
        CWnd::GetWindowText(text);
}

void CDialogItem::SetFont(CFont* font, BOOL redraw)
{
    CWnd::SetFont(font, redraw);
    if (m_widget != nullptr && font != nullptr)
        m_widget->setFont(font->ToQFont());
}

// Buttons --------------------------------------------------------------------

int CDialogItem::GetCheck() const
{
    auto* button = qobject_cast<QAbstractButton*>(m_widget);
    return button != nullptr && button->isChecked() ? 1 : 0;
}

void CDialogItem::SetCheck(int check)
{
    if (auto* button = qobject_cast<QAbstractButton*>(m_widget))
        button->setChecked(check != 0);
}

// Lists and tabs -------------------------------------------------------------

int CDialogItem::AddString(const CString& text)
{
    if (auto* list = qobject_cast<QComboBox*>(m_widget)) {
        list->addItem(text.ToQString());
        return list->count() - 1;
    }
    if (auto* tabs = qobject_cast<QTabBar*>(m_widget)) {
        m_quiet = true;
        const int index = tabs->addTab(text.ToQString());
        m_quiet = false;
        return index;
    }
    return -1;
}

void CDialogItem::ResetContent()
{
    if (auto* list = qobject_cast<QComboBox*>(m_widget))
        list->clear();
}

int CDialogItem::GetCount() const
{
    if (auto* list = qobject_cast<QComboBox*>(m_widget))
        return list->count();
    if (auto* tabs = qobject_cast<QTabBar*>(m_widget))
        return tabs->count();
    return 0;
}

int CDialogItem::GetCurSel() const
{
    if (auto* list = qobject_cast<QComboBox*>(m_widget))
        return list->currentIndex();
    if (auto* tabs = qobject_cast<QTabBar*>(m_widget))
        return tabs->currentIndex();
    return -1;
}

int CDialogItem::SetCurSel(int index)
{
    if (auto* list = qobject_cast<QComboBox*>(m_widget)) {
        if (index < -1 || index >= list->count())
            return -1;
        list->setCurrentIndex(index);
        return index;
    }
    if (auto* tabs = qobject_cast<QTabBar*>(m_widget)) {
        m_quiet = true;
        tabs->setCurrentIndex(index);
        m_quiet = false;
        return tabs->currentIndex();
    }
    return -1;
}

int CDialogItem::GetItemHeight() const
{
    MEASUREITEMSTRUCT measure{
        ODT_COMBOBOX,
        static_cast<UINT>(GetDlgCtrlID()),
        0,
        0,
        static_cast<UINT>(m_widget != nullptr ? m_widget->fontMetrics().height() : 16),
        0};
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_MEASUREITEM, static_cast<WPARAM>(GetDlgCtrlID()),
                            reinterpret_cast<LPARAM>(&measure));
    return std::max(1, static_cast<int>(measure.itemHeight));
}

QImage CDialogItem::RenderEntry(int index, int width, UINT state) const
{
    const int height = GetItemHeight();
    CBitmap bitmap;
    if (!bitmap.CreateCompatibleBitmap(nullptr, std::max(1, width), height))
        return QImage();
    bitmap.GetImage()->fill(Qt::white);
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* old = dc.SelectObject(&bitmap);
        DRAWITEMSTRUCT drawItem{ODT_COMBOBOX,
                                static_cast<UINT>(GetDlgCtrlID()),
                                static_cast<UINT>(index),
                                ODA_DRAWENTIRE,
                                state,
                                const_cast<CDialogItem*>(this),
                                &dc,
                                CRect(0, 0, std::max(1, width), height),
                                0};
        if (CWnd* parent = GetParent())
            parent->SendMessage(WM_DRAWITEM, static_cast<WPARAM>(GetDlgCtrlID()),
                                reinterpret_cast<LPARAM>(&drawItem));
        dc.SelectObject(old);
    }
    return *bitmap.GetImage();
}

// Spin controls --------------------------------------------------------------

void CDialogItem::SetRange32(int low, int high)
{
    m_spinLow = low;
    m_spinHigh = high;
    SetPos32(m_spinPos);
}

int CDialogItem::SetPos32(int position)
{
    const int old = m_spinPos;
    const int low = std::min(m_spinLow, m_spinHigh);
    const int high = std::max(m_spinLow, m_spinHigh);
    m_spinPos = std::clamp(position, low, high);
    if (m_buddy != nullptr) {
        // The buddy shows the position; it is told only of a real change.
        const CString shown = CString::Formatted("%d", m_spinPos);
        CString typed;
        m_buddy->GetWindowText(typed);
        if (typed != shown)
            m_buddy->SetWindowText(shown);
    }
    return old;
}

int CDialogItem::GetPos32() const
{
    // The buddy's text is the position, when it holds a number.
    if (m_buddy != nullptr) {
        CString text;
        m_buddy->GetWindowText(text);
        bool ok = false;
        const int value = text.ToQString().trimmed().toInt(&ok);
        if (ok)
            return std::clamp(value, std::min(m_spinLow, m_spinHigh),
                              std::max(m_spinLow, m_spinHigh));
    }
    return m_spinPos;
}

// Pickers --------------------------------------------------------------------

void CDialogItem::SetTime(const COleDateTime& time)
{
    if (auto* picker = qobject_cast<QDateTimeEdit*>(m_widget)) {
        m_quiet = true;
        picker->setDateTime(ToQDateTime(time));
        m_quiet = false;
    }
}

COleDateTime CDialogItem::GetTime() const
{
    auto* picker = qobject_cast<QDateTimeEdit*>(m_widget);
    if (picker == nullptr)
        return COleDateTime();
    const QDateTime value = picker->dateTime();
    return COleDateTime(value.date().year(), value.date().month(), value.date().day(),
                        value.time().hour(), value.time().minute(), value.time().second());
}
