// Runs the real nolvex-gen and checks what it writes, prints and returns.

#include "CArchive.h"
#include "CFile.h"
#include "CMemFile.h"
#include "NolvexDoc.h"
#include "SampleGenerator.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ToolRun
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

ToolRun RunGenerator(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(NOLVEX_GEN_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    ToolRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

std::vector<BYTE> ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return std::vector<BYTE>(bytes.begin(), bytes.end());
}

std::vector<BYTE> GeneratedBytes(std::uint64_t seed, double durationSeconds, int testCount)
{
    CNolvexDoc document;
    GeneratorOptions options;
    options.seed = seed;
    options.durationSeconds = durationSeconds;
    options.testCount = testCount;
    GenerateDocument(options, document);
    CMemFile file;
    CArchive archive(&file, CArchive::store);
    document.Serialize(archive);
    archive.Close();
    return file.TakeBytes();
}

int LineCount(const std::string& text)
{
    int lines = 0;
    for (char c : text)
        lines += c == '\n';
    return lines;
}

class GeneratorTool : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(directory.isValid()); }
    QString Path(const char* name) const { return directory.filePath(name); }

    QTemporaryDir directory;
};

TEST_F(GeneratorTool, HelpDescribesEveryOption)
{
    const ToolRun run = RunGenerator({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.empty());
    for (const char* option :
         {"--output FILE", "--seed N", "--duration SECONDS", "--tests N", "--help", "Exit status"})
        EXPECT_NE(run.out.find(option), std::string::npos) << option;
}

TEST_F(GeneratorTool, WritesWhatTheGeneratorMakes)
{
    const QString output = Path("two.nolvex");
    const ToolRun run =
        RunGenerator({"--output", output, "--seed", "9", "--duration", "45.5", "--tests", "2"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.err.empty());
    const std::vector<BYTE> expected = GeneratedBytes(9, 45.5, 2);
    EXPECT_EQ(ReadFile(output), expected);

    // The "--name=value" form says the same.
    const QString same = Path("same.nolvex");
    ASSERT_EQ(
        RunGenerator({"--tests=2", "--duration=45.5", "--seed=9", "--output=" + same}).exitCode, 0);
    EXPECT_EQ(ReadFile(same), expected);
}

TEST_F(GeneratorTool, DefaultsAreSeedOneTenMinutesOneTest)
{
    const QString output = Path("default.nolvex");
    const ToolRun run = RunGenerator({"--output", output});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadFile(output), GeneratedBytes(1, 600.0, 1));
}

TEST_F(GeneratorTool, BadArgumentsExitWithTwoAndOneLine)
{
    const QString output = Path("never.nolvex");
    const std::vector<QStringList> cases = {
        {},
        {"--seed", "3"},
        {"--output"},
        {"--output", output, "--seed", "x"},
        {"--output", output, "--seed", "-1"},
        {"--output", output, "--seed", "18446744073709551616"},
        {"--output", output, "--duration", "-5"},
        {"--output", output, "--duration", "ten"},
        {"--output", output, "--duration", "inf"},
        {"--output", output, "--tests", "0"},
        {"--output", output, "--tests", "101"},
        {"--output", output, "--tests", "2.5"},
        {"--output", output, "--seed", "1", "--seed", "2"},
        {"--output", output, "--tests", "3", "--duration", "300000"},
        {"--output", output, "--colour", "red"},
        {"--output", output, "extra"},
    };
    for (const QStringList& arguments : cases) {
        const ToolRun run = RunGenerator(arguments);
        const std::string shown = arguments.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, 2) << shown;
        EXPECT_EQ(LineCount(run.err), 1) << shown << ": " << run.err;
        EXPECT_TRUE(run.out.empty()) << shown;
    }
    EXPECT_FALSE(QFile::exists(output));
}

TEST_F(GeneratorTool, AFileThatCannotBeWrittenExitsWithOneAndNamesIt)
{
    const QString output = Path("missing-folder/sample.nolvex");
    const ToolRun run = RunGenerator({"--output", output, "--duration", "5"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(LineCount(run.err), 1) << run.err;
    EXPECT_NE(run.err.find(output.toStdString()), std::string::npos) << run.err;
    EXPECT_FALSE(QFile::exists(output));
}

} // namespace
