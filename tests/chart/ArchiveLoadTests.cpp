// Loading the chart's objects from damaged archives: every stored number at
// its extremes loads into what drawing can take (or is refused with an
// archive error), and the chart then paints on the screen and on a printer
// page; charts the program stored load exactly as they were.

#include "ArchiveLimits.h"
#include "BitmapEx.h"
#include "ChartTestSupport.h"
#include "DCEx.h"
#include "Exceptions.h"
#include "XGraphBitmap.h"
#include "XGraphDataNotation.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <string>

using namespace charttest;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A chart with a bit of everything a user makes: two series on two Y axes,
// a band and a marker, a label, a note and a picture.
struct UsersChart
{
    std::vector<DataPoint> level = Line(40, 0, 1, 40, 0.5);
    std::vector<DataPoint> peak = Line(10, 0, 4, 90, -1);
    CXGraph chart;
    UsersChart()
    {
        chart.SetSeriesData(level.data(), 40, 0, 0, 0, true);
        CXGraphDataSerie* second = chart.SetSeriesData(peak.data(), 10, 1, 0, 1, true);
        second->m_drawMode = CXGraphDataSerie::drawMarks;
        second->m_showCurveSymbols = true;
        second->m_fill = true;
        second->m_fillToSeries = -1;
        chart.YAxisAt(0).SetColorRange(0, 50, 55, 6, "limit");
        chart.YAxisAt(0).SetMarker(0, 52);
        chart.XAxisAt(0).SetMarker(0, 20);
        label = chart.AddLabel(CRect(60, 20, 160, 50), "LAeq 65 dB");
        note = new CXGraphDataNotation;
        note->m_x = 12;
        note->m_y = 46;
        note->m_text = "max";
        chart.AddObject(note);
        picture = new CXGraphBitmap;
        auto* bitmap = new CBitmapEx;
        bitmap->CreateCompatibleBitmap(nullptr, 4, 3);
        picture->SetBitmap(bitmap, true);
        picture->m_rect = CRect(300, 20, 340, 50);
        chart.AddObject(picture);
    }
    CXGraphAxis& X() { return chart.XAxisAt(0); }
    CXGraphAxis& Y() { return chart.YAxisAt(0); }
    // The second series: marks, symbols and a fill.
    CXGraphDataSerie& Curve() { return chart.SeriesAt(1); }

    CXGraphLabel* label = nullptr;
    CXGraphDataNotation* note = nullptr;
    CXGraphBitmap* picture = nullptr;
};

void Load(CXGraph& chart, const std::vector<BYTE>& bytes)
{
    CMemFile file(bytes);
    CArchive archive(&file, CArchive::load);
    chart.Serialize(archive);
}

// As a 600-dpi printer draws it: every coordinate times 6.25.
void PaintOnPage(CXGraph& chart)
{
    QImage page(400, 300, QImage::Format_RGB32);
    CDCEx dc;
    ASSERT_TRUE(dc.BeginPainting(&page));
    dc.m_scaled = true;
    dc.m_scaleX = 6.25f;
    dc.m_scaleY = 6.25f;
    chart.PaintPage(&dc, CRect(0, 0, 64, 48), chart.ScreenLook());
}

bool Within(int value, int minimum, int maximum)
{
    return value >= minimum && value <= maximum;
}

bool DrawableFont(const LOGFONT& font)
{
    return Within(font.lfHeight, -kMaxFontHeight, kMaxFontHeight) &&
           Within(font.lfWidth, -kMaxFontHeight, kMaxFontHeight) &&
           Within(font.lfEscapement, -3600, 3600) && Within(font.lfOrientation, -3600, 3600);
}

bool DrawableRect(const CRect& rect)
{
    return Within(rect.left, -kPixelLimit, kPixelLimit) &&
           Within(rect.top, -kPixelLimit, kPixelLimit) &&
           Within(rect.right, -kPixelLimit, kPixelLimit) &&
           Within(rect.bottom, -kPixelLimit, kPixelLimit);
}

