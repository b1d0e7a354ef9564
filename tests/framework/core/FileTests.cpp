// Files on disk: replacing a file only once it is complete, the errors of
// opening, and a document's open and save reporting them.

#include "CArchive.h"
#include "CDocument.h"
#include "CFile.h"
#include "Exceptions.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

CString PathIn(const QTemporaryDir& dir, const char* name)
{
    return CString::FromQString(dir.filePath(QString::fromUtf8(name)));
}

std::string Contents(const CString& path)
{
    QFile file(path.ToQString());
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll().toStdString();
}

void Put(const CString& path, const std::string& text)
{
    QFile file(path.ToQString());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(text.data(), static_cast<qint64>(text.size())),
              static_cast<qint64>(text.size()));
}

QStringList Entries(const QTemporaryDir& dir)
{
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

void WriteText(CFile& file, const std::string& text)
{
    file.Write(text.data(), text.size());
}

constexpr unsigned kReplacing = CFile::modeCreate | CFile::modeWrite | CFile::modeReplaceOnClose;

// A document whose contents are one text, written and read as an archive string.
class TextDocument : public CDocument
{
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsLoading()) {
            text = ar.ReadString();
        } else {
            ar.WriteString(text);
            if (failWhileWriting)
                ar.ThrowGenericError(CString("writing stopped half way"));
        }
    }
    void DeleteContents() override { text = CString(); }

    CString text;
    bool failWhileWriting = false;
};

} // namespace

TEST(ReplacingFile, CloseReplacesTheOldFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const CString path = PathIn(dir, "data.nolvex");
    Put(path, "old contents");

    CFile file(path, kReplacing);
    WriteText(file, "new");
    // Until Close, the old file is what others see.
    EXPECT_EQ(Contents(path), "old contents");
    file.Close();
    EXPECT_EQ(Contents(path), "new");
    EXPECT_EQ(Entries(dir), QStringList{"data.nolvex"});
}

TEST(ReplacingFile, AbortLeavesTheOldFileUntouched)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const CString path = PathIn(dir, "data.nolvex");
    Put(path, "old contents");

    CFile file(path, kReplacing);
    WriteText(file, "new");
    file.Abort();
    EXPECT_EQ(Contents(path), "old contents");
    EXPECT_EQ(Entries(dir), QStringList{"data.nolvex"});
}

TEST(ReplacingFile, DestroyedWithoutCloseLeavesTheOldFileUntouched)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const CString path = PathIn(dir, "data.nolvex");
    Put(path, "old contents");
    {
        CFile file(path, kReplacing);
        WriteText(file, "new");
    }
    EXPECT_EQ(Contents(path), "old contents");
    EXPECT_EQ(Entries(dir), QStringList{"data.nolvex"});

    // Nor is a file created where there was none.
    const CString fresh = PathIn(dir, "fresh.nolvex");
    {
        CFile file(fresh, kReplacing);
        WriteText(file, "new");
    }
    EXPECT_FALSE(QFile::exists(fresh.ToQString()));
}

TEST(FileOpen, MissingFileIsFileNotFoundNamingTheFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const CString path = PathIn(dir, "absent.nolvex");
    try {
        CFile file(path, CFile::modeRead);
        ADD_FAILURE() << "a missing file was opened";
    } catch (const CFileException& error) {
        EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
        EXPECT_EQ(error.m_strFileName, path);
        EXPECT_NE(error.GetErrorMessage().ToUtf8().find(path.ToUtf8()), std::string::npos)
            << error.GetErrorMessage().ToUtf8();
    }
}

TEST(FileOpen, FolderIsNoFileToRead)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_THROW({ CFile file(CString::FromQString(dir.path()), CFile::modeRead); },
                 CFileException);
}

TEST(FileOpen, WritingIntoMissingFolderFails)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const CString path = PathIn(dir, "missing/out.csv");
    EXPECT_THROW({ CFile file(path, CFile::modeCreate | CFile::modeWrite); }, CFileException);
    EXPECT_THROW({ CFile file(path, kReplacing); }, CFileException);
    EXPECT_TRUE(Entries(dir).isEmpty());
}

TEST(FileContents, ReadWholeAndEmpty)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const CString path = PathIn(dir, "bytes.bin");
    Put(path, std::string("ab\0c", 4));
    CFile file(path, CFile::modeRead);
    EXPECT_EQ(file.GetLength(), 4u);
    CArchive whole(&file, CArchive::load);
    const BYTE* contents = whole.ReadInPlace(4);
    EXPECT_EQ(contents[2], 0);
    EXPECT_EQ(contents[3], 'c');
    EXPECT_EQ(whole.GetUnreadLength(), 0u);
    file.Close();

    const CString empty = PathIn(dir, "empty.bin");
    Put(empty, "");
    CFile emptyFile(empty, CFile::modeRead);
    CArchive ar(&emptyFile, CArchive::load);
    EXPECT_EQ(ar.Fill(1), 0u);
    EXPECT_THROW(ar.ReadValue<BYTE>(), CArchiveException);
}

TEST(DocumentSave, SavesAndOpensAgain)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const CString path = PathIn(dir, "doc.nolvex");
    TextDocument document;
    document.text = CString(u"Hall \u00e9");
    document.SetModifiedFlag(true);
    ASSERT_TRUE(document.OnSaveDocument(path));
    EXPECT_FALSE(document.IsModified());

    TextDocument reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(path));
    EXPECT_EQ(reopened.text, document.text);
}

TEST(DocumentSave, IntoMissingFolderFailsAndCreatesNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const CString path = PathIn(dir, "missing/doc.nolvex");
    TextDocument document;
    document.text = CString("contents");
    document.SetModifiedFlag(true);
    EXPECT_FALSE(document.OnSaveDocument(path));
    EXPECT_FALSE(document.GetLastErrorMessage().IsEmpty());
    EXPECT_NE(document.GetLastErrorMessage().ToUtf8().find("doc.nolvex"), std::string::npos)
        << document.GetLastErrorMessage().ToUtf8();
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(Entries(dir).isEmpty());
}

TEST(DocumentSave, FailureWhileWritingKeepsTheOldFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const CString path = PathIn(dir, "doc.nolvex");
    Put(path, "previous save");
    TextDocument document;
    document.text = CString("half written");
    document.failWhileWriting = true;
    EXPECT_FALSE(document.OnSaveDocument(path));
    EXPECT_NE(document.GetLastErrorMessage().ToUtf8().find("writing stopped half way"),
              std::string::npos);
    EXPECT_EQ(Contents(path), "previous save");
    EXPECT_EQ(Entries(dir), QStringList{"doc.nolvex"});
}

TEST(DocumentOpen, FailuresAreReportedAndLeaveNothingLoaded)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TextDocument document;
    document.text = CString("stale");
    const CString missing = PathIn(dir, "absent.nolvex");
    EXPECT_FALSE(document.OnOpenDocument(missing));
    EXPECT_NE(document.GetLastErrorMessage().ToUtf8().find(missing.ToUtf8()), std::string::npos);
    EXPECT_TRUE(document.text.IsEmpty());

    // A string whose characters are not all there.
    const CString truncated = PathIn(dir, "truncated.nolvex");
    Put(truncated, "\x05"
                   "abc");
    document.text = CString("stale");
    EXPECT_FALSE(document.OnOpenDocument(truncated));
    EXPECT_FALSE(document.GetLastErrorMessage().IsEmpty());
    EXPECT_TRUE(document.text.IsEmpty());
}
