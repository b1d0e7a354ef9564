// The chart's drawing context: printer scale factors, the few-colours rule,
// scaled drawing and selectors, the symbol shapes on pixels, double
// buffering and the stored picture bitmap.

#include "BitmapEx.h"
#include "BrushSelector.h"
#include "CArchive.h"
#include "CFile.h"
#include "CMemFile.h"
#include "DCEx.h"
#include "Exceptions.h"
#include "FontSelector.h"
#include "MemDC.h"
#include "PenSelector.h"
#include "QuickFont.h"
#include "SymbolShapes.h"

#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

// A white image with a device context drawing on it.
struct Canvas
{
    QImage image;
    CDCEx dc;
    explicit Canvas(int width = 40, int height = 40) : image(width, height, QImage::Format_RGB32)
    {
        image.fill(Qt::white);
        EXPECT_TRUE(dc.BeginPainting(&image));
    }
    QRgb At(int x, int y)
    {
        dc.EndPainting();
        return image.pixel(x, y);
    }
};

// A PDF printer at a resolution, started so that it can be asked.
struct Printer
{
    QTemporaryDir directory;
    QPrinter printer{QPrinter::HighResolution};
    CDCEx dc;
    explicit Printer(int dpi, QPrinter::ColorMode mode = QPrinter::Color)
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(directory.filePath("out.pdf"));
        printer.setResolution(dpi);
        printer.setColorMode(mode);
        dc.AttachPrinter(&printer);
        DOCINFO info{};
        info.cbSize = sizeof(DOCINFO);
        info.lpszDocName = u"Graph";
        EXPECT_GT(dc.StartDoc(&info), 0);
    }
    ~Printer() { dc.EndDoc(); }
};

} // namespace

TEST(ScaleFactorTest, APrinterAt600DpiScalesScreenPixelsBySixAndAQuarter)
{
    Printer printer(600);
    printer.dc.ComputeScaleFactors();
    EXPECT_FLOAT_EQ(printer.dc.m_scaleX, 6.25f);
    EXPECT_FLOAT_EQ(printer.dc.m_scaleY, 6.25f);
}

TEST(ScaleFactorTest, EqualResolutionsGiveExactlyOneAndLowerOnesStayAboveOne)
{
    Canvas canvas;
    canvas.dc.ComputeScaleFactors();
    EXPECT_EQ(canvas.dc.m_scaleX, 1.0f);
    EXPECT_EQ(canvas.dc.m_scaleY, 1.0f);

    Printer coarse(48);
    coarse.dc.ComputeScaleFactors();
    EXPECT_FLOAT_EQ(coarse.dc.m_scaleX, 2.0f);
}

TEST(WhiteBackgroundTest, TrueColourDevicesKeepTheirColoursAndGreyPrintersDoNot)
{
    Printer colour(300);
    EXPECT_EQ(colour.dc.GetOutputDeviceCaps(NUMCOLORS), -1);
    colour.dc.ComputeWhiteBackground();
    EXPECT_FALSE(colour.dc.m_whiteBackground);

    Printer grey(300, QPrinter::GrayScale);
    grey.dc.ComputeWhiteBackground();
    EXPECT_TRUE(grey.dc.m_whiteBackground);

    Canvas screen;
    screen.dc.ComputeWhiteBackground();
    EXPECT_FALSE(screen.dc.m_whiteBackground);
}

TEST(WhiteBackgroundTest, ASeparateAttributeDeviceCountsAsFewBelowThreeColours)
{
    // A preview draws on the screen with the printer answering for it.
    Printer grey(300, QPrinter::GrayScale);
    Canvas preview;
    preview.dc.SetAttribDC(&grey.dc);
    preview.dc.ComputeWhiteBackground();
    EXPECT_TRUE(preview.dc.m_whiteBackground);
    EXPECT_EQ(preview.dc.GetDeviceCaps(LOGPIXELSX), 300);

    Printer colour(300);
    preview.dc.SetAttribDC(&colour.dc);
    preview.dc.ComputeWhiteBackground();
    EXPECT_FALSE(preview.dc.m_whiteBackground);
}