// What the drawing code relies on, whatever was loaded.
void ExpectDrawable(CXGraph& chart)
{
    std::vector<CXGraphAxis*> axes;
    for (int i = 0; i < chart.GetXAxisCount(); ++i)
        axes.push_back(&chart.XAxisAt(i));
    for (int i = 0; i < chart.GetYAxisCount(); ++i)
        axes.push_back(&chart.YAxisAt(i));
    for (const CXGraphAxis* each : axes) {
        const CXGraphAxis& axis = *each;
        EXPECT_TRUE(Within(axis.m_tickLength, 0, kMaxTickLength)) << axis.m_tickLength;
        EXPECT_TRUE(Within(axis.m_labelGap, 0, kMaxLabelGap)) << axis.m_labelGap;
        EXPECT_TRUE(Within(axis.m_symbolSize, 0, kMaxSymbolSize)) << axis.m_symbolSize;
        EXPECT_TRUE(Within(axis.m_orientation, 0, 1) && Within(axis.m_placement, 0, 2) &&
                    Within(axis.m_gridStyle, PS_SOLID, PS_INSIDEFRAME));
        EXPECT_TRUE(Within(axis.m_originX, -kPixelLimit, kPixelLimit) &&
                    Within(axis.m_originY, -kPixelLimit, kPixelLimit) &&
                    Within(axis.m_length, -kPixelLimit, kPixelLimit));
        EXPECT_TRUE(std::fabs(axis.m_endMargin) <= kPixelLimit &&
                    std::fabs(axis.m_symbolSpace) <= kPixelLimit);
        EXPECT_TRUE(DrawableFont(axis.m_labelFont.m_logFont) &&
                    DrawableFont(axis.m_titleFont.m_logFont));
        for (const AxisColorRange& range : axis.m_colorRanges)
            EXPECT_TRUE(Within(range.style, 0, 6)) << range.style;
        for (const AxisMarker& marker : axis.m_markers)
            EXPECT_TRUE(Within(marker.penWidth, 0, kMaxLineWidth) &&
                        Within(marker.penStyle, PS_SOLID, PS_INSIDEFRAME) &&
                        DrawableFont(marker.font));
    }
    for (int i = 0; i < chart.GetSeriesCount(); ++i) {
        const CXGraphDataSerie& series = chart.SeriesAt(i);
        EXPECT_TRUE(Within(series.m_lineWidth, 0, kMaxLineWidth)) << series.m_lineWidth;
        EXPECT_TRUE(Within(series.m_symbolSize, 0, kMaxSymbolSize)) << series.m_symbolSize;
        EXPECT_TRUE(Within(series.m_fillStyle, 0, 6) &&
                    Within(series.m_penStyle, PS_SOLID, PS_INSIDEFRAME) &&
                    Within(series.m_drawMode, 0, 1) && Within(series.m_symbolKind, 0, 1) &&
                    Within(series.m_symbolNumber, 0, 7));
    }
    for (int i = 0; i < chart.GetObjectCount(); ++i) {
        CXGraphObject* object = chart.ObjectAt(i);
        EXPECT_TRUE(DrawableRect(object->m_rect));
        if (auto* label = dynamic_cast<CXGraphLabel*>(object)) {
            EXPECT_TRUE(DrawableFont(label->m_font.m_logFont));
        }
    }
}

// Names parameterised cases after their parameter's name.
struct NameOf
{
    template <typename T> std::string operator()(const testing::TestParamInfo<T>& info) const
    {
        return info.param.name;
    }
};

// One damage done to a user's chart before it is stored.
struct Damage
{
    std::string name;
    std::function<void(UsersChart&)> apply;
};

const std::pair<const char*, int CXGraphAxis::*> kAxisNumbers[] = {
    {"TickLength", &CXGraphAxis::m_tickLength}, {"LabelGap", &CXGraphAxis::m_labelGap},
    {"SymbolSize", &CXGraphAxis::m_symbolSize}, {"Orientation", &CXGraphAxis::m_orientation},
    {"Placement", &CXGraphAxis::m_placement},   {"GridStyle", &CXGraphAxis::m_gridStyle},
    {"OriginX", &CXGraphAxis::m_originX},       {"OriginY", &CXGraphAxis::m_originY},
    {"Length", &CXGraphAxis::m_length}};
