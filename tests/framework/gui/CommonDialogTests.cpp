// The system's dialogs run for real, answered with a person's keys and
// clicks: the font dialog opens on the font in use, keeps it on OK without a
// change, and takes a text colour from the colour dialog.

#include "CFont.h"
#include "CFontDialog.h"
#include "ModalSeam.h"
#include "PersonInput.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Waits for a modal dialog other than the one given to show and be active,
// then acts on it; gives up after two seconds.
void WhenModalShows(QWidget* besides, const std::function<void(QWidget*)>& act, int tries = 100)
{
    QTimer::singleShot(20, [besides, act, tries] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal != besides && modal->isActiveWindow()) {
            act(modal);
            return;
        }
        // When a dialog over it closes, the window manager gives the one
        // below the keyboard again; the offscreen platform has none.
        if (modal != nullptr && modal != besides && modal->isVisible())
            modal->activateWindow();
        if (tries > 0)
            WhenModalShows(besides, act, tries - 1);
    });
}

// A click on the OK button of a dialog's button box.
void ClickOk(QWidget* dialog)
{
    for (auto* buttons : dialog->findChildren<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
            ok != nullptr && ok->isVisible()) {
            PersonInput::Click(ok->mapToGlobal(ok->rect().center()));
            return;
        }
}

LOGFONT ArialBold()
{
    LOGFONT font{};
    font.lfHeight = -16;
    font.lfWeight = FW_BOLD;
    SetFaceName(&font, "Arial");
    return font;
}

} // namespace

TEST(FontDialogTest, OpensOnTheFontInUseAndOkWithoutAChangeKeepsIt)
{
    const LOGFONT arial = ArialBold();
    CFontDialog dialog(&arial, CF_SCREENFONTS | CF_EFFECTS);
    QString shownFamily;
    WhenModalShows(nullptr, [&shownFamily](QWidget* modal) {
        if (auto* chooser = modal->findChild<QFontDialog*>())
            shownFamily = chooser->currentFont().family();
        PersonInput::Key(Qt::Key_Return);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    // "Arial" is drawn by its substitute, and the chooser shows that font.
    EXPECT_EQ(shownFamily, QFontInfo(QFont("Arial")).family());
    LOGFONT kept{};
    dialog.GetCurrentFont(&kept);
    EXPECT_EQ(CString(kept.lfFaceName), CString("Arial"));
    EXPECT_EQ(kept.lfHeight, -16);
    EXPECT_EQ(kept.lfWeight, FW_BOLD);
}

TEST(FontDialogTest, ATextColourComesFromTheColourDialog)
{
    const LOGFONT arial = ArialBold();
    CFontDialog dialog(&arial, CF_SCREENFONTS | CF_EFFECTS);
    dialog.m_cf.rgbColors = RGB(0, 0, 0);
    bool colourAsked = false;
    WhenModalShows(nullptr, [&colourAsked](QWidget* fontDialog) {
        // The colour row's button, under "Color:".
        QPushButton* colourButton = nullptr;
        for (QPushButton* button : fontDialog->findChildren<QPushButton*>())
            if (!button->icon().isNull() && button->text().isEmpty())
                colourButton = button;
        if (colourButton == nullptr) {
            PersonInput::Key(Qt::Key_Escape);
            return;
        }
        WhenModalShows(fontDialog, [&colourAsked, fontDialog](QWidget* colourDialog) {
            colourAsked = true;
            if (auto* colours = qobject_cast<QColorDialog*>(colourDialog))
                colours->setCurrentColor(QColor(0, 128, 64));
            // Back in the font dialog, its OK ends it.
            WhenModalShows(colourDialog,
                           [](QWidget* fontDialogAgain) { ClickOk(fontDialogAgain); });
            Q_UNUSED(fontDialog);
            ClickOk(colourDialog);
        });
        PersonInput::Click(colourButton->mapToGlobal(colourButton->rect().center()));
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(colourAsked);
    EXPECT_EQ(dialog.GetColor(), RGB(0, 128, 64));
    LOGFONT kept{};
    dialog.GetCurrentFont(&kept);
    EXPECT_EQ(CString(kept.lfFaceName), CString("Arial"));
}
