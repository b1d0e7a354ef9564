// Files that are damaged, foreign or changing while they are read: the
// reader reads in blocks (so any split of the bytes must read alike), a file
// that shrinks or fails under it gives a read error, and the bytes a read
// leaves unread are reported and guarded against a save over them.

#include "MeasurementBytes.h"

#include "Exceptions.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

using namespace testing_bytes;

namespace {

// A file in memory that hands out its bytes a few at a time, as a pipe or a
// slow network file does: each read gets the next length of a cycle that
// cuts records, headers and strings at every kind of place.
class TricklingFile : public CMemFile
{
public:
    explicit TricklingFile(testing_bytes::Bytes bytes) : CMemFile(std::move(bytes)) {}

    std::size_t Read(void* buffer, std::size_t size) override
    {
        static constexpr std::size_t kLengths[] = {1, 2, 3, 344, 345, 346, 7, 689, 5000, 13};
        const std::size_t length = kLengths[m_turn++ % std::size(kLengths)];
        return CMemFile::Read(buffer, std::min(size, length));
    }

private:
    std::size_t m_turn = 0;
};

// A file whose reads fail once this many bytes have been handed out.
class FailingFile : public CMemFile
{
public:
    FailingFile(testing_bytes::Bytes bytes, std::size_t goodBytes)
        : CMemFile(std::move(bytes)), m_left(goodBytes)
    {
    }

    std::size_t Read(void* buffer, std::size_t size) override
    {
        if (m_left == 0)
            throw CFileException(CFileException::hardIO, CString("failing.nolvex"));
        const std::size_t read = CMemFile::Read(buffer, std::min(size, m_left));
        m_left -= read;
        return read;
    }

private:
    std::size_t m_left;
};

// A recording still being written while it is read: the file's length says
// only a little more than has been handed out so far, so the reader takes it
// in blocks of that size, stores each while it reads the next, and keeps
// finding more.
class GrowingFile : public CMemFile
{
public:
    GrowingFile(testing_bytes::Bytes bytes, std::size_t lead)
        : CMemFile(std::move(bytes)), m_lead(lead)
    {
    }

    std::size_t Read(void* buffer, std::size_t size) override
    {
        const std::size_t read = CMemFile::Read(buffer, size);
        m_handedOut += read;
        return read;
    }
    std::uint64_t GetLength() const override
    {
        return std::min<std::uint64_t>(CMemFile::GetLength(), m_handedOut + m_lead);
    }

private:
    std::size_t m_lead;
    std::size_t m_handedOut = 0;
};

// A file cut short by another program after the reader's read had begun:
// the system handed out zeros for the bytes that went, and the file's length
// is now shorter than what was read.
class CutWhileReadFile : public CMemFile
{
public:
    CutWhileReadFile(testing_bytes::Bytes bytes, std::size_t lengthAfterRead)
        : CMemFile(std::move(bytes)), m_lengthAfterRead(lengthAfterRead)
    {
    }

    std::size_t Read(void* buffer, std::size_t size) override
    {
        m_readBegun = true;
        return CMemFile::Read(buffer, size);
    }
    std::uint64_t GetLength() const override
    {
        return m_readBegun ? m_lengthAfterRead : CMemFile::GetLength();
    }

private:
    std::size_t m_lengthAfterRead;
    bool m_readBegun = false;
};

// Two tests with markers in many places: directly after the header, between
// samples, several before one sample and after the last sample.
Bytes TwoTestsWithMarkers()
{
    FileBytes file;
    file.Test(1.5, u"first test", u"site", 7).Marker(0x01);
    for (int i = 0; i < 700; ++i) {
        if (i % 97 == 3)
            file.Marker(static_cast<BYTE>(i)).Marker(0x90);
        file.SampleRecord(DistinctSample(i));
    }
    file.Marker(0x7F);
    file.AnsiTest(-2.0, "second", "", 8);
    for (int i = 0; i < 301; ++i)
        file.SampleRecord(DistinctSample(1000 + i));
    file.End();
    return file.bytes;
}

QString WriteFile(const QTemporaryDir& dir, const char* name, const Bytes& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    return path;
}

Bytes ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray all = file.readAll();
    return Bytes(all.begin(), all.end());
}

} // namespace