const std::pair<const char*, double CXGraphAxis::*> kAxisValues[] = {
    {"FullMin", &CXGraphAxis::m_fullMin},
    {"FullMax", &CXGraphAxis::m_fullMax},
    {"ViewMin", &CXGraphAxis::m_viewMin},
    {"ViewMax", &CXGraphAxis::m_viewMax},
    {"Step", &CXGraphAxis::m_step},
    {"EndMargin", &CXGraphAxis::m_endMargin},
    {"SymbolSpace", &CXGraphAxis::m_symbolSpace},
    {"Span", &CXGraphAxis::m_span}};
const std::pair<const char*, int CXGraphDataSerie::*> kSeriesNumbers[] = {
    {"LineWidth", &CXGraphDataSerie::m_lineWidth},
    {"FillStyle", &CXGraphDataSerie::m_fillStyle},
    {"SymbolKind", &CXGraphDataSerie::m_symbolKind},
    {"SymbolNumber", &CXGraphDataSerie::m_symbolNumber},
    {"SymbolSize", &CXGraphDataSerie::m_symbolSize},
    {"PenStyle", &CXGraphDataSerie::m_penStyle},
    {"DrawMode", &CXGraphDataSerie::m_drawMode},
    {"XAxis", &CXGraphDataSerie::m_xAxis},
    {"YAxis", &CXGraphDataSerie::m_yAxis}};
const std::pair<const char*, std::int32_t LOGFONT::*> kFontNumbers[] = {
    {"Height", &LOGFONT::lfHeight},
    {"Width", &LOGFONT::lfWidth},
    {"Escapement", &LOGFONT::lfEscapement},
    {"Orientation", &LOGFONT::lfOrientation},
    {"Weight", &LOGFONT::lfWeight}};
const std::pair<const char*, LONG RECT::*> kRectSides[] = {
    {"Left", &RECT::left}, {"Top", &RECT::top}, {"Right", &RECT::right}, {"Bottom", &RECT::bottom}};

const std::pair<const char*, int> kIntExtremes[] = {
    {"IntMin", INT_MIN}, {"MinusOne", -1}, {"Zero", 0}, {"IntMax", INT_MAX}};
const std::pair<const char*, double> kDoubleExtremes[] = {
    {"NaN", kNaN}, {"MinusInfinity", -kInfinity}, {"Infinity", kInfinity}, {"Zero", 0.0}};