TEST(ScaledDrawingTest, EveryCoordinateIsMultipliedAndTruncated)
{
    Canvas canvas;
    canvas.dc.m_scaled = true;
    canvas.dc.m_scaleX = 2.0f;
    canvas.dc.m_scaleY = 2.5f;
    const CRect rect(1, 1, 3, 3);
    canvas.dc.FillSolidRect(&rect, RGB(0, 0, 0));
    // x 2..5 and y 2 (2.5 truncated) to 7 (7.5 truncated) - 1.
    EXPECT_EQ(canvas.At(2, 2), kBlack);
    EXPECT_EQ(canvas.At(5, 6), kBlack);
    EXPECT_EQ(canvas.At(6, 6), kWhite);
    EXPECT_EQ(canvas.At(5, 7), kWhite);
    EXPECT_EQ(canvas.At(1, 1), kWhite);
}

TEST(ScaledDrawingTest, AnUnscaledClipIsTakenAsGiven)
{
    Canvas scaled;
    scaled.dc.m_scaled = true;
    scaled.dc.m_scaleX = scaled.dc.m_scaleY = 2.0f;
    scaled.dc.IntersectClipRect(0, 0, 5, 5);
    scaled.dc.CDC::FillSolidRect(0, 0, 40, 40, RGB(0, 0, 0));
    EXPECT_EQ(scaled.At(9, 9), kBlack);
    EXPECT_EQ(scaled.At(10, 10), kWhite);

    Canvas unscaled;
    unscaled.dc.m_scaled = true;
    unscaled.dc.m_unscaledClip = true;
    unscaled.dc.m_scaleX = unscaled.dc.m_scaleY = 2.0f;
    unscaled.dc.IntersectClipRect(0, 0, 5, 5);
    unscaled.dc.CDC::FillSolidRect(0, 0, 40, 40, RGB(0, 0, 0));
    EXPECT_EQ(unscaled.At(4, 4), kBlack);
    EXPECT_EQ(unscaled.At(5, 5), kWhite);
}

namespace {

// The pen and the brush selected now: selecting another gives them back.
CPen* SelectedPen(CDC& dc)
{
    CPen probe;
    CPen* selected = dc.SelectObject(&probe);
    dc.SelectObject(selected);
    return selected;
}

CBrush* SelectedBrush(CDC& dc)
{
    CBrush probe;
    CBrush* selected = dc.SelectObject(&probe);
    dc.SelectObject(selected);
    return selected;
}

} // namespace

TEST(SelectorTest, PensFollowTheScaleAndEverythingIsPutBack)
{
    Canvas canvas;
    CPen* original = SelectedPen(canvas.dc);
    CBrush* originalBrush = SelectedBrush(canvas.dc);
    canvas.dc.m_scaled = true;
    canvas.dc.m_scaleX = 3.0f;
    {
        CPenSelector solid(&canvas.dc, RGB(255, 0, 0), 2);
        EXPECT_EQ(SelectedPen(canvas.dc)->m_width, 6);
        EXPECT_EQ(SelectedPen(canvas.dc)->m_colour, RGB(255, 0, 0));
        {
            CPenSelector dotted(&canvas.dc, RGB(0, 0, 0), 2, PS_DOT);
            EXPECT_EQ(SelectedPen(canvas.dc)->m_width, 2);
        }
        EXPECT_EQ(SelectedPen(canvas.dc)->m_width, 6);
        CBrushSelector hatch(&canvas.dc, HS_CROSS, RGB(0, 0, 255));
        EXPECT_EQ(SelectedBrush(canvas.dc)->m_kind, CBrush::hatched);
        EXPECT_EQ(SelectedBrush(canvas.dc)->m_hatch, HS_CROSS);
    }
    EXPECT_EQ(SelectedPen(canvas.dc), original);
    EXPECT_EQ(SelectedBrush(canvas.dc), originalBrush);
}

TEST(SelectorTest, FontsAreRescaledForThePrinterOnlyWhenAsked)
{
    Canvas canvas;
    CQuickFont font("Arial", 14, FW_BOLD);
    EXPECT_EQ(font.m_logFont.lfQuality, ANTIALIASED_QUALITY);
    EXPECT_EQ(font.m_logFont.lfCharSet, DEFAULT_CHARSET);
    canvas.dc.m_scaled = true;
    canvas.dc.m_scaleX = 2.0f;
    canvas.dc.m_scaleY = 6.25f;
    {
        CFontSelector rescaled(&canvas.dc, &font, true);
        EXPECT_EQ(canvas.dc.GetCurrentFont()->m_logFont.lfHeight, 81); // (14 - 1) x 6.25
        EXPECT_EQ(canvas.dc.GetCurrentFont()->m_logFont.lfWeight, FW_BOLD);
    }
    {
        CFontSelector asIs(&canvas.dc, &font, false);
        EXPECT_EQ(canvas.dc.GetCurrentFont(), &font);
    }
}

