// The device context on pixels: the desktop's drawing rules, raster
// operations, brushes, text, state, clipping, copying between contexts and
// printing to a PDF file.

#include "CDC.h"
#include "PdfPages.h"
#include "SystemMetrics.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A white image with a device context drawing on it.
struct Canvas
{
    QImage image;
    CDC dc;
    explicit Canvas(int width = 60, int height = 40) : image(width, height, QImage::Format_RGB32)
    {
        image.fill(Qt::white);
        EXPECT_TRUE(dc.BeginPainting(&image));
    }
    // The pixel at device coordinates, whatever the origins are.
    COLORREF At(int x, int y) const
    {
        const QColor colour(image.pixel(x, y));
        return RGB(colour.red(), colour.green(), colour.blue());
    }
    // The box around every pixel that is not white.
    QRect Ink() const
    {
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != 0xFFFFFFFF)
                    box |= QRect(x, y, 1, 1);
        return box;
    }
    int Count(COLORREF colour) const
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += At(x, y) == colour ? 1 : 0;
        return count;
    }
};

// Fills the image with a pattern that no single operation would produce.
void FillWithPattern(QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 4 % 256, y * 6 % 256, (x * y) % 256));
}

} // namespace

TEST(PixelRuleTest, ALineLeavesOutItsEndPixel)
{
    Canvas canvas;
    CPen pen(PS_SOLID, 1, kRed);
    canvas.dc.SelectObject(&pen);
    canvas.dc.MoveTo(5, 10);
    canvas.dc.LineTo(15, 10);
    EXPECT_EQ(canvas.At(5, 10), kRed);
    EXPECT_EQ(canvas.At(14, 10), kRed);
    EXPECT_EQ(canvas.At(15, 10), kWhite);
    // A vertical line continues from where the last one ended.
    canvas.dc.LineTo(15, 20);
    EXPECT_EQ(canvas.At(15, 10), kRed);
    EXPECT_EQ(canvas.At(15, 19), kRed);
    EXPECT_EQ(canvas.At(15, 20), kWhite);
}

TEST(PixelRuleTest, RectanglesCoverLeftAndTopButNotRightAndBottom)
{
    Canvas canvas;
    CPen pen(PS_SOLID, 1, kBlack);
    CBrush brush(kRed);
    canvas.dc.SelectObject(&pen);
    canvas.dc.SelectObject(&brush);
    canvas.dc.Rectangle(10, 10, 20, 18);
    EXPECT_EQ(canvas.Ink(), QRect(QPoint(10, 10), QPoint(19, 17)));
    EXPECT_EQ(canvas.At(10, 10), kBlack);
    EXPECT_EQ(canvas.At(19, 17), kBlack);
    EXPECT_EQ(canvas.At(11, 11), kRed);
    EXPECT_EQ(canvas.At(18, 16), kRed);

    // A filled rectangle covers exactly right - left by bottom - top pixels.
    Canvas fill;
    const CRect box(3, 4, 13, 9);
    fill.dc.FillSolidRect(&box, kBlue);
    EXPECT_EQ(fill.Ink(), QRect(3, 4, 10, 5));
    EXPECT_EQ(fill.Count(kBlue), 50);
}

TEST(PixelRuleTest, WithoutAPenTheFilledAreaIsOnePixelSmaller)
{
    Canvas canvas;
    CBrush brush(kRed);
    canvas.dc.SelectStockObject(NULL_PEN);
    canvas.dc.SelectObject(&brush);
    canvas.dc.Rectangle(10, 10, 20, 20);
    EXPECT_EQ(canvas.Ink(), QRect(10, 10, 9, 9));

    // The null brush leaves the inside alone.
    Canvas hollow;
    hollow.dc.SelectStockObject(NULL_BRUSH);
    hollow.dc.Rectangle(10, 10, 20, 20);
    EXPECT_EQ(hollow.At(15, 15), kWhite);
    EXPECT_EQ(hollow.At(10, 15), kBlack);
    EXPECT_EQ(hollow.Count(kBlack), 36);
}