// Every stored number of the user's chart at each of its extremes, and a
// few damages that take more than one number.
std::vector<Damage> Damages()
{
    std::vector<Damage> damages;
    const auto everyInt = [&](const std::string& field, std::function<void(UsersChart&, int)> set) {
        for (const auto& [name, value] : kIntExtremes)
            damages.push_back({field + name, [set, value](UsersChart& u) { set(u, value); }});
    };
    const auto everyDouble = [&](const std::string& field,
                                 std::function<void(UsersChart&, double)> set) {
        for (const auto& [name, value] : kDoubleExtremes)
            damages.push_back({field + name, [set, value](UsersChart& u) { set(u, value); }});
    };
    for (const auto& [name, field] : kAxisNumbers)
        everyInt(std::string("Axis") + name, [field](UsersChart& u, int value) {
            u.X().*field = value;
            u.Y().*field = value;
        });
    for (const auto& [name, field] : kAxisValues)
        everyDouble(std::string("Axis") + name, [field](UsersChart& u, double value) {
            u.X().*field = value;
            u.Y().*field = value;
        });
    for (const auto& [name, field] : kSeriesNumbers)
        everyInt(std::string("Series") + name,
                 [field](UsersChart& u, int value) { u.Curve().*field = value; });
    for (const auto& [name, field] : kFontNumbers)
        everyInt(std::string("Font") + name, [field](UsersChart& u, int value) {
            for (LOGFONT* font : {&u.label->m_font.m_logFont, &u.X().m_labelFont.m_logFont,
                                  &u.Y().m_titleFont.m_logFont, &u.Y().m_markers[0].font})
                font->*field = value;
        });
    for (const auto& [name, field] : kRectSides)
        everyInt(std::string("Rect") + name, [field](UsersChart& u, int value) {
            for (CXGraphObject* object : std::initializer_list<CXGraphObject*>{
                     u.label, u.picture, u.note, &u.chart.SeriesAt(0)})
                object->m_rect.*field = value;
        });
    everyInt("MarkerPenWidth",
             [](UsersChart& u, int value) { u.Y().m_markers[0].penWidth = value; });
    everyInt("MarkerPenStyle",
             [](UsersChart& u, int value) { u.Y().m_markers[0].penStyle = value; });
    everyInt("BandStyle", [](UsersChart& u, int value) { u.Y().m_colorRanges[0].style = value; });
    everyInt("LabelSeries", [](UsersChart& u, int value) { u.label->m_attachedSeries = value; });
    everyInt("NoteSeries", [](UsersChart& u, int value) { u.note->m_seriesIndex = value; });
    everyDouble("MarkerValue",
                [](UsersChart& u, double value) { u.X().m_markers[0].value = value; });
    everyDouble("BandEnds", [](UsersChart& u, double value) { u.Y().m_colorRanges[0].to = value; });
    everyDouble("NotePoint", [](UsersChart& u, double value) { u.note->m_y = value; });
    everyDouble("Points", [](UsersChart& u, double value) {
        u.level[0] = {value, value};
        u.level[20].fYVal = value;
        u.chart.SetSeriesData(u.level.data(), 40, 0, 0, 0, true);
    });
    damages.push_back({"EmptyLabelsWithoutGap", [](UsersChart& u) {
                           for (CXGraphAxis* axis : {&u.X(), &u.Y()}) {
                               axis->m_labelGap = 0;
                               axis->m_displayFormat = "";
                           }
                       }});
    damages.push_back({"DatesOverBillionsOfYears", [](UsersChart& u) {
                           u.X().m_dateTime = u.Y().m_dateTime = true;
                           u.X().m_viewMin = -1e14;
                           u.X().m_viewMax = 1.03e14;
                           u.Y().m_viewMin = 25569;
                           u.Y().m_viewMax = 25569 + 1.03e14;
                       }});
    damages.push_back({"EveryColourBitAndFormatFlag", [](UsersChart& u) {
                           u.X().m_colour = u.Y().m_gridColour = u.Curve().m_fillColour =
                               0xFFFFFFFF;
                           u.label->m_textColour = u.label->m_textFormat = 0xFFFFFFFF;
                       }});
    return damages;
}

using DamagedArchiveTest = testing::TestWithParam<Damage>;

TEST_P(DamagedArchiveTest, LoadsIntoWhatDrawingTakesAndPaints)
{
    UsersChart user;
    GetParam().apply(user);
    const std::vector<BYTE> damaged = Stored(user.chart);

    ShownChart shown;
    Load(shown.chart, damaged);
    ExpectDrawable(shown.chart);
    ASSERT_FALSE(HasFailure()) << "not painted: what drawing cannot take may never end";
    shown.Paint();
    PaintOnPage(shown.chart);
    ExpectDrawable(shown.chart);

    // What was loaded and drawn is a chart like any stored one: it loads
    // back unchanged.
    const std::vector<BYTE> drawn = Stored(shown.chart);
    CXGraph reloaded;
    Load(reloaded, drawn);
    EXPECT_EQ(Stored(reloaded), drawn);
}

INSTANTIATE_TEST_SUITE_P(EveryStoredNumber, DamagedArchiveTest, testing::ValuesIn(Damages()),
                         NameOf{});

