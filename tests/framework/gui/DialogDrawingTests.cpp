// Owner-drawn lists, places the dialog fills itself, and the font dialog.

#include "CDialog.h"
#include "CFontDialog.h"
#include "ModalSeam.h"

#include <QComboBox>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

constexpr UINT kTemplate = 9002;
constexpr UINT kStyles = 201;
constexpr UINT kSwatch = 202;

void RegisterDrawingTemplate()
{
    DialogTemplate dialog;
    dialog.id = kTemplate;
    dialog.caption = "Styles";
    dialog.size = CSize(200, 120);
    dialog.controls = {
        {DialogControlKind::OwnerDrawList, kStyles, CRect(10, 10, 150, 34), ""},
        {DialogControlKind::Custom, kSwatch, CRect(10, 50, 60, 70), ""},
    };
    RegisterDialogTemplate(dialog);
}

// Draws entry n as a band of colour n, blue when selected.
class StylesDialog : public CDialog
{
public:
    std::vector<UINT> drawnStates;

    StylesDialog() : CDialog(kTemplate) { RegisterDrawingTemplate(); }

    static COLORREF EntryColour(UINT index) { return RGB(40 * index, 200, 40); }

protected:
    void OnMeasureItem(int id, LPMEASUREITEMSTRUCT measure) override
    {
        if (id == static_cast<int>(kStyles))
            measure->itemHeight = 16;
    }
    void OnDrawItem(int id, LPDRAWITEMSTRUCT drawItem) override
    {
        if (id != static_cast<int>(kStyles))
            return;
        drawnStates.push_back(drawItem->itemState);
        CRect rect = drawItem->rcItem;
        const bool selected = (drawItem->itemState & ODS_SELECTED) != 0;
        drawItem->hDC->FillSolidRect(&rect,
                                     selected ? RGB(0, 0, 255) : EntryColour(drawItem->itemID));
    }
};

QRgb Pixel(COLORREF colour)
{
    return qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

} // namespace

TEST(OwnerDrawnListTest, TheDialogSizesAndDrawsEachEntry)
{
    StylesDialog dialog;
    ASSERT_TRUE(dialog.CreateDialogWindow(nullptr));
    CDialogItem* list = dialog.GetDlgItem(kStyles);
    ASSERT_NE(list, nullptr);
    for (int i = 0; i < 5; ++i)
        list->AddString("");
    EXPECT_EQ(list->GetItemHeight(), 16);

    const QImage third = list->RenderEntry(3, 100, 0);
    ASSERT_EQ(third.size(), QSize(100, 16));
    EXPECT_EQ(third.pixel(50, 8) & 0xFFFFFF, Pixel(StylesDialog::EntryColour(3)) & 0xFFFFFF);
    EXPECT_EQ(dialog.drawnStates.back(), 0u);

    const QImage selected = list->RenderEntry(3, 100, ODS_SELECTED);
    EXPECT_EQ(selected.pixel(50, 8) & 0xFFFFFF, qRgb(0, 0, 255) & 0xFFFFFF);
}

TEST(OwnerDrawnListTest, TheFaceShowsTheCurrentEntryAsTheDialogDrawsIt)
{
    StylesDialog dialog;
    ASSERT_TRUE(dialog.CreateDialogWindow(nullptr));
    CDialogItem* list = dialog.GetDlgItem(kStyles);
    for (int i = 0; i < 5; ++i)
        list->AddString("");
    list->SetCurSel(4);
    auto* combo = dialog.GetHostWidget()->findChild<QComboBox*>();
    ASSERT_NE(combo, nullptr);
    dialog.drawnStates.clear();
    const QImage face = combo->grab().toImage();
    ASSERT_FALSE(dialog.drawnStates.empty());
    EXPECT_NE(dialog.drawnStates.back() & ODS_COMBOBOXEDIT, 0u);
    // The entry's band lies somewhere in the face's field.
    const QRgb band = Pixel(StylesDialog::EntryColour(4)) & 0xFFFFFF;
    bool found = false;
    for (int x = 0; x < face.width() && !found; ++x)
        found = (face.pixel(x, face.height() / 2) & 0xFFFFFF) == band;
    EXPECT_TRUE(found);
}