TEST(ReadInBlocks, AnySplitOfTheBytesReadsAlike)
{
    const Bytes bytes = TwoTestsWithMarkers();
    const auto whole = ReadDocument(bytes);

    auto trickled = std::make_unique<CNolvexDoc>();
    TricklingFile file(bytes);
    CArchive ar(&file, CArchive::load);
    trickled->Serialize(ar);

    ASSERT_EQ(trickled->GetTestCount(), 2);
    EXPECT_EQ(trickled->GetTest(0)->sampleCount, 700);
    EXPECT_EQ(trickled->GetTest(0)->markerCount, 1 + 2 * 8 + 1);
    EXPECT_EQ(trickled->GetTest(1)->sampleCount, 301);
    // Written back, both give the same bytes: every value, marker and
    // header field came through.
    EXPECT_EQ(WriteDocument(*trickled), WriteDocument(*whole));
    EXPECT_EQ(trickled->GetTest(0)->capacity, 900);
    EXPECT_EQ(trickled->GetTest(1)->capacity, 600);
}

TEST(ReadInBlocks, AGrowingFileReadInManyBlocksReadsAlike)
{
    // Long enough that each block is shared out among the cores, with
    // markers on both sides of block boundaries.
    FileBytes recording;
    recording.Test(0.0, u"long", u"", 1);
    for (int i = 0; i < 60000; ++i) {
        if (i % 7919 == 0)
            recording.Marker(static_cast<BYTE>(i % 251));
        recording.SampleRecord(DistinctSample(i));
    }
    recording.Test(0.0, u"short", u"", 2);
    for (int i = 0; i < 50; ++i)
        recording.SampleRecord(DistinctSample(100000 + i));
    recording.End();
    const Bytes bytes = recording.bytes;
    const auto whole = ReadDocument(bytes);

    for (std::size_t lead : {std::size_t{4096}, std::size_t{3} << 20}) {
        GrowingFile file(bytes, lead);
        CArchive ar(&file, CArchive::load);
        CNolvexDoc grown;
        grown.Serialize(ar);
        ASSERT_EQ(grown.GetTestCount(), 2) << lead;
        EXPECT_EQ(grown.GetTest(0)->sampleCount, 60000) << lead;
        EXPECT_EQ(grown.GetTest(0)->markerCount, 8) << lead;
        EXPECT_EQ(grown.GetTest(1)->sampleCount, 50) << lead;
        EXPECT_FALSE(grown.GetUnreadTail().has_value()) << lead;
        EXPECT_TRUE(WriteDocument(grown) == WriteDocument(*whole)) << lead;
    }
}

TEST(ReadInBlocks, AFileCutShortDuringTheReadIsEndOfFileNotAnUnreadTail)
{
    // The system's zeros where the file was cut would end the reading like
    // a stray byte; the file's new length tells the two apart.
    Bytes bytes = TwoTestsWithMarkers();
    std::fill(bytes.begin() + 4096, bytes.end(), BYTE{0});
    {
        CutWhileReadFile file(bytes, 4096);
        CArchive ar(&file, CArchive::load);
        CNolvexDoc document;
        try {
            document.Serialize(ar);
            ADD_FAILURE() << "a file cut short while it was read was read";
        } catch (const CArchiveException& error) {
            EXPECT_EQ(error.m_cause, CArchiveException::endOfFile);
        }
    }
    // The same bytes in a file that keeps its length: zeros in the file
    // itself are a stray byte, and the rest is reported unread.
    const auto document = ReadDocument(bytes);
    ASSERT_TRUE(document->GetUnreadTail().has_value());
    EXPECT_EQ(document->GetUnreadTail()->stopOffset + document->GetUnreadTail()->byteCount,
              bytes.size());
}

TEST(ReadInBlocks, ARecordCutShortAnywhereIsEndOfFile)
{
    const Bytes bytes = TwoTestsWithMarkers();
    // Cut inside the first header, a sample record, a marker and the second
    // header's string, and just before the end tag.
    for (std::size_t keep : {std::size_t{5}, std::size_t{40}, std::size_t{2000},
                             bytes.size() - 301 * 345 - 3, bytes.size() - 1}) {
        Bytes cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(keep));
        TricklingFile file(cut);
        CArchive ar(&file, CArchive::load);
        CNolvexDoc document;
        try {
            document.Serialize(ar);
            ADD_FAILURE() << "read " << keep << " bytes without error";
        } catch (const CArchiveException& error) {
            EXPECT_EQ(error.m_cause, CArchiveException::endOfFile) << keep;
        }
    }
}

