// Writing measurement files: the exact bytes of small documents, and reading
// and writing again.

#include "MeasurementBytes.h"

#include <gtest/gtest.h>

using namespace testing_bytes;

namespace {

// Bytes in a readable form for failure messages: the first difference.
std::string FirstDifference(const Bytes& actual, const Bytes& expected)
{
    const std::size_t size = std::min(actual.size(), expected.size());
    for (std::size_t i = 0; i < size; ++i) {
        if (actual[i] != expected[i])
            return "first difference at byte " + std::to_string(i) + ": " +
                   std::to_string(actual[i]) + " instead of " + std::to_string(expected[i]);
    }
    return "sizes " + std::to_string(actual.size()) + " and " + std::to_string(expected.size());
}

} // namespace

TEST(Write, DocumentWithoutTestsIsTheEndTagAlone)
{
    CNolvexDoc document;
    EXPECT_EQ(WriteDocument(document), Bytes{0x85});
}

TEST(Write, ExactBytesOfASmallDocument)
{
    CNolvexDoc document;
    CNolvexTest& first = AddTest(document);
    first.headerValue = 1.5;
    first.name = CString(u"H\u00e9");
    first.info = CString();
    first.testNumber = 0x01020304;
    Append(first, DistinctSample(0));
    Append(first, DistinctSample(1));
    // The table's order is not the samples' order; markers of one sample
    // keep the table's order.
    first.AppendMarker(2, 0x22);
    first.AppendMarker(0, 0x05);
    first.AppendMarker(1, 0x11);
    first.AppendMarker(0, 0x06);
    CNolvexTest& second = AddTest(document);
    second.name = CString("B");
    second.testNumber = -1;
    second.AppendMarker(0, 0x90);

    Bytes expected = {
        0x7A,                                          // test
        0,    0,    0,    0,    0,   0,    0xF8, 0x3F, // 1.5
        0xFF, 0xFE, 0xFF, 0x02, 'H', 0x00, 0xE9, 0x00, // name
        0xFF, 0xFE, 0xFF, 0x00,                        // info, empty
        0x04, 0x03, 0x02, 0x01,                        // test number
        0x90, 0x05, 0x90, 0x06,                        // markers of sample 0
    };
    FileBytes rest;
    rest.SampleRecord(DistinctSample(0)).Marker(0x11).SampleRecord(DistinctSample(1)).Marker(0x22);
    rest.Byte(0x7A).Value(0.0).UnicodeString(u"B").UnicodeString(u"").Value(std::int32_t{-1});
    rest.Marker(0x90).End();
    expected.insert(expected.end(), rest.bytes.begin(), rest.bytes.end());

    const Bytes written = WriteDocument(document);
    EXPECT_EQ(written, expected) << FirstDifference(written, expected);
    ASSERT_EQ(written.size(), expected.size());
    // The first sample record by hand: version bytes 1, unused floats zero.
    const std::size_t record = 29 + 1;
    EXPECT_EQ(written[record - 1], 0x6F);
    EXPECT_EQ(written[record], 0x01);
    for (std::size_t block = 0; block < 3; ++block) {
        EXPECT_EQ(written[record + 1 + 61 * block], 0x01);
        for (std::size_t u = 0; u < 32; ++u)
            EXPECT_EQ(written[record + 1 + 61 * block + 29 + u], 0) << block << " " << u;
    }
    // "A peak" (3) is the first value of the A block.
    float aPeak;
    std::memcpy(&aPeak, &written[record + 2], 4);
    EXPECT_EQ(aPeak, DistinctSample(0)[3]);
}

TEST(Write, WhatIsWrittenReadsBackTheSame)
{
    CNolvexDoc document;
    CNolvexTest& test = AddTest(document);
    test.headerValue = -0.125;
    test.name = CString(u"Werk \u00df\u20ac\u4e2d");
    test.info = CString(std::string(300, 'i'));
    test.testNumber = 77;
    Fill(test, 305, DistinctSample);
    test.AppendMarker(0, 1);
    test.AppendMarker(304, 2);
    test.AppendMarker(305, 3);

    const auto reread = ReadDocument(WriteDocument(document));
    ASSERT_EQ(reread->GetTestCount(), 1);
    const CNolvexTest& copy = *reread->firstTest;
    EXPECT_EQ(copy.headerValue, -0.125);
    EXPECT_EQ(copy.name, test.name);
    EXPECT_EQ(copy.info, test.info);
    EXPECT_EQ(copy.testNumber, 77);
    ASSERT_EQ(copy.sampleCount, 305);
    for (int d = 0; d < MetricCatalogue::kMetricCount; ++d) {
        for (int i = 0; i < 305; ++i)
            ASSERT_EQ(copy.Value(d, i), test.Value(d, i)) << d << " " << i;
    }
    ASSERT_EQ(copy.markerCount, 3);
    EXPECT_EQ(copy.markers[0].sampleIndex, 0);
    EXPECT_EQ(copy.markers[1].sampleIndex, 304);
    EXPECT_EQ(copy.markers[2].sampleIndex, 305);
    EXPECT_EQ(copy.markers[2].code, 3);
}

