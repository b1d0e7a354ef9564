#include "TrueColorToolBar.h"

#include "CBitmap.h"
#include "CImageList.h"
#include "Resources.h"

std::vector<ToolbarButton> CTrueColorToolBar::Buttons(const std::vector<UINT>& commands,
                                                      const std::vector<QImage>& bitmaps, int width)
{
    std::vector<ToolbarButton> buttons(commands.size());
    for (std::size_t i = 0; i < commands.size(); ++i)
        buttons[i].id = commands[i];
    for (std::size_t kind = 0; kind < bitmaps.size() && kind < 3; ++kind) {
        const QImage& bitmap = bitmaps[kind];
        if (bitmap.isNull() || bitmap.width() < width)
            break;
        // The transparent colour is the first pixel.
        const QRgb first = bitmap.pixel(0, 0);
        CBitmap source;
        if (!source.CreateCompatibleBitmap(nullptr, bitmap.width(), bitmap.height()))
            break;
        *source.GetImage() = bitmap.convertToFormat(QImage::Format_RGB32);
        CImageList images;
        if (!images.Create(width, bitmap.height(), ILC_COLOR32 | ILC_MASK, bitmap.width() / width,
                           0) ||
            images.Add(&source, RGB(qRed(first), qGreen(first), qBlue(first))) < 0)
            break;
        for (std::size_t i = 0; i < buttons.size() && static_cast<int>(i) < images.GetImageCount();
             ++i) {
            QImage& target =
                kind == 0 ? buttons[i].normal : (kind == 1 ? buttons[i].hot : buttons[i].disabled);
            target = images.Image(static_cast<int>(i));
        }
    }
    return buttons;
}

void CTrueColorToolBar::Load(CMDIFrameWnd* frame)
{
    const std::vector<QImage> bitmaps = {Resources::ToolbarBitmap(Resources::IDB_TOOLBAR_NORMAL),
                                         Resources::ToolbarBitmap(Resources::IDB_TOOLBAR_HOT),
                                         Resources::ToolbarBitmap(Resources::IDB_TOOLBAR_DISABLED)};
    std::vector<ToolbarButton> buttons =
        Buttons(Resources::ToolbarCommands(), bitmaps, Resources::kButtonWidth);
    const std::map<UINT, CString> prompts = Resources::Prompts();
    for (ToolbarButton& button : buttons) {
        const auto prompt = prompts.find(button.id);
        button.tooltip = prompt != prompts.end() ? prompt->second : CString();
    }
    frame->SetToolbar(buttons, Resources::kButtonWidth, Resources::kButtonHeight);
}
