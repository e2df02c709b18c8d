// CFile, CStdioFile and CFileFind against real files in a fresh folder.
#include <afx.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "tests/framework/core/FrameworkTestHelpers.h"
#include "tests/support/TestSupport.h"

namespace {

int OpenCause(const std::string& path, UINT flags)
{
    CFile file;
    CFileException e;
    if (file.Open(path.c_str(), flags, &e))
        return CFileException::none;
    return e.m_cause;
}

TEST(FileTest, OpenModesAndFailures)
{
    TempDir dir;
    std::string path = dir.File("data.bin");
    WriteFileBytes(path, Bytes{1, 2, 3});

    EXPECT_EQ(OpenCause(dir.File("missing.bin"), CFile::modeRead), CFileException::fileNotFound);
    EXPECT_EQ(OpenCause(dir.File("no\\such\\dir.bin"), CFile::modeRead), CFileException::badPath);

    {
        CFile keep(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite);
        EXPECT_EQ(keep.GetLength(), 3u);
    }
    {
        CFile guard(path.c_str(), CFile::modeRead | CFile::shareDenyWrite);
        EXPECT_EQ(OpenCause(path, CFile::modeWrite | CFile::shareDenyNone), CFileException::sharingViolation);
        EXPECT_EQ(OpenCause(path, CFile::modeRead | CFile::shareDenyNone), CFileException::none);
    }
    {
        CFile a(path.c_str(), CFile::modeReadWrite | CFile::shareDenyNone);
        EXPECT_EQ(OpenCause(path, CFile::modeReadWrite | CFile::shareDenyNone), CFileException::none);
    }
    {
        CFile truncated(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(truncated.GetLength(), 0u);
    }

    EXPECT_EQ(OpenCause(dir.Path(), CFile::modeWrite), CFileException::accessDenied); // a folder

    int cause = -1;
    try {
        CFile thrower(dir.File("missing.bin").c_str(), CFile::modeRead);
    } catch (CFileException* e) {
        cause = e->m_cause;
        EXPECT_EQ(e->m_strFileName, dir.File("missing.bin").c_str());
        e->Delete();
    }
    EXPECT_EQ(cause, CFileException::fileNotFound);
}

TEST(FileTest, ReadWriteSeekAndLength)
{
    TempDir dir;
    std::string path = dir.File("data.bin");
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeReadWrite);
    file.Write("0123456789", 10);
    EXPECT_EQ(file.GetPosition(), 10u);
    EXPECT_EQ(file.GetLength(), 10u);
    EXPECT_EQ(file.Seek(-4, CFile::end), 6u);
    char buf[8] = {};
    EXPECT_EQ(file.Read(buf, 8), 4u); // only what is there
    EXPECT_STREQ(buf, "6789");
    EXPECT_EQ(file.Read(buf, 8), 0u);
    file.SeekToBegin();
    EXPECT_EQ(file.Read(buf, 3), 3u);
    file.SetLength(5);
    EXPECT_EQ(file.SeekToEnd(), 5u);
    file.Close();
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);
    EXPECT_EQ(ReadFileBytes(path), (Bytes{'0', '1', '2', '3', '4'}));
}

TEST(FileTest, NamesStatusRenameAndRemove)
{
    TempDir dir;
    std::string path = dir.File("录像乗.mp4");
    WriteFileBytes(path, Bytes(1234, 0));
    CFile file(path.c_str(), CFile::modeRead);
    EXPECT_EQ(file.GetFileName(), "录像乗.mp4");
    EXPECT_EQ(file.GetFileTitle(), "录像乗");
    EXPECT_EQ(file.GetFilePath(), path.c_str());
    CFileStatus open;
    EXPECT_TRUE(file.GetStatus(open));
    EXPECT_EQ(open.m_size, 1234u);
    file.Close();
    EXPECT_EQ(AfxFileNameOfPath("C:\\目录乗\\name"), "name");

    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(path.c_str(), status));
    EXPECT_EQ(status.m_size, 1234u);
    EXPECT_FALSE(status.m_attribute & CFile::directory);
    EXPECT_GT(status.m_mtime.GetTime(), 0);
    EXPECT_FALSE(CFile::GetStatus(dir.File("missing").c_str(), status));

    std::string moved = dir.File("moved.mp4");
    CFile::Rename(path.c_str(), moved.c_str());
    EXPECT_TRUE(CFile::GetStatus(moved.c_str(), status));
    CFile::Remove(moved.c_str());
    int cause = -1;
    try {
        CFile::Remove(moved.c_str());
    } catch (CFileException* e) {
        cause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(cause, CFileException::fileNotFound);
}