TEST(OwnerDrawnListTest, ACustomPlaceIsLeftToTheDialog)
{
    StylesDialog dialog;
    ASSERT_TRUE(dialog.CreateDialogWindow(nullptr));
    EXPECT_EQ(dialog.GetDlgItem(kSwatch), nullptr);
    EXPECT_EQ(dialog.GetTemplateRect(kSwatch), CRect(10, 50, 60, 70));
    EXPECT_EQ(dialog.GetTemplateRect(999), CRect());
}

TEST(FontDialogTest, TheAnswerGivesTheFontAndTheTextColour)
{
    LOGFONT initial{};
    initial.lfHeight = -12;
    SetFaceName(&initial, "Arial");
    CFontDialog dialog(&initial);
    EXPECT_NE(dialog.m_cf.Flags & CF_EFFECTS, 0u);
    EXPECT_NE(dialog.m_cf.Flags & CF_SCREENFONTS, 0u);
    ScopedModalResponder responder([](const ModalRequest& request) -> INT_PTR {
        EXPECT_EQ(request.text, CString("CFontDialog"));
        auto* shown = static_cast<CFontDialog*>(request.dialogObject);
        EXPECT_EQ(shown->m_lf.lfHeight, -12);
        EXPECT_EQ(shown->m_cf.lpLogFont, &shown->m_lf);
        shown->m_lf.lfHeight = -20;
        shown->m_lf.lfWeight = 700;
        shown->m_cf.rgbColors = RGB(200, 0, 0);
        return IDOK;
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    LOGFONT chosen{};
    dialog.GetCurrentFont(&chosen);
    EXPECT_EQ(chosen.lfHeight, -20);
    EXPECT_EQ(chosen.lfWeight, 700);
    EXPECT_EQ(FaceNameOf(chosen), CString("Arial"));
    EXPECT_EQ(dialog.GetColor(), RGB(200, 0, 0));
}

TEST(FontDialogTest, AQtFontBecomesTheLogFontItLooksLike)
{
    QFont font("Liberation Sans");
    font.setPixelSize(18);
    font.setBold(true);
    font.setItalic(true);
    font.setUnderline(true);
    const LOGFONT logFont = LogFontFromQFont(font);
    EXPECT_EQ(logFont.lfHeight, -18);
    EXPECT_EQ(logFont.lfWeight, 700);
    EXPECT_EQ(logFont.lfItalic, 1);
    EXPECT_EQ(logFont.lfUnderline, 1);
    EXPECT_EQ(logFont.lfStrikeOut, 0);
    EXPECT_EQ(FaceNameOf(logFont), CString("Liberation Sans"));

    QFont inPoints("Liberation Sans");
    inPoints.setPointSize(9);
    EXPECT_EQ(LogFontFromQFont(inPoints).lfHeight, -12);
}

TEST(DialogTemplateTest, StaticTextsSharingAnIdAllStay)
{
    DialogTemplate captions;
    captions.id = 9003;
    captions.caption = "Captions";
    captions.size = CSize(200, 80);
    captions.controls = {
        {DialogControlKind::Static, 0xFFFF, CRect(10, 10, 190, 30), "Nolvex Version 1.2"},
        {DialogControlKind::Static, 0xFFFF, CRect(10, 40, 190, 60), "Second line"},
    };
    RegisterDialogTemplate(captions);
    CDialog dialog(9003);
    ASSERT_TRUE(dialog.CreateDialogWindow(nullptr));
    QStringList texts;
    for (const QLabel* label : dialog.GetHostWidget()->findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains("Nolvex Version 1.2"));
    EXPECT_TRUE(texts.contains("Second line"));
}
