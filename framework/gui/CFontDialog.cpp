#include "CFontDialog.h"

#include "CFont.h"
#include "CWnd.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

QColor ToQColor(COLORREF colour)
{
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

// The chooser is a dialog of its own without buttons: it would keep Enter
// to itself and take Escape as closing itself. Both go to the dialog it
// sits in, as OK and Cancel.
class ChooserKeys : public QObject
{
public:
    ChooserKeys(QDialog* dialog, QObject* chooser) : QObject(chooser), m_dialog(dialog)
    {
        chooser->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier)
            return false;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            m_dialog->accept();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            m_dialog->reject();
            return true;
        }
        return false;
    }

private:
    QDialog* m_dialog;
};

void ShowSwatch(QPushButton* button, const QColor& colour)
{
    QPixmap swatch(32, 14);
    swatch.fill(colour);
    button->setIcon(QIcon(swatch));
    button->setIconSize(swatch.size());
}

} // namespace

LOGFONT LogFontFromQFont(const QFont& font)
{
    LOGFONT logFont{};
    int pixels = font.pixelSize();
    if (pixels <= 0)
        pixels = static_cast<int>(std::lround(font.pointSizeF() * 96.0 / 72.0));
    logFont.lfHeight = -std::max(1, pixels);
    logFont.lfWeight = font.weight();
    logFont.lfItalic = font.italic() ? 1 : 0;
    logFont.lfUnderline = font.underline() ? 1 : 0;
    logFont.lfStrikeOut = font.strikeOut() ? 1 : 0;
    SetFaceName(&logFont, CString::FromQString(QFontInfo(font).family()));
    return logFont;
}

CFontDialog::CFontDialog(const LOGFONT* initial, DWORD flags, CWnd* parent) : m_parent(parent)
{
    m_cf.Flags = flags;
    if (initial != nullptr) {
        m_lf = *initial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
    m_cf.lpLogFont = &m_lf;
}

INT_PTR CFontDialog::DoModal()
{
    ModalRequest request;
    request.kind = ModalRequest::dialog;
    request.text = "CFontDialog";
    request.dialogObject = this;
    request.owner = m_parent;
    return ModalSeam::Run(request, [this] { return ShowForReal(); });
}

void CFontDialog::GetCurrentFont(LOGFONT* logFont) const
{
    if (logFont != nullptr)
        *logFont = m_lf;
}

INT_PTR CFontDialog::ShowForReal()
{
    QDialog dialog(m_parent != nullptr ? m_parent->GetHostWidget() : nullptr);
    dialog.setWindowTitle("Font");
    auto* layout = new QVBoxLayout(&dialog);
    // Qt's font chooser without its own buttons, so that the colour row of
    // the effects can sit between it and OK/Cancel.
    auto* chooser = new QFontDialog(&dialog);
    chooser->setOptions(QFontDialog::NoButtons | QFontDialog::ScalableFonts |
                        QFontDialog::NonScalableFonts);
    chooser->setWindowFlags(Qt::Widget);
    new ChooserKeys(&dialog, chooser);
    // Enter in its lists ends the chooser itself: that ends the dialog.
    QObject::connect(chooser, &QDialog::accepted, &dialog, &QDialog::accept);
    QObject::connect(chooser, &QDialog::rejected, &dialog, &QDialog::reject);
    // The chooser lists the fonts there are: a face asked for by name
    // ("Arial") opens on the font that draws it (its metric-compatible
    // substitute), not on whatever the chooser starts with.
    QFont shown;
    const bool initial = (m_cf.Flags & CF_INITTOLOGFONTSTRUCT) != 0;
    if (initial) {
        CFont font;
        font.CreateFontIndirect(&m_lf);
        QFont drawn = font.ToQFont();
        drawn.setFamily(QFontInfo(drawn).family());
        chooser->setCurrentFont(drawn);
        shown = chooser->currentFont();
    }
    layout->addWidget(chooser);
    QColor colour = ToQColor(m_cf.rgbColors);
    if ((m_cf.Flags & CF_EFFECTS) != 0) {
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel("Color:", &dialog));
        auto* colourButton = new QPushButton(&dialog);
        ShowSwatch(colourButton, colour);
        QObject::connect(colourButton, &QPushButton::clicked, &dialog,
                         [&colour, &dialog, colourButton] {
                             const QColor chosen = QColorDialog::getColor(colour, &dialog);
                             if (chosen.isValid()) {
                                 colour = chosen;
                                 ShowSwatch(colourButton, colour);
                             }
                         });
        row->addWidget(colourButton);
        row->addStretch();
        layout->addLayout(row);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    // OK without a change keeps the font exactly as it was asked for.
    if (!initial || chooser->currentFont() != shown)
        m_lf = LogFontFromQFont(chooser->currentFont());
    m_cf.rgbColors = RGB(colour.red(), colour.green(), colour.blue());
    return IDOK;
}
