// Reading measurement files: tags, headers, the sample record layout, the
// clamping of negative values, markers, damaged data and array growth.

#include "MeasurementBytes.h"

#include "Exceptions.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

using namespace testing_bytes;

namespace {

constexpr int kFast = 0;     // "A fast"
constexpr int kTwa = 21;     // "TWA"
constexpr int kCPeak = 10;   // "C peak"
constexpr int kLeq31 = 51;   // "Leq 31Hz"
constexpr int kShort8k = 52; // "Short Leq 8kHz"

Sample Filled(float value)
{
    Sample sample;
    sample.fill(value);
    return sample;
}

CArchiveException::Cause ReadFailure(const Bytes& bytes)
{
    try {
        ReadDocument(bytes);
    } catch (const CArchiveException& error) {
        return error.m_cause;
    }
    ADD_FAILURE() << "the data was read without error";
    return CArchiveException::none;
}

// Opens the bytes as a file through the document, as the program does.
struct Opened
{
    bool ok = false;
    int testCount = -1;
    std::string message;
};

Opened OpenAsFile(const Bytes& bytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("test.nolvex");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    file.close();
    CNolvexDoc document;
    Opened opened;
    opened.ok = document.OnOpenDocument(CString::FromQString(path));
    opened.testCount = document.GetTestCount();
    opened.message = document.GetLastErrorMessage().ToUtf8();
    return opened;
}

} // namespace

TEST(ReadStructure, EndTagAloneGivesNoTests)
{
    const auto document = ReadDocument({0x85});
    EXPECT_EQ(document->firstTest, nullptr);
    EXPECT_EQ(document->GetTestCount(), 0);
}

TEST(ReadStructure, HeaderAloneGivesAnEmptyTest)
{
    FileBytes file;
    file.Test(-1234.5625, u"Hall 2", u"Night \u00e9", -7).End();
    const auto document = ReadDocument(file.bytes);
    ASSERT_EQ(document->GetTestCount(), 1);
    const CNolvexTest& test = *document->firstTest;
    EXPECT_EQ(test.headerValue, -1234.5625);
    EXPECT_EQ(test.name, CString("Hall 2"));
    EXPECT_EQ(test.info, CString(u"Night \u00e9"));
    EXPECT_EQ(test.testNumber, -7);
    EXPECT_EQ(test.sampleCount, 0);
    EXPECT_EQ(test.capacity, 0);
    EXPECT_EQ(test.markerCount, 0);
    EXPECT_EQ(test.next, nullptr);
    for (const auto& array : test.values)
        EXPECT_EQ(array, nullptr);
}

TEST(ReadStructure, AnsiHeaderStrings)
{
    FileBytes file;
    file.AnsiTest(0.0, "Caf\xE9", "\x80 5", 12).End();
    const auto document = ReadDocument(file.bytes);
    ASSERT_EQ(document->GetTestCount(), 1);
    EXPECT_EQ(document->firstTest->name, CString(u"Caf\u00e9"));
    EXPECT_EQ(document->firstTest->info, CString(u"\u20ac 5"));
    EXPECT_EQ(document->firstTest->testNumber, 12);
}

TEST(ReadStructure, TestsChainInFileOrder)
{
    FileBytes file;
    file.Test(1.0, u"first", u"", 1).SampleRecord(DistinctSample(0));
    file.Test(2.0, u"second", u"", 2)
        .SampleRecord(DistinctSample(5))
        .SampleRecord(DistinctSample(6));
    file.Test(3.0, u"third", u"", 3).End();
    const auto document = ReadDocument(file.bytes);
    ASSERT_EQ(document->GetTestCount(), 3);
    const CNolvexTest* first = document->GetTest(0);
    const CNolvexTest* second = document->GetTest(1);
    const CNolvexTest* third = document->GetTest(2);
    EXPECT_EQ(first->name, CString("first"));
    EXPECT_EQ(first->sampleCount, 1);
    EXPECT_EQ(second->name, CString("second"));
    EXPECT_EQ(second->sampleCount, 2);
    EXPECT_EQ(second->Value(kFast, 1), DistinctSample(6)[kFast]);
    EXPECT_EQ(third->headerValue, 3.0);
    EXPECT_EQ(third->sampleCount, 0);
    EXPECT_EQ(third->next, nullptr);
}

