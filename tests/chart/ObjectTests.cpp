// The chart's free-standing objects and the stored forms of objects and
// series.

#include "BitmapEx.h"
#include "ChartTestSupport.h"
#include "DCEx.h"
#include "XGraphBitmap.h"
#include "XGraphDataNotation.h"
#include "XGraphLabel.h"

#include <cstring>

using namespace charttest;

namespace {

struct Canvas
{
    QImage image{200, 120, QImage::Format_RGB32};
    CDCEx dc;
    Canvas()
    {
        image.fill(Qt::white);
        EXPECT_TRUE(dc.BeginPainting(&image));
    }
    COLORREF At(int x, int y) const
    {
        const QRgb pixel = image.pixel(x, y);
        return RGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
    }
};

} // namespace

TEST(LabelTest, AFilledLabelHasItsFrameFillAndText)
{
    Canvas canvas;
    CXGraphLabel label;
    label.m_rect = CRect(20, 20, 120, 60);
    label.m_text = "LAeq";
    label.m_fillColour = RGB(255, 255, 0);
    label.Draw(&canvas.dc);
    EXPECT_EQ(canvas.At(20, 20), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(119, 59), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(110, 50), RGB(255, 255, 0));
    EXPECT_EQ(canvas.At(120, 60), RGB(255, 255, 255));
}

TEST(LabelTest, ATransparentLabelLeavesWhatIsBehindIt)
{
    Canvas canvas;
    canvas.image.fill(qRgb(240, 240, 240));
    CXGraphLabel label;
    label.m_rect = CRect(20, 20, 120, 60);
    label.m_text = "x";
    label.m_transparent = true;
    label.m_border = false;
    label.Draw(&canvas.dc);
    EXPECT_EQ(canvas.At(20, 20), RGB(240, 240, 240));
    EXPECT_EQ(canvas.At(110, 50), RGB(240, 240, 240));
}

TEST(LabelTest, InvisibleLabelsAndWhiteBackgroundsFollowTheirRules)
{
    Canvas hidden;
    CXGraphLabel label;
    label.m_rect = CRect(20, 20, 120, 60);
    label.m_fillColour = RGB(255, 0, 0);
    label.m_visible = false;
    label.Draw(&hidden.dc);
    EXPECT_EQ(hidden.At(50, 40), RGB(255, 255, 255));

    Canvas printed;
    printed.dc.m_whiteBackground = true;
    label.m_visible = true;
    label.Draw(&printed.dc);
    EXPECT_EQ(printed.At(50, 40), RGB(255, 255, 255));
    EXPECT_EQ(printed.At(20, 40), RGB(0, 0, 0));
}

TEST(LabelTest, ALabelAttachedToASeriesDrawsALineToItsMiddlePoint)
{
    ShownChart shown;
    shown.chart.ShowLegend(false);
    std::vector<DataPoint> points = Line(11, 0, 10, 5, 0);
    shown.chart.SetSeriesData(points.data(), 11, 0, 0, 0, false);
    shown.chart.SeriesAt(0).m_visible = false;
    shown.chart.XAxisAt(0).m_autoScale = false;
    shown.chart.YAxisAt(0).m_autoScale = false;
    shown.chart.YAxisAt(0).SetViewRange(0, 10, 1);
    CXGraphLabel* label = shown.chart.AddLabel(CRect(300, 20, 340, 40), "note");
    shown.Paint();
    const CPoint middle = shown.chart.SeriesPointToPixel(shown.chart.SeriesAt(0), points[5]);
    EXPECT_EQ(shown.At(middle.x, middle.y), RGB(240, 240, 240));
    label->m_attachedSeries = 0;
    shown.Paint();
    EXPECT_EQ(shown.At(middle.x, middle.y), RGB(0, 0, 0));
}