TEST(PixelRuleTest, WidePensAndDashedPensKeepTheirShape)
{
    Canvas wide;
    CPen thick(PS_SOLID, 3, kBlack);
    wide.dc.SelectObject(&thick);
    wide.dc.MoveTo(10, 20);
    wide.dc.LineTo(40, 20);
    EXPECT_EQ(wide.At(20, 19), kBlack);
    EXPECT_EQ(wide.At(20, 20), kBlack);
    EXPECT_EQ(wide.At(20, 21), kBlack);
    EXPECT_EQ(wide.At(20, 17), kWhite);
    EXPECT_EQ(wide.At(20, 23), kWhite);

    // A dotted line leaves gaps; a solid one of the same length does not.
    Canvas dotted;
    CPen dots(PS_DOT, 1, kBlack);
    dotted.dc.SelectObject(&dots);
    dotted.dc.MoveTo(0, 5);
    dotted.dc.LineTo(50, 5);
    const int inked = dotted.Count(kBlack);
    EXPECT_GT(inked, 10);
    EXPECT_LT(inked, 45);
}

TEST(RasterOperationTest, ANotXorLineDrawnTwiceRestoresEveryPixel)
{
    Canvas canvas;
    FillWithPattern(canvas.image);
    const QImage before = canvas.image.copy();
    CPen pen(PS_SOLID, 1, kBlack);
    canvas.dc.SelectObject(&pen);
    canvas.dc.SetROP2(R2_NOTXORPEN);
    for (int pass = 0; pass < 2; ++pass) {
        canvas.dc.MoveTo(2, 3);
        canvas.dc.LineTo(50, 30);
        canvas.dc.MoveTo(20, 0);
        canvas.dc.LineTo(20, 39);
        if (pass == 0) {
            EXPECT_NE(canvas.image, before);
        }
    }
    EXPECT_EQ(canvas.image, before);
}

TEST(RasterOperationTest, NotXorWithABlackPenInvertsWhatLiesUnderIt)
{
    Canvas canvas;
    CPen pen(PS_SOLID, 1, kBlack);
    canvas.dc.SelectObject(&pen);
    canvas.dc.SetROP2(R2_NOTXORPEN);
    canvas.dc.MoveTo(0, 10);
    canvas.dc.LineTo(30, 10);
    EXPECT_EQ(canvas.At(5, 10), kBlack);
    canvas.dc.SetROP2(R2_COPYPEN);
    canvas.dc.FillSolidRect(0, 20, 30, 1, kBlack);
    canvas.dc.SetROP2(R2_NOTXORPEN);
    canvas.dc.MoveTo(0, 20);
    canvas.dc.LineTo(30, 20);
    EXPECT_EQ(canvas.At(5, 20), kWhite);
}

TEST(RasterOperationTest, APatternInversionWithTheHalftoneBrushUndoesItself)
{
    Canvas canvas;
    FillWithPattern(canvas.image);
    const QImage before = canvas.image.copy();
    CBrush* old = canvas.dc.SelectObject(CDC::GetHalftoneBrush());
    canvas.dc.PatBlt(5, 5, 30, 4, PATINVERT);
    const QImage once = canvas.image.copy();
    EXPECT_NE(once, before);
    // Every other pixel changes: the halftone is a checkerboard.
    EXPECT_NE(once.pixel(5, 5) == before.pixel(5, 5), once.pixel(6, 5) == before.pixel(6, 5));
    EXPECT_EQ(once.pixel(4, 5), before.pixel(4, 5));
    EXPECT_EQ(once.pixel(5, 9), before.pixel(5, 9));
    canvas.dc.PatBlt(5, 5, 30, 4, PATINVERT);
    canvas.dc.SelectObject(old);
    EXPECT_EQ(canvas.image, before);
}

TEST(RasterOperationTest, AFocusRectangleDrawnTwiceIsGone)
{
    Canvas canvas;
    FillWithPattern(canvas.image);
    const QImage before = canvas.image.copy();
    const CRect box(4, 6, 30, 20);
    canvas.dc.DrawFocusRect(&box);
    EXPECT_NE(canvas.image, before);
    // Only the frame changes.
    EXPECT_EQ(canvas.image.pixel(15, 12), before.pixel(15, 12));
    EXPECT_EQ(canvas.image.pixel(30, 6), before.pixel(30, 6));
    canvas.dc.DrawFocusRect(&box);
    EXPECT_EQ(canvas.image, before);
}