TEST(ReadInBlocks, AFileThatFailsWhileReadGivesItsError)
{
    const Bytes bytes = TwoTestsWithMarkers();
    for (std::size_t good : {std::size_t{0}, std::size_t{100}, bytes.size() / 2}) {
        FailingFile file(bytes, good);
        CArchive ar(&file, CArchive::load);
        CNolvexDoc document;
        EXPECT_THROW(document.Serialize(ar), CFileException) << good;
    }
}

// Another program cuts the file short while it is being opened (a copy or a
// sync still running). Whenever the cut comes, the open either reads the
// whole file or fails with the end-of-file error; it never reads bytes that
// are no longer there. Repeated until a cut has come during the read.
TEST(ReadInBlocks, AFileCutShortWhileItIsReadFailsCleanly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    FileBytes recording;
    recording.Test(0.0, u"long", u"", 1);
    for (int i = 0; i < 60000; ++i)
        recording.SampleRecord(DistinctSample(i % 5000));
    recording.End();
    const Bytes bytes = recording.bytes;

    int cutDuringRead = 0;
    int wholeReads = 0;
    for (int attempt = 1; attempt < 200 && cutDuringRead < 3; ++attempt) {
        const QString path = WriteFile(dir, "shrinking.nolvex", bytes);
        ASSERT_FALSE(path.isEmpty());
        std::atomic<bool> started = false;
        std::thread cutter([&] {
            while (!started)
                std::this_thread::yield();
            // A little later each time, so that some cut lands in the read.
            std::this_thread::sleep_for(std::chrono::microseconds(200 * (attempt % 40)));
            ASSERT_EQ(truncate(path.toLocal8Bit().constData(), 1000), 0);
        });
        CNolvexDoc document;
        started = true;
        const bool opened = document.OnOpenDocument(CString::FromQString(path));
        cutter.join();
        if (opened) {
            ASSERT_EQ(document.GetTestCount(), 1);
            EXPECT_FALSE(document.GetUnreadTail().has_value());
            ASSERT_EQ(document.firstTest->sampleCount, 60000);
            ++wholeReads;
        } else {
            EXPECT_EQ(document.GetTestCount(), 0);
            EXPECT_NE(document.GetLastErrorMessage().ToUtf8().find("shrinking.nolvex"),
                      std::string::npos);
            ++cutDuringRead;
        }
    }
    EXPECT_GE(cutDuringRead, 1) << "the cut never came during a read (" << wholeReads
                                << " whole reads)";
}

TEST(UnreadBytes, AWholeFileLeavesNothingUnread)
{
    const auto document = ReadDocument(TwoTestsWithMarkers());
    EXPECT_FALSE(document->GetUnreadTail().has_value());
    EXPECT_TRUE(document->GetOpenWarning().IsEmpty());
    EXPECT_TRUE(document->GetOverwriteQuestion(CString("anything")).IsEmpty());
}

TEST(UnreadBytes, WhereReadingStoppedAndHowManyBytesAreLeft)
{
    struct Case
    {
        const char* what;
        Bytes bytes;
        std::uint64_t stopOffset;
        std::uint64_t unread;
        int tests;
    };
    const Bytes good = TwoTestsWithMarkers();
    // A stray byte in place of the second test's tag.
    Bytes stray = good;
    const std::size_t secondTest = good.size() - 1 - 301 * 345 - (1 + 8 + 7 + 1 + 4);
    ASSERT_EQ(stray[secondTest], MeasurementFile::kTagTest);
    stray[secondTest] = 0x00;
    // Bytes after the end tag.
    Bytes trailing = good;
    trailing.insert(trailing.end(), {'x', 'y', 'z'});
    const std::string csv = "name\ninfo\nTest #: 1\nA fast\n61.20\n";
    const std::vector<Case> cases = {
        {"stray byte", stray, secondTest, good.size() - secondTest, 1},
        {"bytes after the end tag", trailing, good.size() - 1, 3, 2},
        {"a CSV file", Bytes(csv.begin(), csv.end()), 0, csv.size(), 0},
    };
    for (const Case& c : cases) {
        const auto document = ReadDocument(c.bytes);
        EXPECT_EQ(document->GetTestCount(), c.tests) << c.what;
        ASSERT_TRUE(document->GetUnreadTail().has_value()) << c.what;
        EXPECT_EQ(document->GetUnreadTail()->stopOffset, c.stopOffset) << c.what;
        EXPECT_EQ(document->GetUnreadTail()->byteCount, c.unread) << c.what;
    }
}

