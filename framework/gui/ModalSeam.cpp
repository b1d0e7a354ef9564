#include "ModalSeam.h"

#include "CWaitCursor.h"
#include "CWnd.h"

#include <QApplication>
#include <QMessageBox>

namespace {

ModalSeam::Responder& CurrentResponder()
{
    static ModalSeam::Responder responder;
    return responder;
}

QMessageBox::StandardButtons ButtonsOf(UINT type)
{
    switch (type & 0x0F) {
    case MB_OKCANCEL:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MB_YESNOCANCEL:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MB_YESNO:
        return QMessageBox::Yes | QMessageBox::No;
    case MB_RETRYCANCEL:
        return QMessageBox::Retry | QMessageBox::Cancel;
    default:
        return QMessageBox::Ok;
    }
}

QMessageBox::Icon IconOf(UINT type)
{
    switch (type & 0xF0) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// The button that Enter presses: the first one, or the second with
// MB_DEFBUTTON2.
QMessageBox::StandardButton DefaultButtonOf(UINT type)
{
    const bool second = (type & MB_DEFBUTTON2) != 0;
    switch (type & 0x0F) {
    case MB_OKCANCEL:
        return second ? QMessageBox::Cancel : QMessageBox::Ok;
    case MB_YESNOCANCEL:
    case MB_YESNO:
        return second ? QMessageBox::No : QMessageBox::Yes;
    case MB_RETRYCANCEL:
        return second ? QMessageBox::Cancel : QMessageBox::Retry;
    default:
        return QMessageBox::Ok;
    }
}

int AnswerOf(int button)
{
    switch (button) {
    case QMessageBox::Ok:
        return IDOK;
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    case QMessageBox::Retry:
        return IDRETRY;
    default:
        return IDCANCEL;
    }
}

} // namespace

INT_PTR ModalSeam::Run(const ModalRequest& request, const std::function<INT_PTR()>& showForReal)
{
    // The user is asked: whatever work goes on behind, the cursor is the
    // ordinary one until the answer is given.
    const CWaitCursor::Suspension suspension;
    // A copy: the responder may replace itself while answering.
    const Responder responder = CurrentResponder();
    if (responder)
        return responder(request);
    return showForReal();
}

void ModalSeam::SetResponder(Responder responder)
{
    CurrentResponder() = std::move(responder);
}

ScopedModalResponder::ScopedModalResponder(ModalSeam::Responder responder)
{
    ModalSeam::SetResponder(std::move(responder));
}

ScopedModalResponder::~ScopedModalResponder()
{
    ModalSeam::SetResponder(nullptr);
}

int MessageBox(CWnd* owner, const CString& text, const CString& caption, UINT type)
{
    ModalRequest request;
    request.kind = ModalRequest::messageBox;
    request.text = text;
    request.caption = caption;
    request.type = type;
    request.owner = owner;
    return static_cast<int>(ModalSeam::Run(request, [&]() -> INT_PTR {
        // Over the window that asks, else the active one.
        QWidget* parent = owner != nullptr ? owner->GetHostWidget() : QApplication::activeWindow();
        QMessageBox box(IconOf(type), caption.ToQString(), text.ToQString(), ButtonsOf(type),
                        parent);
        box.setDefaultButton(DefaultButtonOf(type));
        return AnswerOf(box.exec());
    }));
}

int AfxMessageBox(const CString& text, UINT type, UINT)
{
    const QString name = QApplication::applicationDisplayName().isEmpty()
                             ? QApplication::applicationName()
                             : QApplication::applicationDisplayName();
    return MessageBox(nullptr, text, CString::FromQString(name), type);
}