TEST(ObjectTest, TrackingShowsAResizeOutsideTrackerOverTheRectangle)
{
    CXGraphLabel label;
    label.m_rect = CRect(1, 2, 30, 40);
    label.BeginTracking();
    EXPECT_TRUE(label.m_trackerShown);
    EXPECT_EQ(label.m_tracker.m_rect, CRect(1, 2, 30, 40));
    EXPECT_EQ(label.m_tracker.m_nStyle,
              static_cast<UINT>(CRectTracker::resizeOutside | CRectTracker::hatchedBorder));
    label.EndTracking();
    EXPECT_FALSE(label.m_trackerShown);
    EXPECT_TRUE(label.m_sizable);
    EXPECT_TRUE(label.m_movable);
    CXGraphDataNotation note;
    EXPECT_FALSE(note.m_sizable);
    EXPECT_FALSE(note.m_editable);
}

TEST(ObjectSerializationTest, TheCommonRecordIsSevenFlagsARectangleAndAColour)
{
    CXGraphObject object;
    object.m_selected = true;
    object.m_visible = false;
    object.m_rect = CRect(-1, 2, 300, 400);
    object.m_colour = RGB(1, 2, 3);
    const std::vector<BYTE> bytes = Stored(object);
    ASSERT_EQ(bytes.size(), 7u + 16 + 4);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[5], 0);
    EXPECT_EQ(bytes[6], 1);
    std::int32_t left = 0;
    std::memcpy(&left, bytes.data() + 7, 4);
    EXPECT_EQ(left, -1);
    CXGraphObject loaded;
    RoundTrip(object, loaded);
    EXPECT_EQ(loaded.m_rect, object.m_rect);
    EXPECT_TRUE(loaded.m_selected);
    EXPECT_FALSE(loaded.m_visible);
    EXPECT_EQ(loaded.m_colour, RGB(1, 2, 3));
}

TEST(ObjectSerializationTest, ALabelLoadsBackWithItsFontExactly)
{
    CXGraphLabel original;
    original.m_text = "Lärm 85 dB";
    // Output precision 4 and pitch 2 are values no chart of the program
    // sets, kept all the same.
    original.m_font.CreateFont(-25, 3, 900, 900, FW_BOLD, 1, 0, 1, ANSI_CHARSET, 4, CLIP_LH_ANGLES,
                               ANTIALIASED_QUALITY, 2, "Times New Roman");
    original.m_fillColour = RGB(9, 8, 7);
    original.m_textColour = RGB(1, 1, 1);
    original.m_border = false;
    original.m_transparent = true;
    original.m_textFormat = DT_CENTER | DT_WORDBREAK;
    original.m_attachedSeries = 3;
    const std::vector<BYTE> bytes = Stored(original);
    EXPECT_EQ(bytes.size(), 27u + (4 + 2 * 10) + 92 + 4 + 4 + 1 + 1 + 4 + 4);
    CXGraphLabel loaded;
    RoundTrip(original, loaded);
    EXPECT_EQ(loaded.m_text, original.m_text);
    EXPECT_EQ(std::memcmp(&loaded.m_font.m_logFont, &original.m_font.m_logFont, 92), 0);
    EXPECT_EQ(loaded.m_fillColour, RGB(9, 8, 7));
    EXPECT_EQ(loaded.m_textColour, RGB(1, 1, 1));
    EXPECT_FALSE(loaded.m_border);
    EXPECT_TRUE(loaded.m_transparent);
    EXPECT_EQ(loaded.m_textFormat, DT_CENTER | DT_WORDBREAK);
    EXPECT_EQ(loaded.m_attachedSeries, 3);
}

TEST(ObjectSerializationTest, APictureLoadsIntoABitmapItOwns)
{
    CXGraphBitmap original;
    auto* bitmap = new CBitmapEx;
    bitmap->CreateCompatibleBitmap(nullptr, 3, 2);
    bitmap->GetImage()->setPixel(1, 1, qRgb(10, 20, 30));
    original.SetBitmap(bitmap, true);
    original.m_border = false;
    CXGraphBitmap loaded;
    RoundTrip(original, loaded);
    ASSERT_NE(loaded.m_bitmap, nullptr);
    EXPECT_TRUE(loaded.m_ownsBitmap);
    EXPECT_FALSE(loaded.m_border);
    EXPECT_EQ(loaded.m_bitmap->GetImage()->pixel(1, 1), qRgb(10, 20, 30));

    // Drawn stretched into its rectangle.
    Canvas canvas;
    loaded.m_rect = CRect(10, 10, 40, 30);
    loaded.Draw(&canvas.dc);
    EXPECT_EQ(canvas.At(25, 25), RGB(10, 20, 30));
    EXPECT_EQ(canvas.At(15, 15), RGB(0, 0, 0));
}