TEST(BrushTest, HatchesFillTheirGapsWithTheBackgroundOnlyWhenOpaque)
{
    CBrush hatch(HS_CROSS, kRed);
    const CRect box(0, 0, 30, 30);

    Canvas opaque;
    opaque.dc.SetBkColor(kBlue);
    opaque.dc.SetBkMode(OPAQUE);
    opaque.dc.FillRect(&box, &hatch);
    const int opaqueRed = opaque.Count(kRed);
    EXPECT_GT(opaqueRed, 0);
    EXPECT_EQ(opaque.Count(kBlue), 900 - opaqueRed);

    Canvas transparent;
    transparent.dc.SetBkColor(kBlue);
    transparent.dc.SetBkMode(TRANSPARENT);
    transparent.dc.FillRect(&box, &hatch);
    EXPECT_EQ(transparent.Count(kRed), opaqueRed);
    EXPECT_EQ(transparent.Count(kBlue), 0);
    EXPECT_EQ(transparent.Count(kWhite), 60 * 40 - opaqueRed);
}

TEST(RasterOperationTest, ATransparentHatchedNotXorFillLeavesItsGapsAlone)
{
    Canvas canvas;
    FillWithPattern(canvas.image);
    const QImage before = canvas.image.copy();
    CBrush hatch(HS_BDIAGONAL, kBlack);
    CPen noPen(PS_NULL, 1, kBlack);
    canvas.dc.SelectObject(&hatch);
    canvas.dc.SelectObject(&noPen);
    canvas.dc.SetBkMode(TRANSPARENT);
    canvas.dc.SetROP2(R2_NOTXORPEN);
    const POINT triangle[] = {{2, 2}, {50, 2}, {2, 36}};
    canvas.dc.Polygon(triangle, 3);
    // The hatch lines invert what lies under them; the gaps between them
    // keep it.
    int changed = 0;
    int kept = 0;
    for (int y = 4; y < 20; ++y)
        for (int x = 4; x < 20; ++x) {
            const QRgb now = canvas.image.pixel(x, y);
            const QRgb was = before.pixel(x, y);
            if (now == was) {
                ++kept;
            } else {
                ++changed;
                EXPECT_EQ(now & 0xFFFFFF, ~was & 0xFFFFFF) << x << "," << y;
            }
        }
    EXPECT_GT(changed, 16);
    EXPECT_GT(kept, 3 * changed);
    canvas.dc.Polygon(triangle, 3);
    EXPECT_EQ(canvas.image, before);
}