TEST(ReadStructure, SampleBeforeTheFirstTestIsDropped)
{
    FileBytes file;
    file.SampleRecord(Filled(11.0f)).Test(0.0, u"t", u"", 1).SampleRecord(Filled(22.0f)).End();
    const auto document = ReadDocument(file.bytes);
    ASSERT_EQ(document->GetTestCount(), 1);
    ASSERT_EQ(document->firstTest->sampleCount, 1);
    EXPECT_EQ(document->firstTest->Value(kFast, 0), 22.0f);
}

TEST(ReadStructure, StrayByteEndsTheReadLikeTheEndTag)
{
    FileBytes file;
    Sample negative = Filled(5.0f);
    negative[kFast] = -3.0f;
    file.Test(0.0, u"t", u"", 1).SampleRecord(negative).Byte(0x00);
    // Whatever follows is not read.
    file.Test(0.0, u"after", u"", 2).SampleRecord(Filled(1.0f)).End();
    const auto document = ReadDocument(file.bytes);
    ASSERT_EQ(document->GetTestCount(), 1);
    ASSERT_EQ(document->firstTest->sampleCount, 1);
    // The values are still clamped as after any complete read.
    EXPECT_EQ(document->firstTest->Value(kFast, 0), 0.0f);

    FileBytes other;
    other.Test(0.0, u"t", u"", 1).SampleRecord(Filled(1.0f)).Byte('Z').Byte(0x6F);
    EXPECT_EQ(ReadDocument(other.bytes)->firstTest->sampleCount, 1);
}

TEST(ReadValues, NegativeValuesReadAsZeroExceptTwa)
{
    Sample sample = Filled(-3.5f);
    sample[kCPeak] = 101.5f;
    FileBytes file;
    file.Test(0.0, u"t", u"", 1).SampleRecord(sample).End();
    const auto document = ReadDocument(file.bytes);
    const CNolvexTest& test = *document->firstTest;
    for (int d = 0; d < MetricCatalogue::kMetricCount; ++d) {
        const float expected = d == kTwa ? -3.5f : d == kCPeak ? 101.5f : 0.0f;
        EXPECT_EQ(test.Value(d, 0), expected) << "data type " << d;
    }
}

TEST(ReadValues, NotANumberStaysNotANumber)
{
    Sample sample = Filled(std::numeric_limits<float>::quiet_NaN());
    sample[kLeq31] = -std::numeric_limits<float>::infinity();
    FileBytes file;
    file.Test(0.0, u"t", u"", 1).SampleRecord(sample).End();
    const auto document = ReadDocument(file.bytes);
    for (int d = 0; d < MetricCatalogue::kMetricCount; ++d) {
        if (d == kLeq31)
            EXPECT_EQ(document->firstTest->Value(d, 0), 0.0f);
        else
            EXPECT_TRUE(std::isnan(document->firstTest->Value(d, 0))) << "data type " << d;
    }
}

TEST(ReadValues, LayoutTablesWrittenOutAreConsistent)
{
    // Spot checks of the written-out layout against offsets counted by hand,
    // so that the check below does not rest on a mistake in the helper.
    const auto layout = RecordLayout();
    ASSERT_EQ(layout.size(), 61u);
    std::set<std::size_t> offsets;
    std::set<int> dataTypes;
    for (const auto& [offset, dataType] : layout) {
        offsets.insert(offset);
        dataTypes.insert(dataType);
        EXPECT_LE(offset + 4, 344u);
    }
    EXPECT_EQ(offsets.size(), 61u);
    EXPECT_EQ(dataTypes.size(), 61u);
    const std::pair<std::size_t, int> handCounted[] = {
        {2, 3},                          // A peak, first float of the A block
        {10, 0},                         // A fast
        {26, 5},                         // A short peak
        {63, 10},                        // C peak
        {124, 17},                       // Z peak
        {148, 19},                       // Z short peak
        {184, 21}, {196, 24}, {200, 25}, // Fast 8kHz
        {212, 52},                       // Short Leq 8kHz
        {216, 26},                       // Fast 4kHz
        {336, 51},                       // Leq 31Hz
        {340, 60},                       // Short Leq 31Hz
    };
    for (const auto& entry : handCounted)
        EXPECT_NE(std::find(layout.begin(), layout.end(), entry), layout.end())
            << entry.first << " -> " << entry.second;
}

