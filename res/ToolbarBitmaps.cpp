// The toolbar's bitmaps: the nine 40 x 34 buttons side by side (open, save,
// save as, print, add metric, remove metric, zoom in, zoom out, cut
// selection), normal, hot and disabled, kept as pictures among the
// program's resources. The first pixel of each is the transparent colour.

#include "Resources.h"

namespace Resources {

QImage ToolbarBitmap(UINT id)
{
    switch (id) {
    case IDB_TOOLBAR_NORMAL:
        return QImage(":/res/toolbar-normal.png");
    case IDB_TOOLBAR_HOT:
        return QImage(":/res/toolbar-hot.png");
    case IDB_TOOLBAR_DISABLED:
        return QImage(":/res/toolbar-disabled.png");
    default:
        return {};
    }
}

QImage ProgramIcon()
{
    // The curve with its plus sign of the Add Metric button, on nothing.
    const QImage buttons = ToolbarBitmap(IDB_TOOLBAR_NORMAL);
    if (buttons.isNull())
        return {};
    QImage icon = buttons.copy(4 * kButtonWidth, 0, kButtonWidth, kButtonHeight)
                      .convertToFormat(QImage::Format_ARGB32);
    const QRgb background = buttons.pixel(0, 0);
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x)
            if (icon.pixel(x, y) == background)
                icon.setPixel(x, y, qRgba(0, 0, 0, 0));
    return icon;
}

} // namespace Resources
