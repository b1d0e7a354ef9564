// The metric catalogue, the display metrics and their palette, and how a
// test's arrays and marker table grow.

#include "MeasurementBytes.h"

#include "Exceptions.h"
#include "MetricCatalogue.h"
#include "NolvexMetric.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using namespace testing_bytes;

TEST(Catalogue, NamesOfTheWeightingsAndDoses)
{
    const char* weightings[3] = {"A", "C", "Z"};
    const char* quantities[7] = {"fast",      "impulse",    "leq", "peak",
                                 "short leq", "short peak", "slow"};
    for (int w = 0; w < 3; ++w) {
        for (int q = 0; q < 7; ++q)
            EXPECT_EQ(std::string(MetricCatalogue::NameOf(7 * w + q)),
                      std::string(weightings[w]) + " " + quantities[q]);
    }
    EXPECT_STREQ(MetricCatalogue::NameOf(0), "A fast");
    EXPECT_STREQ(MetricCatalogue::NameOf(21), "TWA");
    EXPECT_STREQ(MetricCatalogue::NameOf(22), "Dose A");
    EXPECT_STREQ(MetricCatalogue::NameOf(23), "Proj Dose A");
    EXPECT_STREQ(MetricCatalogue::NameOf(24), "Pascal Sq Hrs");
}

TEST(Catalogue, NamesOfTheOctaveBands)
{
    const char* groups[4] = {"Fast", "Slow", "Leq", "Short Leq"};
    const char* bands[9] = {"8kHz",  "4kHz",  "2kHz", "1kHz", "500Hz",
                            "250Hz", "125Hz", "63Hz", "31Hz"};
    for (int g = 0; g < 4; ++g) {
        for (int b = 0; b < 9; ++b)
            EXPECT_EQ(std::string(MetricCatalogue::NameOf(25 + 9 * g + b)),
                      std::string(groups[g]) + " " + bands[b]);
    }
    EXPECT_STREQ(MetricCatalogue::NameOf(25), "Fast 8kHz");
    EXPECT_STREQ(MetricCatalogue::NameOf(42), "Slow 31Hz");
    EXPECT_STREQ(MetricCatalogue::NameOf(43), "Leq 8kHz");
    EXPECT_STREQ(MetricCatalogue::NameOf(52), "Short Leq 8kHz");
    EXPECT_STREQ(MetricCatalogue::NameOf(60), "Short Leq 31Hz");
}

TEST(Catalogue, DocumentHoldsTheNamesInOrder)
{
    CNolvexDoc document;
    ASSERT_EQ(document.metricNames.size(), 61u);
    for (int d = 0; d < 61; ++d) {
        EXPECT_EQ(document.MetricName(d), CString(MetricCatalogue::NameOf(d)));
        EXPECT_EQ(MetricCatalogue::FindByName(document.MetricName(d)), d);
    }
    EXPECT_EQ(MetricCatalogue::FindByName(CString("a leq")), -1);
    EXPECT_EQ(MetricCatalogue::FindByName(CString("A leq ")), -1);
}

TEST(Catalogue, EighteenCumulativeDataTypes)
{
    int count = 0;
    for (int d = 0; d < 61; ++d) {
        const bool expected = d == 2 || d == 3 || d == 9 || d == 10 || d == 16 || d == 17 ||
                              d == 21 || d == 22 || d == 24 || (d >= 43 && d <= 51);
        EXPECT_EQ(MetricCatalogue::IsCumulative(d), expected) << "data type " << d;
        count += MetricCatalogue::IsCumulative(d) ? 1 : 0;
    }
    EXPECT_EQ(count, 18);
    EXPECT_FALSE(MetricCatalogue::IsCumulative(23));
    EXPECT_FALSE(MetricCatalogue::IsCumulative(-1));
    EXPECT_FALSE(MetricCatalogue::IsCumulative(61));
}

TEST(Catalogue, InvalidDataTypeIsInvalidArgument)
{
    CNolvexDoc document;
    CNolvexTest test;
    Append(test, DistinctSample(0));
    for (int d : {-1, 61, 62, 1000, INT_MIN, INT_MAX}) {
        EXPECT_THROW(MetricCatalogue::NameOf(d), CInvalidArgException) << d;
        EXPECT_THROW(document.MetricName(d), CInvalidArgException) << d;
        EXPECT_THROW(test.Value(d, 0), CInvalidArgException) << d;
    }
    EXPECT_NO_THROW(test.Value(60, 0));
    // A sample outside the test is refused the same way.
    EXPECT_THROW(test.Value(0, 1), CInvalidArgException);
    EXPECT_THROW(test.Value(0, -1), CInvalidArgException);
}

namespace {

void AdvancePaletteToTurnZero()
{
    // The turn is shared by the whole process; other tests may have used it.
    for (int i = 0; i < MetricPalette::kColourCount && MetricPalette::CurrentTurn() != 0; ++i)
        MetricPalette::NextColour();
    ASSERT_EQ(MetricPalette::CurrentTurn(), 0);
}

} // namespace