TEST(ReadValues, EveryFieldLandsInItsDataType)
{
    // A distinct value at each record offset; other version bytes and unused
    // floats than the writer's, which the reader must skip.
    Bytes record(344, 0);
    record[0] = 0x07;
    for (int block = 0; block < 3; ++block) {
        record[1 + 61 * static_cast<std::size_t>(block)] = 0x09;
        for (int u = 0; u < 8; ++u) {
            const float unused = 9999.0f + static_cast<float>(u);
            std::memcpy(&record[1 + 61 * static_cast<std::size_t>(block) + 29 + 4 * u], &unused, 4);
        }
    }
    for (const auto& [offset, dataType] : RecordLayout()) {
        const float value = 0.5f + static_cast<float>(offset);
        std::memcpy(&record[offset], &value, 4);
    }
    FileBytes file;
    file.Test(0.0, u"t", u"", 1).Byte(0x6F).Raw(record).End();
    const auto document = ReadDocument(file.bytes);
    ASSERT_EQ(document->firstTest->sampleCount, 1);
    for (const auto& [offset, dataType] : RecordLayout())
        EXPECT_EQ(document->firstTest->Value(dataType, 0), 0.5f + static_cast<float>(offset))
            << "data type " << dataType << " at offset " << offset;
}

TEST(ReadMarkers, MarkersBelongToTheSampleThatFollows)
{
    FileBytes file;
    file.Test(0.0, u"t", u"", 1).Marker(0x01);
    for (int i = 0; i < 8; ++i) {
        if (i == 5)
            file.Marker(0x21).Marker(0xFF);
        file.SampleRecord(DistinctSample(i));
    }
    file.Marker(0x42).End();
    const auto document = ReadDocument(file.bytes);
    const CNolvexTest& test = *document->firstTest;
    ASSERT_EQ(test.sampleCount, 8);
    ASSERT_EQ(test.markerCount, 4);
    EXPECT_EQ(test.markers[0].sampleIndex, 0);
    EXPECT_EQ(test.markers[0].code, 0x01);
    EXPECT_EQ(test.markers[1].sampleIndex, 5);
    EXPECT_EQ(test.markers[1].code, 0x21);
    EXPECT_EQ(test.markers[2].sampleIndex, 5);
    // The code byte is zero-extended.
    EXPECT_EQ(test.markers[2].code, 255);
    // After the last sample: the sample count.
    EXPECT_EQ(test.markers[3].sampleIndex, 8);
    EXPECT_EQ(test.markers[3].code, 0x42);
}

TEST(ReadMarkers, MarkerBeforeAnyTestIsDropped)
{
    FileBytes file;
    file.Marker(0x11).Test(0.0, u"t", u"", 1).SampleRecord(DistinctSample(0)).Marker(0x22).End();
    const auto document = ReadDocument(file.bytes);
    ASSERT_EQ(document->GetTestCount(), 1);
    ASSERT_EQ(document->firstTest->markerCount, 1);
    EXPECT_EQ(document->firstTest->markers[0].code, 0x22);
    EXPECT_EQ(document->firstTest->markers[0].sampleIndex, 1);
}

TEST(ReadMarkers, MarkersOfEachTestStayWithIt)
{
    FileBytes file;
    file.Test(0.0, u"a", u"", 1).SampleRecord(DistinctSample(0)).Marker(0x0A);
    file.Test(0.0, u"b", u"", 2).Marker(0x0B).SampleRecord(DistinctSample(0)).End();
    const auto document = ReadDocument(file.bytes);
    ASSERT_EQ(document->GetTestCount(), 2);
    ASSERT_EQ(document->GetTest(0)->markerCount, 1);
    EXPECT_EQ(document->GetTest(0)->markers[0].sampleIndex, 1);
    ASSERT_EQ(document->GetTest(1)->markerCount, 1);
    EXPECT_EQ(document->GetTest(1)->markers[0].sampleIndex, 0);
    EXPECT_EQ(document->GetTest(1)->markers[0].code, 0x0B);
}

