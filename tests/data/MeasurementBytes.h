#pragma once

// Helpers of the data tests: measurement files built byte by byte from the
// record layout, documents read from and written to memory, and tests filled
// with samples.

#include "CArchive.h"
#include "CFile.h"
#include "CMemFile.h"
#include "MeasurementFile.h"
#include "NolvexDoc.h"
#include "NolvexTest.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace testing_bytes {

using Bytes = std::vector<BYTE>;
using Sample = std::array<float, MetricCatalogue::kMetricCount>;

// Where each data type stands in the 344-byte sample record, offsets from the
// record's first byte (the byte after the tag), written out from the record
// tables: a version byte; three weighting blocks of 61 bytes (A, C, Z), each
// a version byte, then peak, impulse, fast, slow, leq, short leq, short peak
// and eight unused floats; the four dose floats; nine band quadruples of
// fast, slow, leq, short leq.
inline std::vector<std::pair<std::size_t, int>> RecordLayout()
{
    std::vector<std::pair<std::size_t, int>> layout;
    const int weightingBase[3] = {0, 7, 14};
    // Peak, impulse, fast, slow, leq, short leq, short peak.
    const int quantity[7] = {3, 1, 0, 6, 2, 4, 5};
    for (int block = 0; block < 3; ++block) {
        for (int q = 0; q < 7; ++q)
            layout.emplace_back(1 + 61 * block + 1 + 4 * q, weightingBase[block] + quantity[q]);
    }
    layout.emplace_back(184, 21);
    layout.emplace_back(188, 22);
    layout.emplace_back(192, 23);
    layout.emplace_back(196, 24);
    for (int band = 0; band < 9; ++band) {
        const std::size_t base = 200 + 16 * static_cast<std::size_t>(band);
        layout.emplace_back(base, 25 + band);
        layout.emplace_back(base + 4, 34 + band);
        layout.emplace_back(base + 8, 43 + band);
        layout.emplace_back(base + 12, 52 + band);
    }
    return layout;
}

// A measurement file under construction.
class FileBytes
{
public:
    FileBytes& Byte(BYTE value)
    {
        bytes.push_back(value);
        return *this;
    }
    FileBytes& Raw(const Bytes& more)
    {
        bytes.insert(bytes.end(), more.begin(), more.end());
        return *this;
    }
    template <typename T> FileBytes& Value(T value)
    {
        BYTE raw[sizeof value];
        std::memcpy(raw, &value, sizeof value);
        bytes.insert(bytes.end(), raw, raw + sizeof value);
        return *this;
    }
    // The written form: FF FE FF, a one-byte length, UTF-16LE.
    FileBytes& UnicodeString(const std::u16string& text)
    {
        Byte(0xFF).Byte(0xFE).Byte(0xFF).Byte(static_cast<BYTE>(text.size()));
        for (char16_t unit : text)
            Value(static_cast<WORD>(unit));
        return *this;
    }
    // The ANSI form: a one-byte length and Windows-1252 bytes.
    FileBytes& AnsiString(const std::string& text)
    {
        Byte(static_cast<BYTE>(text.size()));
        bytes.insert(bytes.end(), text.begin(), text.end());
        return *this;
    }
    FileBytes& Test(double headerValue, const std::u16string& name, const std::u16string& info,
                    std::int32_t testNumber)
    {
        Byte(MeasurementFile::kTagTest).Value(headerValue);
        UnicodeString(name).UnicodeString(info);
        return Value(testNumber);
    }
    FileBytes& AnsiTest(double headerValue, const std::string& name, const std::string& info,
                        std::int32_t testNumber)
    {
        Byte(MeasurementFile::kTagTest).Value(headerValue);
        AnsiString(name).AnsiString(info);
        return Value(testNumber);
    }
    // A sample record as the writer makes it: versions 1, unused floats 0.
    // A reader test may put other bytes in the places that are not values.
    FileBytes& SampleRecord(const Sample& values, BYTE version = 0x01, float unused = 0.0f)
    {
        Byte(MeasurementFile::kTagSample);
        Bytes record(344, 0);
        record[0] = version;
        for (int block = 0; block < 3; ++block) {
            record[1 + 61 * static_cast<std::size_t>(block)] = version;
            for (int u = 0; u < 8; ++u)
                std::memcpy(&record[1 + 61 * static_cast<std::size_t>(block) + 29 + 4 * u], &unused,
                            sizeof unused);
        }
        for (const auto& [offset, dataType] : RecordLayout())
            std::memcpy(&record[offset], &values[static_cast<std::size_t>(dataType)],
                        sizeof(float));
        return Raw(record);
    }
    FileBytes& Marker(BYTE code) { return Byte(MeasurementFile::kTagMarker).Byte(code); }
    FileBytes& End() { return Byte(MeasurementFile::kTagEnd); }

    Bytes bytes;
};

// The values of sample i of a made-up test: distinct per data type and sample.
inline Sample DistinctSample(int i)
{
    Sample sample{};
    for (int d = 0; d < MetricCatalogue::kMetricCount; ++d)
        sample[static_cast<std::size_t>(d)] = static_cast<float>(d * 1000 + i) + 0.25f;
    return sample;
}

inline void Append(CNolvexTest& test, const Sample& sample)
{
    float values[MetricCatalogue::kMetricCount];
    std::memcpy(values, sample.data(), sizeof values);
    test.AppendSample(values);
}

// Appends count samples, sample i made by the function.
inline void Fill(CNolvexTest& test, int count, const std::function<Sample(int)>& sampleAt)
{
    for (int i = 0; i < count; ++i)
        Append(test, sampleAt(i));
}

// Reads a document from the bytes as opening a file does; throws as it does.
inline std::unique_ptr<CNolvexDoc> ReadDocument(const Bytes& bytes)
{
    auto document = std::make_unique<CNolvexDoc>();
    CMemFile file(bytes);
    CArchive ar(&file, CArchive::load);
    document->Serialize(ar);
    return document;
}

inline Bytes WriteDocument(CNolvexDoc& document)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    document.Serialize(ar);
    ar.Close();
    return file.Bytes();
}

// Links a new test at the end of the document's chain.
inline CNolvexTest& AddTest(CNolvexDoc& document)
{
    CNolvexTest* last = document.firstTest;
    while (last && last->next)
        last = last->next;
    return *document.AddTestAfter(last);
}

} // namespace testing_bytes