// Charts as the program makes them.
const Damage kValidCharts[] = {
    {"AsTheUserMadeIt", [](UsersChart&) {}},
    {"AfterPainting", [](UsersChart& u) { PaintOnPage(u.chart); }},
    // An axis without data keeps the largest numbers as its range, and
    // resetting its zoom gives it an infinite step.
    {"EmptyAxisAfterResetZoom",
     [](UsersChart& u) {
         u.chart.XAxisAt(0).SetMarker(1, 3);
         u.chart.AddYAxis();
         u.chart.ResetZoom();
     }},
    // The colour buttons' "automatic" and the largest font and decorations
    // the dialogs offer.
    {"DialogExtremes",
     [](UsersChart& u) {
         u.Curve().m_colour = 0xFF000000;
         u.Curve().m_lineWidth = 5;
         u.Curve().m_symbolSize = u.Y().m_symbolSize = 20;
         u.Curve().m_symbolNumber = 7;
         u.Y().m_tickLength = u.Y().m_labelGap = 10;
         u.label->m_font.m_logFont.lfHeight = -683;
     }},
    // A note whose point lies a billion pixels away, once drawn.
    {"NoteFarAway",
     [](UsersChart& u) {
         u.note->m_y = 1e15;
         ShownChart shown;
         shown.chart.SetSeriesData(u.level.data(), 40, 0, 0, 0, false);
         u.note->m_graph = &shown.chart;
         shown.chart.AddObject(u.note);
         shown.Paint();
         shown.chart.DetachObject(u.note);
         u.note->m_graph = &u.chart;
     }},
};

using ValidArchiveTest = testing::TestWithParam<Damage>;

TEST_P(ValidArchiveTest, LoadsExactlyAsStored)
{
    UsersChart user;
    GetParam().apply(user);
    const std::vector<BYTE> stored = Stored(user.chart);
    CXGraph loaded;
    Load(loaded, stored);
    EXPECT_EQ(Stored(loaded), stored);
}

INSTANTIATE_TEST_SUITE_P(ProgramMade, ValidArchiveTest, testing::ValuesIn(kValidCharts), NameOf{});

// Counts ---------------------------------------------------------------------

std::vector<BYTE> Int32s(std::initializer_list<std::int32_t> values)
{
    std::vector<BYTE> bytes;
    for (std::int32_t value : values) {
        BYTE record[4];
        std::memcpy(record, &value, 4);
        bytes.insert(bytes.end(), record, record + 4);
    }
    return bytes;
}

struct DamagedCount
{
    std::string name;
    std::vector<BYTE> bytes;
    CArchiveException::Cause cause;
};

std::vector<DamagedCount> DamagedCounts()
{
    // One series whose common record is followed by a count of points.
    CXGraphObject common;
    std::vector<BYTE> points = Int32s({0, 0, 1});
    for (BYTE byte : Stored(common))
        points.push_back(byte);
    for (BYTE byte : Int32s({INT_MAX}))
        points.push_back(byte);
    std::vector<BYTE> unknownObject = Int32s({0, 0, 0, 1});
    unknownObject.push_back(77);
    return {
        {"XAxesNegative", Int32s({-1}), CArchiveException::genericException},
        {"YAxesMin", Int32s({0, INT_MIN}), CArchiveException::genericException},
        {"SeriesMax", Int32s({0, 0, INT_MAX}), CArchiveException::genericException},
        {"SeriesWithinLimitBeyondData", Int32s({0, 0, 4000}), CArchiveException::endOfFile},
        {"ObjectsMax", Int32s({0, 0, 0, INT_MAX}), CArchiveException::genericException},
        {"ObjectOfUnknownKind", unknownObject, CArchiveException::genericException},
        {"PointsMaxBeyondData", points, CArchiveException::endOfFile},
    };
}

using DamagedCountTest = testing::TestWithParam<DamagedCount>;