TEST(FileTest, StdioFileTextLines)
{
    TempDir dir;
    std::string path = dir.File("lines.txt");
    std::string longLine(300, 'L');
    {
        CStdioFile out(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        out.WriteString("第一行\n");
        out.WriteString((longLine + "\n").c_str());
        out.WriteString("last");
    }
    std::string expected = "第一行\r\n" + longLine + "\r\nlast";
    EXPECT_EQ(ReadFileBytes(path), Bytes(expected.begin(), expected.end()));

    CStdioFile in(path.c_str(), CFile::modeRead | CFile::typeText);
    CString line;
    ASSERT_TRUE(in.ReadString(line));
    EXPECT_EQ(line, "第一行");
    ASSERT_TRUE(in.ReadString(line));
    EXPECT_EQ(line, longLine.c_str());
    ASSERT_TRUE(in.ReadString(line));
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(in.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());

    in.SeekToBegin();
    char buf[64];
    ASSERT_NE(in.ReadString(buf, sizeof buf), nullptr);
    EXPECT_STREQ(buf, "第一行\n");
}

TEST(FileTest, StdioFileBinaryAndAppend)
{
    TempDir dir;
    std::string path = dir.File("raw.bin");
    {
        CStdioFile out(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        out.WriteString("a\nb");
        out.Write("\x01\x02", 2);
        EXPECT_EQ(out.GetLength(), 5u);
    }
    {
        // As on the platform, an existing file opens at its start; appending means seeking first.
        CStdioFile more(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite | CFile::typeBinary);
        more.SeekToEnd();
        more.WriteString("!");
    }
    EXPECT_EQ(ReadFileBytes(path), (Bytes{'a', '\n', 'b', 1, 2, '!'}));
    CStdioFile missing;
    CFileException e;
    EXPECT_FALSE(missing.Open(dir.File("none").c_str(), CFile::modeRead, &e));
    EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
}

TEST(FileTest, FileFindListsAFolder)
{
    TempDir dir;
    std::string sub = dir.File("乗"); // a folder name ending in the byte 0x5C
    CreateDirectoryA(sub.c_str(), nullptr);
    CreateDirectoryA(dir.File("20261207").c_str(), nullptr);
    WriteFileBytes(dir.File("a.log"), Bytes(10, 0));
    WriteFileBytes(dir.File("b.log"), Bytes(20, 0));
    WriteFileBytes(dir.File("c.txt"), Bytes(1, 0));
    WriteFileBytes(sub + "\\inner.log", Bytes(3, 0));

    CFileFind finder;
    std::set<std::string> logs;
    BOOL more = finder.FindFile((dir.Path() + "\\*.log").c_str());
    while (more) {
        more = finder.FindNextFile();
        logs.insert((LPCSTR)finder.GetFileName());
        EXPECT_EQ(finder.GetFilePath(), (dir.Path() + "\\" + (LPCSTR)finder.GetFileName()).c_str());
        EXPECT_EQ(finder.GetLength(), finder.GetFileName() == "a.log" ? 10u : 20u);
    }
    EXPECT_EQ(logs, (std::set<std::string>{"a.log", "b.log"}));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_EQ(finder.GetFileTitle().GetLength(), 1);

    int dots = 0, dirs = 0, files = 0;
    more = finder.FindFile((dir.Path() + "\\*.*").c_str());
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDots())
            ++dots;
        else if (finder.IsDirectory())
            ++dirs;
        else
            ++files;
    }
    EXPECT_EQ(dots, 2);
    EXPECT_EQ(dirs, 2);
    EXPECT_EQ(files, 3);

    ASSERT_TRUE(finder.FindFile((sub + "\\*.log").c_str()));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_EQ(finder.GetRoot(), sub.c_str());
    EXPECT_EQ(finder.GetFilePath(), (sub + "\\inner.log").c_str());
    CTime written;
    EXPECT_TRUE(finder.GetLastWriteTime(written));
    EXPECT_GT(written.GetTime(), 0);

    EXPECT_FALSE(finder.FindFile((dir.Path() + "\\*.none").c_str()));
    EXPECT_FALSE(finder.FindNextFile());
}

} // namespace