TEST(SymbolTest, FilledShapesHaveABlackOutlineAroundTheirColour)
{
    const COLORREF red = RGB(255, 0, 0);
    const QRgb redPixel = 0xFFFF0000;
    {
        Canvas canvas;
        DrawSymbolSquare(10, 10, 8, red, 0, &canvas.dc);
        EXPECT_EQ(canvas.At(10, 10), kBlack);
        EXPECT_EQ(canvas.At(17, 17), kBlack);
        EXPECT_EQ(canvas.At(14, 14), redPixel);
        EXPECT_EQ(canvas.At(18, 14), kWhite);
    }
    {
        Canvas canvas;
        DrawSymbolCircle(10, 10, 10, red, 0, &canvas.dc);
        EXPECT_EQ(canvas.At(15, 15), redPixel);
        EXPECT_EQ(canvas.At(10, 10), kWhite); // the cell's corner is outside the circle
    }
    {
        Canvas canvas;
        DrawSymbolTriangleUp(10, 10, 10, red, 0, &canvas.dc);
        EXPECT_EQ(canvas.At(15, 16), redPixel);
        EXPECT_EQ(canvas.At(11, 12), kWhite); // above the left flank
        EXPECT_EQ(canvas.At(15, 10), kBlack); // the apex
    }
    {
        Canvas canvas;
        DrawSymbolTriangleDown(10, 10, 10, red, 0, &canvas.dc);
        EXPECT_EQ(canvas.At(15, 13), redPixel);
        EXPECT_EQ(canvas.At(11, 18), kWhite);
    }
    {
        Canvas canvas;
        DrawSymbolTriangleLeft(10, 10, 10, red, 0, &canvas.dc);
        EXPECT_EQ(canvas.At(16, 15), redPixel);
        EXPECT_EQ(canvas.At(11, 11), kWhite);
    }
    {
        Canvas canvas;
        DrawSymbolTriangleRight(10, 10, 10, red, 0, &canvas.dc);
        EXPECT_EQ(canvas.At(13, 15), redPixel);
        EXPECT_EQ(canvas.At(18, 11), kWhite);
    }
    {
        Canvas canvas;
        DrawSymbolDiamond(10, 10, 10, red, 0, &canvas.dc);
        EXPECT_EQ(canvas.At(15, 15), redPixel);
        EXPECT_EQ(canvas.At(11, 11), kWhite);
        EXPECT_EQ(canvas.At(19, 19), kWhite);
    }
}

TEST(SymbolTest, TheCrossIsTwoPixelsWideAndEmpty)
{
    Canvas canvas;
    DrawSymbolCross(10, 10, 10, RGB(0, 0, 255), 0, &canvas.dc);
    EXPECT_EQ(canvas.At(12, 12), 0xFF0000FFu);
    EXPECT_EQ(canvas.At(17, 12), 0xFF0000FFu);
    // Two wide: the diagonal's neighbour is blue too.
    int blueBeside = 0;
    for (int dx = -1; dx <= 1; dx += 2)
        blueBeside += canvas.At(13 + dx, 13) == 0xFF0000FFu ? 1 : 0;
    EXPECT_GE(blueBeside, 1);
    // Not filled between the arms.
    EXPECT_EQ(canvas.At(15, 11), kWhite);
    EXPECT_EQ(canvas.At(11, 15), kWhite);
}

TEST(SymbolTest, AFewColourDeviceGetsBlackSymbols)
{
    for (std::size_t n = 0; n < kSymbolProcedures.size(); ++n) {
        Canvas canvas;
        canvas.dc.m_whiteBackground = true;
        kSymbolProcedures[n](10, 10, 10, RGB(0, 200, 0), 0, &canvas.dc);
        canvas.dc.EndPainting();
        int black = 0;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) {
                const QRgb pixel = canvas.image.pixel(x, y);
                ASSERT_TRUE(pixel == kWhite || qGreen(pixel) < 60) << "symbol " << n;
                black += pixel == kBlack ? 1 : 0;
            }
        }
        EXPECT_GT(black, 10) << "symbol " << n;
    }
}