TEST(ReadMarkers, ThousandMarkersAreKeptOneMoreIsRefused)
{
    FileBytes full;
    full.Test(0.0, u"Full", u"", 1);
    for (int m = 0; m < 1000; ++m)
        full.Marker(static_cast<BYTE>(m));
    full.End();
    const auto document = ReadDocument(full.bytes);
    EXPECT_EQ(document->firstTest->markerCount, 1000);
    EXPECT_EQ(document->firstTest->markers[999].code, 999 % 256);

    FileBytes tooMany;
    tooMany.Test(0.0, u"Crowded hall", u"", 1);
    for (int m = 0; m < 1001; ++m)
        tooMany.Marker(0x01);
    tooMany.End();
    EXPECT_THROW(ReadDocument(tooMany.bytes), CArchiveException);
    const Opened opened = OpenAsFile(tooMany.bytes);
    EXPECT_FALSE(opened.ok);
    EXPECT_EQ(opened.testCount, 0);
    EXPECT_NE(opened.message.find("Crowded hall"), std::string::npos) << opened.message;
}

TEST(ReadDamaged, DataEndingEarlyIsEndOfFile)
{
    FileBytes good;
    good.Test(2.0, u"name", u"info", 4).SampleRecord(DistinctSample(0)).Marker(0x03);
    good.SampleRecord(DistinctSample(1)).End();
    ASSERT_EQ(ReadDocument(good.bytes)->firstTest->sampleCount, 2);

    // Places where the data may stop: in the header value, in each string's
    // prefix and characters, in the test number, after a tag, inside a
    // record, in a marker, and just before the end tag.
    FileBytes header;
    header.Test(2.0, u"name", u"info", 4);
    const std::size_t headerSize = header.bytes.size();
    const std::size_t cuts[] = {
        0,
        1,
        5,
        9 + 2,
        9 + 4 + 3,
        9 + 12 + 4 + 1,
        headerSize - 1,
        headerSize,
        headerSize + 1,
        headerSize + 200,
        headerSize + 345,
        headerSize + 346,
        good.bytes.size() - 2,
        good.bytes.size() - 1,
    };
    for (std::size_t cut : cuts) {
        const Bytes truncated(good.bytes.begin(), good.bytes.begin() + static_cast<long>(cut));
        EXPECT_EQ(ReadFailure(truncated), CArchiveException::endOfFile) << "cut at " << cut;
    }
}

TEST(ReadDamaged, FailedOpenLeavesNoTests)
{
    FileBytes file;
    file.Test(0.0, u"first", u"", 1).SampleRecord(DistinctSample(0));
    file.Test(0.0, u"second", u"", 2).SampleRecord(DistinctSample(0));
    file.bytes.resize(file.bytes.size() - 100);
    const Opened opened = OpenAsFile(file.bytes);
    EXPECT_FALSE(opened.ok);
    EXPECT_EQ(opened.testCount, 0);
    EXPECT_FALSE(opened.message.empty());

    FileBytes complete;
    complete.Test(0.0, u"first", u"", 1).SampleRecord(DistinctSample(0)).End();
    const Opened fine = OpenAsFile(complete.bytes);
    EXPECT_TRUE(fine.ok) << fine.message;
    EXPECT_EQ(fine.testCount, 1);
}

