// The colour picker of the chart's property dialogs as a person uses it in
// the chart demo: its pop-up takes the keys while open (Escape closes it and
// not the dialog, the arrows move, Enter takes the colour and leaves the
// dialog open), and the colour chosen is the one the chart then draws.

#include "ProgramSession.h"

namespace {

class ColourPopupTest : public ProgramTest
{
protected:
    unsigned long window = 0;
    unsigned long sheet = 0;

    static constexpr QRgb kFastBlue = qRgb(100, 149, 237);

    // The chart demo with its property sheet open on the Curve tab, which
    // edits the first series, "A fast".
    void OpenCurveProperties()
    {
        StartChartDemo();
        window = WaitForWindow("Nolvex chart");
        ASSERT_NE(window, 0u);
        // An empty part of the plot, above the morning's quiet levels.
        const QRect area = Desktop().Geometry(window);
        Desktop().Click(
            QPoint(area.left() + area.width() * 12 / 100, area.top() + area.height() * 22 / 100),
            3);
        Desktop().Settle(300);
        Desktop().Key("i");
        sheet = WaitForOtherWindow(window);
        ASSERT_NE(sheet, 0u) << "no property sheet";
        EXPECT_EQ(Desktop().Title(sheet), QString("Chart Properties"));
        // The Curve tab is the last of the three along the top.
        const QRect box = Desktop().Geometry(sheet);
        Desktop().Click(QPoint(box.left() + box.width() * 5 / 6, box.top() + 12));
        Desktop().Settle(300);
    }
    // The colour button's swatch in the sheet.
    QPoint Swatch(QRgb colour)
    {
        return ScreenSearch::Find(Desktop().Screenshot(), Desktop().Geometry(sheet),
                                  [colour](QRgb pixel) { return pixel == colour; });
    }
};

} // namespace

TEST_F(ColourPopupTest, ThePopUpsKeysAreItsOwnAndItsColourIsDrawn)
{
    OpenCurveProperties();
    QPoint swatch = Swatch(kFastBlue);
    ASSERT_FALSE(swatch.isNull()) << "no swatch of the first curve in the sheet";
    swatch += QPoint(3, 3);

    // Escape closes the pop-up only.
    Desktop().Click(swatch);
    Desktop().Settle(300);
    const QImage open = SaveScreenshot("colour-popup");
    Desktop().Key("Escape");
    Desktop().Settle(300);
    ASSERT_EQ(Windows().size(), 2u) << "Escape in the pop-up closed the sheet";
    EXPECT_EQ(Desktop().Screenshot().pixel(swatch), kFastBlue);

    // The arrows move in the pop-up and Enter takes the colour, leaving the
    // sheet open.
    Desktop().Click(swatch);
    Desktop().Settle(300);
    Desktop().Key("Up");
    Desktop().Key("Left");
    Desktop().Key("Left");
    Desktop().Key("Return");
    Desktop().Settle(300);
    ASSERT_EQ(Windows().size(), 2u) << "Enter in the pop-up ended the sheet";
    const QRgb chosen = Desktop().Screenshot().pixel(swatch);
    EXPECT_NE(chosen, kFastBlue);

    // OK: the chart draws the curve in the chosen colour.
    Desktop().Key("Return");
    ASSERT_TRUE(WaitForOnly(window));
    Desktop().Settle(300);
    SaveScreenshot("colour-chosen");
    const QImage chart = Desktop().Screenshot(Desktop().Geometry(window));
    EXPECT_EQ(ScreenSearch::CountColour(chart, chart.rect(), kFastBlue), 0);
    EXPECT_GT(ScreenSearch::CountColour(chart, chart.rect(), chosen), 50);
}

TEST_F(ColourPopupTest, TheFontDialogTakesATextColourAndKeepsAnUnchangedFont)
{
    StartChartDemo();
    window = WaitForWindow("Nolvex chart");
    ASSERT_NE(window, 0u);
    // The title label lies at (70, 8) - (330, 28) of the chart.
    const QRect area = Desktop().Geometry(window);
    const QRect label(area.left() + 70, area.top() + 8, 260, 20);
    const auto openLabelDialog = [&] {
        // A label's own menu opens after a click on it.
        Desktop().Click(label.center());
        Desktop().Click(label.center() + QPoint(1, 0), 3);
        Desktop().Settle(300);
        Desktop().Key("Down");
        Desktop().Key("Return");
        return WaitForOtherWindow(window);
    };
    const auto openFontDialog = [&](unsigned long labelDialog) {
        // "Font..." lies at (200, 40) - (320, 64) of the label dialog.
        const QRect dialog = Desktop().Geometry(labelDialog);
        Desktop().Click(dialog.topLeft() + QPoint(260, 52));
        unsigned long font = 0;
        XDesktop::WaitUntil([&] {
            for (unsigned long each : Windows())
                if (each != window && each != labelDialog)
                    font = each;
            return font != 0;
        });
        Desktop().Settle(300);
        return font;
    };
    const QImage before = Desktop().Screenshot(label);

    // OK without a change leaves the label's text exactly as it was.
    unsigned long labelDialog = openLabelDialog();
    ASSERT_NE(labelDialog, 0u) << "no label dialog";
    ASSERT_NE(openFontDialog(labelDialog), 0u) << "no font dialog";
    SaveScreenshot("font-dialog");
    Desktop().Key("Return");
    Desktop().Settle(300);
    Desktop().Key("Return");
    ASSERT_TRUE(WaitForOnly(window));
    Desktop().Settle(300);
    EXPECT_EQ(Desktop().Screenshot(label), before) << "the font changed";

    // A text colour chosen in the colour dialog reaches the label.
    labelDialog = openLabelDialog();
    ASSERT_NE(labelDialog, 0u);
    const unsigned long font = openFontDialog(labelDialog);
    ASSERT_NE(font, 0u);
    const QRect box = Desktop().Geometry(font);
    // The colour row's button, under the chooser at the bottom left.
    const QPoint colourButton =
        ScreenSearch::Find(Desktop().Screenshot(), QRect(box.left(), box.bottom() - 80, 200, 80),
                           [](QRgb colour) { return colour == qRgb(0, 0, 0); });
    ASSERT_FALSE(colourButton.isNull());
    Desktop().Click(colourButton + QPoint(6, 4));
    XDesktop::WaitUntil([&] { return Windows().size() == 4; });
    Desktop().Settle(300);
    SaveScreenshot("colour-dialog");
    Desktop().Key("alt+h");
    Desktop().Key("ctrl+a");
    Desktop().Type("#00c000");
    Desktop().Key("Return");
    XDesktop::WaitUntil([&] { return Windows().size() == 3; });
    Desktop().Settle(300);
    EXPECT_TRUE(Program().IsRunning()) << "choosing a colour ended the program";
    // Tab from the colour button to OK, then OK the label dialog.
    Desktop().Key("Tab");
    Desktop().Key("Return");
    Desktop().Settle(300);
    Desktop().Key("Return");
    ASSERT_TRUE(WaitForOnly(window));
    Desktop().Settle(300);
    EXPECT_GT(ScreenSearch::CountColour(Desktop().Screenshot(label), QRect(0, 0, 260, 20),
                                        qRgb(0, 192, 0)),
              10)
        << "the label's text is not in the chosen colour";
}