TEST(MemDCTest, DrawsIntoABufferThatIsCopiedBackOverTheClipBox)
{
    QImage target(40, 40, QImage::Format_RGB32);
    target.fill(Qt::white);
    CDC paint;
    ASSERT_TRUE(paint.BeginPainting(&target));
    paint.SetBaseClip(QRegion(10, 10, 20, 20));
    paint.SetBkColor(RGB(0, 0, 255));
    {
        CMemDC buffer(&paint);
        // Drawn in the paint's coordinates, beyond the clip box on one side.
        buffer.FillSolidRect(0, 0, 15, 15, RGB(255, 0, 0));
        EXPECT_EQ(target.pixel(12, 12), kWhite); // nothing shows before the copy
    }
    paint.EndPainting();
    EXPECT_EQ(target.pixel(12, 12), 0xFFFF0000u);
    EXPECT_EQ(target.pixel(20, 20), 0xFF0000FFu); // filled with the background colour
    EXPECT_EQ(target.pixel(5, 5), kWhite);        // outside the clip box
    EXPECT_EQ(target.pixel(30, 30), kWhite);
}

TEST(MemDCTest, PrintingDrawsStraightIntoThePaintDeviceContext)
{
    QImage target(20, 20, QImage::Format_RGB32);
    target.fill(Qt::white);
    CDC paint;
    ASSERT_TRUE(paint.BeginPainting(&target));
    paint.m_bPrinting = TRUE;
    {
        CMemDC direct(&paint);
        direct.FillSolidRect(0, 0, 5, 5, RGB(0, 0, 0));
    }
    paint.EndPainting();
    EXPECT_EQ(target.pixel(2, 2), kBlack);
}

TEST(BitmapExTest, AStoredBitmapLoadsBackIdentically)
{
    CBitmapEx original;
    ASSERT_TRUE(original.CreateCompatibleBitmap(nullptr, 7, 3));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            original.GetImage()->setPixel(x, y, qRgb(x * 30, y * 80, 200));
    CMemFile file;
    {
        CArchive store(&file, CArchive::store);
        original.Serialize(store);
        store.Close();
    }
    EXPECT_EQ(file.Bytes().size(), 4u * 4 + 2 * 2 + 7 * 4 * 3);
    CMemFile input(file.Bytes());
    CBitmapEx loaded;
    {
        CArchive load(&input, CArchive::load);
        loaded.Serialize(load);
    }
    BITMAP a{};
    BITMAP b{};
    original.GetBitmap(&a);
    loaded.GetBitmap(&b);
    EXPECT_EQ(b.bmWidth, 7);
    EXPECT_EQ(b.bmHeight, 3);
    EXPECT_EQ(b.bmWidthBytes, a.bmWidthBytes);
    EXPECT_EQ(b.bmBitsPixel, 32);
    EXPECT_EQ(b.bmPlanes, 1);
    std::vector<BYTE> bitsA(84);
    std::vector<BYTE> bitsB(84);
    original.GetBitmapBits(84, bitsA.data());
    loaded.GetBitmapBits(84, bitsB.data());
    EXPECT_EQ(bitsA, bitsB);
}

TEST(BitmapExTest, AShortArchiveIsAnEndOfFile)
{
    CBitmapEx original;
    ASSERT_TRUE(original.CreateCompatibleBitmap(nullptr, 4, 4));
    CMemFile file;
    {
        CArchive store(&file, CArchive::store);
        original.Serialize(store);
        store.Close();
    }
    std::vector<BYTE> bytes = file.Bytes();
    bytes.resize(bytes.size() - 1);
    CMemFile shortFile(bytes);
    CArchive load(&shortFile, CArchive::load);
    CBitmapEx loaded;
    try {
        loaded.Serialize(load);
        FAIL() << "a short archive loaded";
    } catch (const CArchiveException& error) {
        EXPECT_EQ(error.m_cause, CArchiveException::endOfFile);
    }
}