TEST(ReadDamaged, HugeDeclaredNameLengthFailsAtOnce)
{
    FileBytes file;
    file.Byte(0x7A).Value(0.0).Raw({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    file.Value(std::uint64_t{0x7FFFFFFF});
    EXPECT_EQ(ReadFailure(file.bytes), CArchiveException::endOfFile);
    FileBytes beyond;
    beyond.Byte(0x7A).Value(0.0).Raw({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    beyond.Value(std::uint64_t{0x80000000});
    EXPECT_EQ(ReadFailure(beyond.bytes), CArchiveException::genericException);
}

TEST(ReadGrowth, CapacityGrowsInStepsOf300)
{
    const std::pair<int, int> cases[] = {{1, 300}, {300, 300}, {301, 600}, {600, 600}, {601, 900}};
    for (const auto& [samples, capacity] : cases) {
        FileBytes file;
        file.Test(0.0, u"t", u"", 1);
        for (int i = 0; i < samples; ++i) {
            if (i % 100 == 0)
                file.Marker(0x01);
            file.SampleRecord(DistinctSample(i));
        }
        file.End();
        const auto document = ReadDocument(file.bytes);
        const CNolvexTest& test = *document->firstTest;
        EXPECT_EQ(test.sampleCount, samples);
        EXPECT_EQ(test.capacity, capacity) << samples << " samples";
        EXPECT_EQ(test.Value(kShort8k, samples - 1), DistinctSample(samples - 1)[kShort8k]);
        EXPECT_EQ(test.Value(kFast, 0), DistinctSample(0)[kFast]);
    }
}

TEST(ReadGrowth, EachTestHasItsOwnCapacity)
{
    FileBytes file;
    file.Test(0.0, u"long", u"", 1);
    for (int i = 0; i < 301; ++i)
        file.SampleRecord(DistinctSample(i));
    file.Test(0.0, u"short", u"", 2);
    for (int i = 0; i < 5; ++i)
        file.SampleRecord(DistinctSample(i));
    file.End();
    const auto document = ReadDocument(file.bytes);
    EXPECT_EQ(document->GetTest(0)->capacity, 600);
    EXPECT_EQ(document->GetTest(0)->sampleCount, 301);
    EXPECT_EQ(document->GetTest(1)->capacity, 300);
    EXPECT_EQ(document->GetTest(1)->sampleCount, 5);
}

// A test long enough to be stored by several cores at once, with markers
// around the places where it is shared out and values to be clamped in every
// stretch: it must read exactly as record-by-record decoding would.
TEST(ReadLong, LongTestReadsEveryValueInPlace)
{
    constexpr int kSamples = 3 * 65536 + 123;
    // Unique for every sample and data type, and exact in a float.
    auto valueOf = [](int i, int d) {
        return static_cast<float>(i) + static_cast<float>(d) / 64.0f;
    };
    auto negativeAt = [](int i) { return i % 9973 == 5; };
    // Markers on both sides of the middle, where two cores share the test
    // out, so that a run of records is split there.
    const std::set<int> markedSamples = {0,     1,     255,   256,    65535,       65536,
                                         65537, 98364, 98366, 131075, kSamples - 1};
    FileBytes file;
    file.Test(0.0, u"long", u"", 1);
    int expectedMarkers = 0;
    for (int i = 0; i < kSamples; ++i) {
        if (markedSamples.count(i)) {
            file.Marker(static_cast<BYTE>(i % 251)).Marker(0x02);
            expectedMarkers += 2;
        }
        Sample sample;
        for (int d = 0; d < MetricCatalogue::kMetricCount; ++d)
            sample[static_cast<std::size_t>(d)] =
                negativeAt(i) ? -valueOf(i, d) - 1.0f : valueOf(i, d);
        file.SampleRecord(sample);
    }
    file.Marker(0x7F);
    file.Test(0.0, u"after", u"", 2).SampleRecord(DistinctSample(3)).End();

    const auto document = ReadDocument(file.bytes);
    ASSERT_EQ(document->GetTestCount(), 2);
    const CNolvexTest& test = *document->firstTest;
    ASSERT_EQ(test.sampleCount, kSamples);
    EXPECT_EQ(test.capacity, (kSamples + 299) / 300 * 300);
    int wrong = 0;
    int firstWrongSample = -1;
    for (int d = 0; d < MetricCatalogue::kMetricCount; ++d) {
        const float* values = test.values[static_cast<std::size_t>(d)].get();
        for (int i = 0; i < kSamples; ++i) {
            float expected = valueOf(i, d);
            if (negativeAt(i))
                expected = d == kTwa ? -expected - 1.0f : 0.0f;
            if (values[i] != expected && wrong++ == 0)
                firstWrongSample = i;
        }
    }
    EXPECT_EQ(wrong, 0) << "first at sample " << firstWrongSample;

    ASSERT_EQ(test.markerCount, expectedMarkers + 1);
    int m = 0;
    for (int sample : markedSamples) {
        EXPECT_EQ(test.markers[static_cast<std::size_t>(m)].sampleIndex, sample);
        EXPECT_EQ(test.markers[static_cast<std::size_t>(m)].code, sample % 251);
        EXPECT_EQ(test.markers[static_cast<std::size_t>(m) + 1].sampleIndex, sample);
        m += 2;
    }
    EXPECT_EQ(test.markers[static_cast<std::size_t>(m)].sampleIndex, kSamples);
    EXPECT_EQ(test.markers[static_cast<std::size_t>(m)].code, 0x7F);

    const CNolvexTest& after = *document->GetTest(1);
    ASSERT_EQ(after.sampleCount, 1);
    EXPECT_EQ(after.Value(kFast, 0), DistinctSample(3)[kFast]);
}