TEST(ObjectSerializationTest, ANoteStoresItsPointButNotItsFont)
{
    CXGraphDataNotation original;
    original.m_x = 1.5;
    original.m_y = -2.25;
    original.m_seriesIndex = 2;
    original.m_pointIndex = 77;
    original.m_text = "max";
    original.m_sized = true;
    const std::vector<BYTE> bytes = Stored(original);
    EXPECT_EQ(bytes.size(), 27u + 8 + 8 + 4 + 4 + (4 + 2 * 3));
    CXGraphDataNotation loaded;
    RoundTrip(original, loaded);
    EXPECT_EQ(loaded.m_x, 1.5);
    EXPECT_EQ(loaded.m_y, -2.25);
    EXPECT_EQ(loaded.m_seriesIndex, 2);
    EXPECT_EQ(loaded.m_pointIndex, 77);
    EXPECT_EQ(loaded.m_text, CString("max"));
    EXPECT_FALSE(loaded.m_sized);
}

TEST(ObjectSerializationTest, ASeriesLoadsBackOwningItsPoints)
{
    std::vector<DataPoint> points = Line(4, 0, 0.5, 60, 1.25);
    CXGraphDataSerie original;
    original.m_points = points.data();
    original.m_count = 4;
    original.m_reservedA = 11;
    original.m_reservedB = 12;
    original.m_xAxis = 1;
    original.m_yAxis = 2;
    original.m_index = 3;
    original.m_lineWidth = 2;
    original.m_fillStyle = HS_BDIAGONAL;
    original.m_symbolKind = 1;
    original.m_symbolNumber = 5;
    original.m_symbolSize = 8;
    original.m_penStyle = PS_DASH;
    original.m_showCurveSymbols = true;
    original.m_fill = true;
    original.m_transparentFill = false;
    original.m_fillToSeries = -1;
    original.m_fillColour = RGB(7, 7, 7);
    original.m_drawMode = 1;
    original.SetName("LCpeak");
    const std::vector<BYTE> bytes = Stored(original);
    EXPECT_EQ(bytes.size(), 27u + 4 + 4 * 16 + 11 * 4 + 3 + 2 + 4 + (4 + 2 * 6) + 4);
    CXGraphDataSerie loaded;
    RoundTrip(original, loaded);
    ASSERT_EQ(loaded.m_count, 4);
    EXPECT_TRUE(loaded.m_ownsPoints);
    EXPECT_NE(loaded.m_points, points.data());
    EXPECT_EQ(loaded.m_points[3].fYVal, 63.75);
    EXPECT_EQ(loaded.m_reservedB, 12);
    EXPECT_EQ(loaded.m_yAxis, 2);
    EXPECT_EQ(loaded.m_fillStyle, HS_BDIAGONAL);
    EXPECT_EQ(loaded.m_symbolNumber, 5);
    EXPECT_EQ(loaded.m_penStyle, PS_DASH);
    EXPECT_TRUE(loaded.m_showCurveSymbols);
    EXPECT_FALSE(loaded.m_transparentFill);
    EXPECT_EQ(loaded.m_fillToSeries, -1);
    EXPECT_EQ(loaded.m_fillColour, RGB(7, 7, 7));
    EXPECT_EQ(loaded.m_drawMode, 1);
    EXPECT_EQ(loaded.GetName(), CString("LCpeak"));

    // A copy of an owning series owns a copy of the points.
    CXGraphDataSerie copy(loaded);
    EXPECT_NE(copy.m_points, loaded.m_points);
    EXPECT_EQ(copy.m_points[2].fXVal, 1.0);
    original.m_points = nullptr;
}