TEST(Write, AnsiHeaderStringsComeBackInUnicodeForm)
{
    FileBytes ansi;
    FileBytes unicode;
    ansi.AnsiTest(9.75, "Caf\xE9", "", 3).Marker(0x07);
    unicode.Test(9.75, u"Caf\u00e9", u"", 3).Marker(0x07);
    for (int i = 0; i < 3; ++i) {
        ansi.SampleRecord(DistinctSample(i));
        unicode.SampleRecord(DistinctSample(i));
    }
    ansi.Marker(0x08).End();
    unicode.Marker(0x08).End();

    const auto document = ReadDocument(ansi.bytes);
    const Bytes written = WriteDocument(*document);
    EXPECT_EQ(written, unicode.bytes) << FirstDifference(written, unicode.bytes);
    // The strings are all that differ: three prefix bytes each, and a
    // second byte per character.
    EXPECT_EQ(written.size(), ansi.bytes.size() + 3 + 4 + 3);
}

TEST(Write, ReadWriteReadWriteGivesIdenticalBytes)
{
    // A file unlike what the writer makes: ANSI strings, negative values,
    // other version bytes and unused floats.
    FileBytes file;
    file.Marker(0x01).SampleRecord(DistinctSample(99));
    file.AnsiTest(-3.0, "N\xE4he", "info", 8).Marker(0x02).Marker(0x03);
    for (int i = 0; i < 4; ++i) {
        Sample sample = DistinctSample(i);
        sample[static_cast<std::size_t>(i)] = -1.0f;
        sample[21] = -33.0f;
        file.SampleRecord(sample, 0x05, 1234.0f);
        if (i == 1)
            file.Marker(0x04);
    }
    file.Test(0.0, u"second", u"", 9).End();

    const Bytes once = WriteDocument(*ReadDocument(file.bytes));
    const Bytes twice = WriteDocument(*ReadDocument(once));
    EXPECT_EQ(twice, once) << FirstDifference(twice, once);

    const auto document = ReadDocument(once);
    ASSERT_EQ(document->GetTestCount(), 2);
    EXPECT_EQ(document->firstTest->markerCount, 3);
    EXPECT_EQ(document->firstTest->Value(0, 0), 0.0f);
    EXPECT_EQ(document->firstTest->Value(21, 3), -33.0f);
}

// Long enough that samples are read and written in several blocks, with
// markers on both sides of every block boundary.
TEST(Write, LongTestsWithMarkersAtBlockBoundariesComeOutAsRecorded)
{
    constexpr int kSamples = 2500;
    const std::vector<int> markerSamples = {0, 127, 128, 1023, 1024, 1024, 2048, 2499, 2500};

    FileBytes expected;
    expected.Test(3.5, u"Long", u"blocks", 9);
    std::size_t nextMarker = 0;
    for (int i = 0; i <= kSamples; ++i) {
        while (nextMarker < markerSamples.size() && markerSamples[nextMarker] == i)
            expected.Marker(static_cast<BYTE>(10 + nextMarker++));
        if (i < kSamples)
            expected.SampleRecord(DistinctSample(i));
    }
    expected.End();

    const auto document = ReadDocument(expected.bytes);
    const CNolvexTest& test = *document->firstTest;
    ASSERT_EQ(test.sampleCount, kSamples);
    EXPECT_EQ(test.capacity, 2700);
    ASSERT_EQ(test.markerCount, static_cast<int>(markerSamples.size()));
    for (std::size_t m = 0; m < markerSamples.size(); ++m) {
        EXPECT_EQ(test.markers[m].sampleIndex, markerSamples[m]);
        EXPECT_EQ(test.markers[m].code, static_cast<int>(10 + m));
    }
    for (int i : {0, 127, 128, 1023, 1024, 1025, 2047, 2048, 2499}) {
        for (int d = 0; d < MetricCatalogue::kMetricCount; ++d)
            ASSERT_EQ(test.Value(d, i), DistinctSample(i)[static_cast<std::size_t>(d)])
                << d << " " << i;
    }

    EXPECT_EQ(WriteDocument(*document), expected.bytes);
}