TEST(Palette, ElevenColoursInTurnThenRedAgainInAnyDocument)
{
    AdvancePaletteToTurnZero();
    const COLORREF expected[11] = {
        RGB(255, 0, 0),    RGB(0, 96, 0),    RGB(0, 0, 255),   RGB(110, 110, 0),
        RGB(0, 128, 128),  RGB(128, 0, 128), RGB(0, 0, 0),     RGB(128, 64, 64),
        RGB(64, 128, 128), RGB(0, 255, 0),   RGB(170, 170, 0),
    };
    CNolvexDoc first;
    for (int turn = 0; turn < 11; ++turn) {
        const CNolvexMetric* metric = first.AddMetric();
        EXPECT_EQ(metric->colour, expected[turn]) << "turn " << turn;
    }
    EXPECT_EQ(MetricPalette::CurrentTurn(), 0);
    CNolvexDoc second;
    EXPECT_EQ(second.AddMetric()->colour, RGB(255, 0, 0));
    EXPECT_EQ(second.AddMetric()->colour, RGB(0, 96, 0));
    // COLORREF holds red in its lowest byte.
    EXPECT_EQ(RGB(255, 0, 0), 0x000000FFu);
    EXPECT_EQ(RGB(110, 110, 0), 0x00006E6Eu);
}

TEST(Metrics, NewMetricIsAFastWithoutPoints)
{
    CNolvexDoc document;
    const CNolvexMetric* metric = document.AddMetric();
    EXPECT_EQ(metric->dataType, 0);
    EXPECT_EQ(document.MetricName(metric->dataType), CString("A fast"));
    EXPECT_EQ(metric->points, nullptr);
    EXPECT_EQ(metric->next, nullptr);
}

TEST(Metrics, AddedAtTheHeadRemovedByUnlinking)
{
    CNolvexDoc document;
    CNolvexMetric* oldest = document.AddMetric();
    CNolvexMetric* middle = document.AddMetric();
    CNolvexMetric* newest = document.AddMetric();
    EXPECT_EQ(document.firstMetric, newest);
    EXPECT_EQ(newest->next, middle);
    EXPECT_EQ(middle->next, oldest);
    EXPECT_EQ(oldest->next, nullptr);

    EXPECT_TRUE(document.RemoveMetric(middle));
    EXPECT_EQ(document.firstMetric, newest);
    EXPECT_EQ(newest->next, oldest);
    EXPECT_TRUE(document.RemoveMetric(newest));
    EXPECT_EQ(document.firstMetric, oldest);
    EXPECT_EQ(oldest->next, nullptr);

    // A metric of another document is not this one's to remove.
    CNolvexDoc other;
    CNolvexMetric* foreign = other.AddMetric();
    EXPECT_FALSE(document.RemoveMetric(foreign));
    EXPECT_EQ(other.firstMetric, foreign);
    EXPECT_EQ(document.firstMetric, oldest);

    EXPECT_TRUE(document.RemoveMetric(oldest));
    EXPECT_EQ(document.firstMetric, nullptr);
}

TEST(TestRecord, NewTestIsEmpty)
{
    CNolvexTest test;
    EXPECT_EQ(test.headerValue, 0.0);
    EXPECT_TRUE(test.name.IsEmpty());
    EXPECT_TRUE(test.info.IsEmpty());
    EXPECT_EQ(test.testNumber, 0);
    EXPECT_EQ(test.sampleCount, 0);
    EXPECT_EQ(test.capacity, 0);
    EXPECT_EQ(test.markerCount, 0);
    EXPECT_EQ(test.selectionStart, 0);
    EXPECT_EQ(test.selectionEnd, 0);
    EXPECT_EQ(test.next, nullptr);
    EXPECT_FALSE(test.HasSamples());
    for (const auto& array : test.values)
        EXPECT_EQ(array, nullptr);
}

TEST(TestRecord, ArraysGrowBy300KeepingTheirContents)
{
    CNolvexTest test;
    const std::pair<int, int> steps[] = {{1, 300}, {300, 300}, {301, 600}, {600, 600}, {601, 900}};
    int appended = 0;
    for (const auto& [samples, capacity] : steps) {
        for (; appended < samples; ++appended)
            Append(test, DistinctSample(appended));
        EXPECT_EQ(test.sampleCount, samples);
        EXPECT_EQ(test.capacity, capacity) << samples << " samples";
    }
    for (int d = 0; d < 61; ++d) {
        for (int i : {0, 299, 300, 599, 600}) {
            const float expected = DistinctSample(i)[static_cast<std::size_t>(d)];
            EXPECT_EQ(test.Value(d, i), expected) << d << " " << i;
        }
    }
}

TEST(TestRecord, ReservingRoundsUpToTheGrowthStep)
{
    CNolvexTest test;
    test.ReserveSamples(301);
    EXPECT_EQ(test.capacity, 600);
    EXPECT_EQ(test.sampleCount, 0);
    Fill(test, 301, DistinctSample);
    EXPECT_EQ(test.capacity, 600);
    test.ReserveSamples(100);
    EXPECT_EQ(test.capacity, 600);
    test.ReserveSamples(900);
    EXPECT_EQ(test.capacity, 900);
    EXPECT_EQ(test.Value(7, 300), DistinctSample(300)[7]);
}

TEST(TestRecord, MarkerTableHoldsAThousand)
{
    CNolvexTest test;
    for (int m = 0; m < 1000; ++m)
        ASSERT_TRUE(test.AppendMarker(m / 3, m));
    EXPECT_FALSE(test.AppendMarker(5000, 1));
    EXPECT_EQ(test.markerCount, 1000);
    EXPECT_EQ(test.markers[999].sampleIndex, 333);
    EXPECT_EQ(test.markers[999].code, 999);
}