// Opening a file with a stray byte tells what was not read; saving over it
// asks first, and once it is saved over, nothing is left unread.
TEST(UnreadBytes, TheUserIsToldAndSavingOverTheFileAsks)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Bytes bytes = TwoTestsWithMarkers();
    // The second sample's tag: after the tag, header value, name, info and
    // test number of the first test, its first marker and first sample.
    const std::size_t stray = 1 + 8 + (4 + 2 * 10) + (4 + 2 * 4) + 4 + 2 + 345;
    ASSERT_EQ(bytes[stray], MeasurementFile::kTagSample);
    bytes[stray] = 'A';
    const QString path = WriteFile(dir, "stray.nolvex", bytes);
    const CString name = CString::FromQString(path);

    CNolvexDoc document;
    ASSERT_TRUE(document.OnOpenDocument(name));
    ASSERT_EQ(document.GetTestCount(), 1);
    const std::string unread = std::to_string(bytes.size() - stray);
    const std::string warning = document.GetOpenWarning().ToUtf8();
    EXPECT_NE(warning.find(path.toStdString()), std::string::npos) << warning;
    EXPECT_NE(warning.find("byte " + std::to_string(stray)), std::string::npos) << warning;
    EXPECT_NE(warning.find(unread + " bytes"), std::string::npos) << warning;

    const std::string question = document.GetOverwriteQuestion(name).ToUtf8();
    EXPECT_NE(question.find(unread + " bytes"), std::string::npos) << question;
    // Another file of the same document needs no question, and the file
    // read stays as it was.
    const QString other = dir.filePath("other.nolvex");
    EXPECT_TRUE(document.GetOverwriteQuestion(CString::FromQString(other)).IsEmpty());
    ASSERT_TRUE(document.OnSaveDocument(CString::FromQString(other)));
    EXPECT_EQ(ReadAll(path), bytes);
    EXPECT_FALSE(document.GetOverwriteQuestion(name).IsEmpty());

    // Saved over (the person said yes): the file is whole again.
    ASSERT_TRUE(document.OnSaveDocument(name));
    EXPECT_TRUE(document.GetOverwriteQuestion(name).IsEmpty());
    CNolvexDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(name));
    EXPECT_TRUE(reopened.GetOpenWarning().IsEmpty());
}

// A file of 100,000 test headers without samples or markers: the tests cost
// memory for what they hold, not a marker table and value room each.
TEST(ManyTests, HundredThousandEmptyTestsStayWithinBounds)
{
    constexpr int kTests = 100000;
    FileBytes file;
    for (int i = 0; i < kTests; ++i)
        file.Test(0.0, u"empty test", u"", i);
    file.End();

    const auto residentBytes = [] {
        long pages = 0;
        long resident = 0;
        FILE* statm = std::fopen("/proc/self/statm", "r");
        if (statm == nullptr)
            return 0L;
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
        return resident * sysconf(_SC_PAGESIZE);
    };
    const long before = residentBytes();
    const auto document = ReadDocument(file.bytes);
    [[maybe_unused]] const long grown = residentBytes() - before;
    ASSERT_EQ(document->GetTestCount(), kTests);
    EXPECT_EQ(document->GetTest(kTests - 1)->testNumber, kTests - 1);
    EXPECT_EQ(document->GetTest(kTests - 1)->markers, nullptr);
    // Under AddressSanitizer the figure is the sanitizer's more than the
    // program's.
#ifndef __SANITIZE_ADDRESS__
    EXPECT_LT(grown, 100L << 20) << "the tests took " << (grown >> 20) << " MB";
#endif
}