TEST_P(DamagedCountTest, IsRefusedAndTheChartKeepsWhatItHad)
{
    UsersChart user;
    const std::vector<BYTE> before = Stored(user.chart);
    try {
        Load(user.chart, GetParam().bytes);
        FAIL() << "a damaged count loaded";
    } catch (const CArchiveException& error) {
        EXPECT_EQ(error.m_cause, GetParam().cause);
    }
    EXPECT_EQ(Stored(user.chart), before);
}

INSTANTIATE_TEST_SUITE_P(Counts, DamagedCountTest, testing::ValuesIn(DamagedCounts()), NameOf{});

// Pictures -------------------------------------------------------------------

struct StoredPicture
{
    std::string name;
    std::int32_t width;
    std::int32_t height;
    std::int32_t widthBytes;
    std::int16_t planes;
    std::int16_t bitsPerPixel;
    // The pixel bytes the archive really holds.
    std::size_t bytesPresent;
    CArchiveException::Cause cause;
};

const StoredPicture kDamagedPictures[] = {
    {"MoreDeclaredThanHeld", 100, 100, 400, 1, 32, 10, CArchiveException::endOfFile},
    {"WidthMax", INT_MAX, 1, 4, 1, 32, 4, CArchiveException::genericException},
    {"HeightMax", 1, INT_MAX, 4, 1, 32, 0, CArchiveException::genericException},
    // The row bytes of a billion pixels wrap around to 4 in 32 bits.
    {"RowBytesThatWrap", 0x40000001, 1, 4, 1, 32, 4, CArchiveException::genericException},
    {"WiderThanAPicture", 20000, 1, 80000, 1, 32, 80000, CArchiveException::genericException},
    {"EightBitsAPixel", 4, 1, 4, 1, 8, 4, CArchiveException::genericException},
    {"RowBytesNotTheWidth", 2, 2, 12, 1, 32, 24, CArchiveException::genericException},
};

std::vector<BYTE> PictureRecord(const StoredPicture& picture)
{
    std::vector<BYTE> bytes = Int32s({0, picture.width, picture.height, picture.widthBytes});
    for (std::int16_t value : {picture.planes, picture.bitsPerPixel}) {
        BYTE record[2];
        std::memcpy(record, &value, 2);
        bytes.insert(bytes.end(), record, record + 2);
    }
    bytes.resize(bytes.size() + picture.bytesPresent, 0x7F);
    return bytes;
}

using DamagedPictureTest = testing::TestWithParam<StoredPicture>;

TEST_P(DamagedPictureTest, IsRefusedBeforeItsPixelsAreTaken)
{
    CMemFile file(PictureRecord(GetParam()));
    CArchive archive(&file, CArchive::load);
    CBitmapEx loaded;
    try {
        loaded.Serialize(archive);
        FAIL() << "a damaged picture loaded";
    } catch (const CArchiveException& error) {
        EXPECT_EQ(error.m_cause, GetParam().cause);
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, DamagedPictureTest, testing::ValuesIn(kDamagedPictures),
                         NameOf{});

// Drawing far away -----------------------------------------------------------

TEST(FarDrawingTest, APointFarRightOfTheViewStaysRightOnAPrintedPage)
{
    CXGraphAxis axis;
    axis.SetFullRange(0, 1);
    axis.m_length = 400;
    const int far = axis.ValueToPoint({1e12, 0}).x;
    CDCEx dc;
    dc.m_scaled = true;
    dc.m_scaleX = 6.25f;
    EXPECT_GT(dc.ScaleX(far), dc.ScaleX(400));
}

TEST(FarDrawingTest, AligningDatesBillionsOfYearsAwayStillHoldsTheRange)
{
    // A step and an end whose next multiple in seconds no longer fits 64
    // bits; the start is 1970, a multiple of every step.
    constexpr double kUnixEpoch = 25569;
    const double end = kUnixEpoch + 8.9e18 / 86400;
    double minimum = kUnixEpoch;
    double maximum = end;
    CXGraphAxis::AlignToTimeStep(minimum, maximum, 6e18 / 86400);
    EXPECT_EQ(minimum, kUnixEpoch);
    EXPECT_GE(maximum, end);
}

} // namespace
