#include "Clipboard.h"

#include <QApplication>
#include <QClipboard>

void SetClipboardText(const CString& text)
{
    QApplication::clipboard()->setText(text.ToQString());
}