TEST(BrushTest, ThreeDimensionalFramesAndEdgesUseTheirTwoColours)
{
    Canvas canvas;
    canvas.dc.Draw3dRect(10, 10, 20, 10, kRed, kBlue);
    EXPECT_EQ(canvas.At(10, 10), kRed);
    EXPECT_EQ(canvas.At(28, 10), kRed);
    EXPECT_EQ(canvas.At(10, 18), kRed);
    EXPECT_EQ(canvas.At(29, 19), kBlue);
    EXPECT_EQ(canvas.At(29, 11), kBlue);
    EXPECT_EQ(canvas.At(11, 19), kBlue);
    EXPECT_EQ(canvas.At(15, 15), kWhite);
    EXPECT_EQ(canvas.Ink(), QRect(10, 10, 20, 10));

    // A sunken edge: shadow above and left, highlight below and right; with
    // BF_ADJUST the rectangle shrinks by both lines of the edge.
    Canvas edge;
    CRect box(5, 5, 25, 25);
    edge.dc.DrawEdge(&box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    EXPECT_EQ(box, CRect(7, 7, 23, 23));
    EXPECT_EQ(edge.At(5, 5), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(edge.At(24, 24), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(edge.At(6, 6), GetSysColor(COLOR_3DDKSHADOW));
}

TEST(BrushTest, ACheckedCheckBoxHasATickAndAnUncheckedOneIsEmpty)
{
    Canvas unchecked;
    CRect box(10, 10, 23, 23);
    unchecked.dc.DrawFrameControl(&box, DFC_BUTTON, DFCS_BUTTONCHECK);
    Canvas checked;
    CRect box2(10, 10, 23, 23);
    checked.dc.DrawFrameControl(&box2, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    int darkInside = 0;
    for (int y = 12; y < 21; ++y)
        for (int x = 12; x < 21; ++x) {
            EXPECT_EQ(unchecked.At(x, y), GetSysColor(COLOR_WINDOW));
            darkInside += checked.At(x, y) == kBlack ? 1 : 0;
        }
    EXPECT_GT(darkInside, 10);
}

TEST(TextTest, FontHeightsAreCharacterHeightsWhenNegativeAndCellHeightsWhenPositive)
{
    Canvas canvas;
    CFont character;
    character.CreateFont(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    canvas.dc.SelectObject(&character);
    TEXTMETRIC metrics{};
    canvas.dc.GetTextMetrics(&metrics);
    EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 20);
    EXPECT_GT(metrics.tmHeight, 20);

    CFont cell;
    cell.CreateFont(20, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    canvas.dc.SelectObject(&cell);
    canvas.dc.GetTextMetrics(&metrics);
    EXPECT_NEAR(metrics.tmHeight, 20, 1);
    EXPECT_LT(metrics.tmHeight - metrics.tmInternalLeading, 20);
}

TEST(TextTest, BoldTextIsWiderThanNormalText)
{
    Canvas canvas;
    CFont normal;
    normal.CreateFont(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    CFont bold;
    bold.CreateFont(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    canvas.dc.SelectObject(&normal);
    const CSize normalExtent = canvas.dc.GetTextExtent("Sound Level");
    canvas.dc.SelectObject(&bold);
    const CSize boldExtent = canvas.dc.GetTextExtent("Sound Level");
    EXPECT_GT(boldExtent.cx, normalExtent.cx);
    EXPECT_EQ(boldExtent.cy, normalExtent.cy);
}

TEST(TextTest, MeasuringADrawnLineGivesItsExtent)
{
    Canvas canvas;
    CFont font;
    font.CreateFont(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    canvas.dc.SelectObject(&font);
    const CString text("LAeq 85.3 dB");
    CRect measured(200, 200, 210, 210);
    const int height = canvas.dc.DrawText(text, &measured, DT_CALCRECT);
    const CSize extent = canvas.dc.GetTextExtent(text);
    EXPECT_EQ(measured.left, 200);
    EXPECT_EQ(measured.top, 200);
    EXPECT_EQ(measured.Width(), extent.cx);
    EXPECT_EQ(measured.Height(), extent.cy);
    EXPECT_EQ(height, extent.cy);
    // Measuring draws nothing.
    EXPECT_EQ(canvas.Ink(), QRect());

    // Several lines: one line height each, as wide as the widest.
    CRect lines(0, 0, 1, 1);
    canvas.dc.DrawText(CString("a\nLAeq 85.3 dB\nb"), &lines, DT_CALCRECT);
    EXPECT_EQ(lines.Height(), 3 * extent.cy);
    EXPECT_EQ(lines.Width(), extent.cx);
}

TEST(TextTest, WordBreakingWrapsAtSpacesWithinTheWidth)
{
    Canvas canvas;
    const CString text("the quick brown fox jumps over the lazy dog");
    const CSize oneLine = canvas.dc.GetTextExtent(text);
    CRect box(0, 0, oneLine.cx / 3, 1);
    canvas.dc.DrawText(text, &box, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GE(box.Height(), 3 * oneLine.cy);
    EXPECT_LE(box.Width(), oneLine.cx / 3);

    // Drawn, the wrapped text stays inside the box and fills several lines.
    CRect target(2, 2, 2 + oneLine.cx / 3, 38);
    canvas.dc.DrawText(text, &target, DT_WORDBREAK);
    const QRect ink = canvas.Ink();
    EXPECT_GT(ink.height(), 2 * oneLine.cy);
    EXPECT_LE(ink.right(), target.right - 1);
}

TEST(TextTest, AnEllipsisKeepsTheTextInsideItsBox)
{
    Canvas clipped;
    const CString text("Projected dose over eight hours");
    CRect box(0, 0, 40, 20);
    clipped.dc.SetBkMode(TRANSPARENT);
    clipped.dc.DrawText(text, &box, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    EXPECT_LE(clipped.Ink().right(), 39);

    // Without the ellipsis and without clipping, the text runs on.
    Canvas running;
    CRect box2(0, 0, 40, 20);
    running.dc.SetBkMode(TRANSPARENT);
    running.dc.DrawText(text, &box2, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(running.Ink().right(), 40);
}

TEST(TextTest, AlignmentPlacesTheTextAroundThePoint)
{
    Canvas left;
    left.dc.SetBkMode(TRANSPARENT);
    left.dc.TextOut(30, 20, "Wg");
    EXPECT_GE(left.Ink().left(), 30);
    EXPECT_GE(left.Ink().top(), 20);

    Canvas rightBottom;
    rightBottom.dc.SetBkMode(TRANSPARENT);
    rightBottom.dc.SetTextAlign(TA_RIGHT | TA_BOTTOM);
    rightBottom.dc.TextOut(30, 20, "Wg");
    EXPECT_LE(rightBottom.Ink().right(), 29);
    EXPECT_LE(rightBottom.Ink().bottom(), 19);

    Canvas centre;
    centre.dc.SetBkMode(TRANSPARENT);
    centre.dc.SetTextAlign(TA_CENTER | TA_TOP);
    centre.dc.TextOut(30, 10, "WWWW");
    const QRect ink = centre.Ink();
    EXPECT_NEAR(ink.center().x(), 30, 2);
}

TEST(TextTest, OpaqueTextPaintsTheBackgroundColourBehindIt)
{
    Canvas opaque;
    opaque.dc.SetBkColor(kBlue);
    opaque.dc.TextOut(5, 5, "dB");
    const CSize extent = opaque.dc.GetTextExtent("dB");
    EXPECT_EQ(opaque.At(5, 5), kBlue);
    EXPECT_EQ(opaque.At(5 + extent.cx - 1, 5 + extent.cy - 1), kBlue);
    EXPECT_EQ(opaque.At(5 + extent.cx, 5), kWhite);

    Canvas transparent;
    transparent.dc.SetBkColor(kBlue);
    transparent.dc.SetBkMode(TRANSPARENT);
    transparent.dc.TextOut(5, 5, "dB");
    EXPECT_EQ(transparent.Count(kBlue), 0);
}

TEST(TextTest, TransparentTextStaysTransparentAfterShapesDrawnOpaque)
{
    // A rectangle drawn while the mode is opaque, then text after switching
    // to transparent, as a list draws its box and then its label: no
    // background may show behind the text.
    for (bool drawText : {true, false}) {
        Canvas canvas;
        canvas.dc.FillSolidRect(0, 0, 60, 40, kRed);
        canvas.dc.SetBkColor(kBlue);
        CPen pen(PS_DOT, 1, kBlack);
        canvas.dc.SelectObject(&pen);
        canvas.dc.Rectangle(40, 30, 50, 38);
        canvas.dc.SetBkMode(TRANSPARENT);
        canvas.dc.SetTextColor(kWhite);
        if (drawText) {
            CRect box(2, 2, 40, 20);
            canvas.dc.DrawText("Sawmill", &box, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        } else {
            canvas.dc.TextOut(2, 2, "Sawmill");
        }
        // Only the dotted frame's gaps may show the background colour.
        int blueOutsideFrame = 0;
        for (int y = 0; y < 28; ++y)
            for (int x = 0; x < 40; ++x)
                blueOutsideFrame += canvas.At(x, y) == kBlue ? 1 : 0;
        EXPECT_EQ(blueOutsideFrame, 0) << (drawText ? "DrawText" : "TextOut");
        EXPECT_GT(canvas.Count(kWhite), 0);
    }
}

TEST(TextTest, EscapementTurnsTheTextUpwards)
{
    Canvas canvas(40, 120);
    CFont upright;
    upright.CreateFont(-14, 0, 900, 900, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    canvas.dc.SelectObject(&upright);
    canvas.dc.SetBkMode(TRANSPARENT);
    canvas.dc.TextOut(5, 110, "Level (dB)");
    const QRect ink = canvas.Ink();
    ASSERT_FALSE(ink.isEmpty());
    // Turned a quarter counter-clockwise, the text rises from its point and
    // its top (on the left) starts at x.
    EXPECT_GT(ink.height(), 3 * ink.width());
    EXPECT_LE(ink.bottom(), 110);
    EXPECT_GE(ink.left(), 5);
    EXPECT_LE(ink.right(), 5 + 16);
}

TEST(StateTest, RestoringASavedStateBringsBackObjectsColoursAndOrigin)
{
    Canvas canvas;
    CPen red(PS_SOLID, 1, kRed);
    const int level = canvas.dc.SaveDC();
    CPen* defaultPen = canvas.dc.SelectObject(&red);
    canvas.dc.SetTextColor(kBlue);
    canvas.dc.SetBkMode(TRANSPARENT);
    canvas.dc.SetWindowOrg(10, 10);
    canvas.dc.IntersectClipRect(0, 0, 5, 5);
    EXPECT_TRUE(canvas.dc.RestoreDC(level));
    // Selecting or setting again gives back what the restore brought.
    EXPECT_EQ(canvas.dc.SelectObject(defaultPen), defaultPen);
    EXPECT_EQ(canvas.dc.SetTextColor(kBlack), kBlack);
    EXPECT_EQ(canvas.dc.GetBkMode(), OPAQUE);
    // The window origin is back at the device's corner.
    canvas.dc.SetPixel(1, 1, kRed);
    EXPECT_EQ(canvas.At(1, 1), kRed);
    CRect clip;
    canvas.dc.GetClipBox(&clip);
    EXPECT_EQ(clip, CRect(0, 0, 60, 40));
    // Drawing afterwards is neither moved nor clipped.
    canvas.dc.SetPixel(50, 30, kRed);
    EXPECT_EQ(canvas.At(50, 30), kRed);
    // Nothing is left to restore.
    EXPECT_FALSE(canvas.dc.RestoreDC(-1));
}

TEST(StateTest, NestedSavesRestoreInTurn)
{
    Canvas canvas;
    canvas.dc.SetTextColor(kRed);
    canvas.dc.SaveDC();
    canvas.dc.SetTextColor(kBlue);
    canvas.dc.SaveDC();
    canvas.dc.SetTextColor(kWhite);
    canvas.dc.RestoreDC(-1);
    EXPECT_EQ(canvas.dc.SetTextColor(kBlue), kBlue);
    canvas.dc.RestoreDC(-1);
    EXPECT_EQ(canvas.dc.SetTextColor(kRed), kRed);
}

TEST(StateTest, TheWindowOriginMovesEveryLogicalCoordinate)
{
    Canvas canvas;
    canvas.dc.SetWindowOrg(10, 5);
    canvas.dc.SetPixel(10, 5, kRed);
    EXPECT_EQ(canvas.At(0, 0), kRed);
    CRect box(12, 7, 14, 9);
    canvas.dc.FillSolidRect(&box, kBlue);
    EXPECT_EQ(canvas.At(2, 2), kBlue);
    EXPECT_EQ(canvas.At(3, 3), kBlue);
    EXPECT_EQ(canvas.At(4, 4), kWhite);
    // The clip box is reported in logical coordinates.
    CRect clip;
    canvas.dc.GetClipBox(&clip);
    EXPECT_EQ(clip, CRect(10, 5, 70, 45));
}

TEST(ClipTest, DrawingStaysInsideTheClipUntilItIsRemoved)
{
    Canvas canvas;
    canvas.dc.IntersectClipRect(10, 10, 20, 20);
    CRect clip;
    EXPECT_EQ(canvas.dc.GetClipBox(&clip), SIMPLEREGION);
    EXPECT_EQ(clip, CRect(10, 10, 20, 20));
    const CRect everything(0, 0, 60, 40);
    canvas.dc.FillSolidRect(&everything, kRed);
    EXPECT_EQ(canvas.Ink(), QRect(10, 10, 10, 10));

    // A second clip narrows the first.
    canvas.dc.IntersectClipRect(15, 0, 60, 40);
    canvas.dc.GetClipBox(&clip);
    EXPECT_EQ(clip, CRect(15, 10, 20, 20));

    canvas.dc.SelectClipRgn(nullptr);
    canvas.dc.FillSolidRect(&everything, kBlue);
    EXPECT_EQ(canvas.Count(kBlue), 60 * 40);
}

TEST(ClipTest, AnEmptyClipDrawsNothing)
{
    Canvas canvas;
    EXPECT_EQ(canvas.dc.IntersectClipRect(10, 10, 10, 20), NULLREGION);
    const CRect everything(0, 0, 60, 40);
    canvas.dc.FillSolidRect(&everything, kRed);
    EXPECT_EQ(canvas.Count(kRed), 0);
}

TEST(CopyTest, BitBltCopiesFromAMemoryContextAndStretchBltScales)
{
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&memory, 4, 4));
    CBitmap* old = memory.SelectObject(&bitmap);
    const CRect all(0, 0, 4, 4);
    memory.FillSolidRect(&all, kRed);
    memory.SetPixel(0, 0, kBlue);

    Canvas canvas;
    canvas.dc.BitBlt(10, 10, 4, 4, &memory, 0, 0, SRCCOPY);
    EXPECT_EQ(canvas.At(10, 10), kBlue);
    EXPECT_EQ(canvas.At(13, 13), kRed);
    EXPECT_EQ(canvas.Ink(), QRect(10, 10, 4, 4));

    // A part of the source, from an offset.
    Canvas part;
    part.dc.BitBlt(0, 0, 2, 2, &memory, 2, 2, SRCCOPY);
    EXPECT_EQ(part.Ink(), QRect(0, 0, 2, 2));
    EXPECT_EQ(part.Count(kRed), 4);

    Canvas stretched;
    stretched.dc.StretchBlt(0, 0, 16, 16, &memory, 0, 0, 4, 4, SRCCOPY);
    EXPECT_EQ(stretched.Ink(), QRect(0, 0, 16, 16));
    EXPECT_EQ(stretched.Count(kBlue), 16);
    EXPECT_EQ(stretched.At(3, 3), kBlue);
    EXPECT_EQ(stretched.At(4, 4), kRed);
    memory.SelectObject(old);
}

TEST(CopyTest, TheBitmapSelectedIntoAMemoryContextHoldsWhatWasDrawn)
{
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&memory, 8, 2));
    CBitmap* old = memory.SelectObject(&bitmap);
    memory.SetPixel(1, 0, RGB(10, 20, 30));
    memory.SelectObject(old);
    BITMAP info{};
    bitmap.GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 8);
    EXPECT_EQ(info.bmHeight, 2);
    std::vector<unsigned char> bits(static_cast<std::size_t>(info.bmWidthBytes * info.bmHeight));
    ASSERT_EQ(bitmap.GetBitmapBits(static_cast<DWORD>(bits.size()), bits.data()), bits.size());
    // Blue, green, red of pixel 1 of the top row.
    EXPECT_EQ(bits[4], 30);
    EXPECT_EQ(bits[5], 20);
    EXPECT_EQ(bits[6], 10);
}

TEST(DeviceTest, TheScreenIsNinetySixDotsPerInchInTrueColour)
{
    CDC screen;
    ASSERT_TRUE(screen.CreateScreenDC());
    EXPECT_EQ(screen.GetDeviceCaps(LOGPIXELSX), 96);
    EXPECT_EQ(screen.GetDeviceCaps(LOGPIXELSY), 96);
    EXPECT_EQ(screen.GetDeviceCaps(NUMCOLORS), -1);
    EXPECT_GT(screen.GetDeviceCaps(HORZRES), 0);
    Canvas canvas(123, 45);
    EXPECT_EQ(canvas.dc.GetDeviceCaps(HORZRES), 123);
    EXPECT_EQ(canvas.dc.GetDeviceCaps(VERTRES), 45);
    EXPECT_FALSE(canvas.dc.IsPrinting());
}

TEST(DeviceTest, AnAttributeContextAnswersForItsOutput)
{
    QTemporaryDir directory;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(directory.filePath("caps.pdf"));
    printer.setResolution(300);
    CDC printerDC;
    ASSERT_TRUE(printerDC.AttachPrinter(&printer));
    Canvas preview;
    preview.dc.SetAttribDC(&printerDC);
    EXPECT_EQ(preview.dc.GetDeviceCaps(LOGPIXELSX), 300);
    EXPECT_EQ(preview.dc.GetOutputDeviceCaps(LOGPIXELSX), 96);
    // An A4 or letter page at 300 dpi is some 2400 to 2600 dots across.
    EXPECT_GT(printerDC.GetDeviceCaps(HORZRES), 2300);
    EXPECT_LT(printerDC.GetDeviceCaps(HORZRES), printerDC.GetDeviceCaps(VERTRES));
}

TEST(PrintTest, APrinterContextWritesAReadablePdfWithTheTextInIt)
{
    QTemporaryDir directory;
    const QString path = directory.filePath("chart.pdf");
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setResolution(600);
        CDC dc;
        ASSERT_TRUE(dc.AttachPrinter(&printer));
        dc.m_bPrinting = TRUE;
        DOCINFO info{};
        info.cbSize = sizeof(DOCINFO);
        info.lpszDocName = u"Nolvex";
        ASSERT_GT(dc.StartDoc(&info), 0);
        ASSERT_GT(dc.StartPage(), 0);
        CFont font;
        font.CreateFont(-100, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0,
                        "Times New Roman");
        dc.SelectObject(&font);
        dc.TextOut(300, 300, "Noise dose 42 %");
        CPen pen(PS_SOLID, 6, kBlack);
        dc.SelectObject(&pen);
        dc.MoveTo(300, 600);
        dc.LineTo(3000, 600);
        // Inversion degrades to plain drawing on paper instead of failing.
        EXPECT_TRUE(dc.PatBlt(300, 700, 600, 60, PATINVERT));
        EXPECT_GT(dc.EndPage(), 0);
        EXPECT_GT(dc.EndDoc(), 0);
        EXPECT_TRUE(dc.IsPrinting());
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_TRUE(content.startsWith("%PDF"));
    // The face was substituted by the metric-compatible serif and embedded.
    EXPECT_TRUE(content.contains("LiberationSerif"));
    EXPECT_TRUE(content.trimmed().endsWith("%%EOF"));
}

TEST(PrintTest, InvertingShapesOnPaperLeaveWhatLiesUnderThemVisible)
{
    // Paper has no raster operations: a shape drawn to invert what lies
    // under it is drawn half transparent there, not as an opaque cover.
    QTemporaryDir directory;
    const QString path = directory.filePath("inverted.pdf");
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setResolution(96);
        // Page coordinates from the paper's corner, as the rasteriser's.
        printer.setFullPage(true);
        CDC dc;
        ASSERT_TRUE(dc.AttachPrinter(&printer));
        DOCINFO info{};
        info.cbSize = sizeof(DOCINFO);
        ASSERT_GT(dc.StartDoc(&info), 0);
        ASSERT_GT(dc.StartPage(), 0);
        dc.FillSolidRect(100, 100, 200, 20, kBlue);
        CBrush red(kRed);
        CPen noPen(PS_NULL, 1, kBlack);
        dc.SelectObject(&red);
        dc.SelectObject(&noPen);
        dc.SetROP2(R2_NOTXORPEN);
        dc.Rectangle(150, 50, 250, 200);
        dc.SetROP2(R2_COPYPEN);
        // Plain drawing after it is opaque again.
        dc.Rectangle(260, 50, 280, 200);
        EXPECT_GT(dc.EndPage(), 0);
        EXPECT_GT(dc.EndDoc(), 0);
    }
    const QImage page = PdfPages::FirstPage(path, 96);
    ASSERT_FALSE(page.isNull()) << "pdftoppm could not rasterise the page";
    const QColor blueUnderRed = page.pixelColor(200, 110);
    const QColor redAlone = page.pixelColor(200, 150);
    const QColor plainRed = page.pixelColor(270, 110);
    // The blue bar shows through the red: purple, not red.
    EXPECT_GT(blueUnderRed.blue(), 80);
    EXPECT_GT(blueUnderRed.red(), 80);
    // Over white the shape is still clearly red.
    EXPECT_GT(redAlone.red(), 200);
    EXPECT_LT(redAlone.green(), 200);
    EXPECT_EQ(plainRed, QColor(255, 0, 0));
}

TEST(PrintTest, PagesCanOnlyBeStartedInsideADocument)
{
    QTemporaryDir directory;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(directory.filePath("pages.pdf"));
    CDC dc;
    ASSERT_TRUE(dc.AttachPrinter(&printer));
    EXPECT_LE(dc.StartPage(), 0);
    DOCINFO info{};
    info.cbSize = sizeof(DOCINFO);
    ASSERT_GT(dc.StartDoc(&info), 0);
    EXPECT_GT(dc.StartPage(), 0);
    EXPECT_GT(dc.EndPage(), 0);
    EXPECT_GT(dc.StartPage(), 0);
    EXPECT_GT(dc.EndPage(), 0);
    EXPECT_GT(dc.EndDoc(), 0);
    QFile file(directory.filePath("pages.pdf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("/Type /Page\n") + 0, 2);
}
