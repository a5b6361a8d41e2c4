#include <string>

#include "page_fixture.h"
#include "support/test_support.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

using testing_support::FileExists;
using testing_support::ReadFileOrEmpty;
using testing_support::WriteFileBytes;

class CopyFile : public PageTest {};

const std::string kEmptyHeader(104, '\0');

// One case: what the source and target hold before (nullptr: missing), the
// paths as the call spells them, the mode, and what the target holds after.
struct CopyCase {
  const char* label;
  const char* source;      // bytes of SRC.KVO, nullptr: no such file
  const char* target;      // bytes of DST.KVO, nullptr: no such file
  const char* sourceName;  // as passed
  const char* targetName;  // as passed
  int32_t mode;
  int32_t result;
  const char* after;  // bytes of DST.KVO afterwards, nullptr: no such file
};

TEST_F(CopyFile, ModesTable) {
  const CopyCase cases[] = {
      {"replace", "new", "old", "SRC.KVO", "DST.KVO", 1, 0, "new"},
      {"replace a missing target", "new", nullptr, "SRC.KVO", "DST.KVO", 1, 0, "new"},
      {"append", "new", "old", "SRC.KVO", "DST.KVO", 2, 0, "oldnew"},
      {"append creates the target", "new", nullptr, "SRC.KVO", "DST.KVO", 2, 0, "new"},
      {"another mode appends", "new", "old", "SRC.KVO", "DST.KVO", 7, 0, "oldnew"},
      {"a missing source", nullptr, "old", "SRC.KVO", "DST.KVO", 2, -1, "old"},
      {"a missing source, replace", nullptr, "old", "SRC.KVO", "DST.KVO", 1, -1, "old"},
      {"an empty source appends nothing", "", "old", "SRC.KVO", "DST.KVO", 2, 0, "old"},
      {"the same path", "same", nullptr, "SRC.KVO", "SRC.KVO", 2, -1, nullptr},
      {"the same file in another case", "same", nullptr, "SRC.KVO", "src.kvo", 2, -1, nullptr},
      {"the same file in another case, replace", "same", nullptr, "SRC.KVO", "Src.Kvo", 1, -1,
       nullptr},
      {"the same file through a folder", "same", nullptr, "SRC.KVO", "SUB\\..\\SRC.KVO", 2, -1,
       nullptr},
  };
  for (const CopyCase& c : cases) {
    SCOPED_TRACE(c.label);
    const std::string dir = testing_support::MakeTempFolder("copy-table");
    ASSERT_TRUE(os::CreateFolder((dir + "SUB").c_str()));
    if (c.source) {
      ASSERT_TRUE(WriteFileBytes(dir + "SRC.KVO", c.source));
    }
    if (c.target) {
      ASSERT_TRUE(WriteFileBytes(dir + "DST.KVO", c.target));
    }
    EXPECT_EQ(CopyFileMode((dir + c.sourceName).c_str(), (dir + c.targetName).c_str(), c.mode),
              c.result);
    if (c.after) {
      EXPECT_EQ(ReadFileOrEmpty(dir + "DST.KVO"), c.after);
    } else {
      EXPECT_FALSE(FileExists(dir + "DST.KVO"));
    }
    // A refused copy onto itself leaves the source as it was.
    if (c.source) {
      EXPECT_EQ(ReadFileOrEmpty(dir + "SRC.KVO"), c.source);
    }
    EXPECT_TRUE(Messages().empty());
  }
}

// A second hard link names the same file whatever its path says.
TEST_F(CopyFile, HardLinkOfTheSourceIsRefused) {
  ASSERT_TRUE(WriteFileBytes(input_ + "SRC.KVO", "same"));
#ifdef _WIN32
  ASSERT_TRUE(
      ::CreateHardLinkA((input_ + "LINK.KVO").c_str(), (input_ + "SRC.KVO").c_str(), nullptr));
#else
  std::string a = input_.substr(2) + "SRC.KVO";
  std::string b = input_.substr(2) + "LINK.KVO";
  for (char& ch : a) ch = ch == '\\' ? '/' : ch;
  for (char& ch : b) ch = ch == '\\' ? '/' : ch;
  ASSERT_EQ(::link(a.c_str(), b.c_str()), 0);
#endif
  EXPECT_EQ(CopyFileMode((input_ + "SRC.KVO").c_str(), (input_ + "LINK.KVO").c_str(), 2), -1);
  EXPECT_EQ(CopyFileMode((input_ + "SRC.KVO").c_str(), (input_ + "LINK.KVO").c_str(), 1), -1);
  EXPECT_EQ(ReadFileOrEmpty(input_ + "SRC.KVO"), "same");
}

TEST_F(CopyFile, ReplaceFailsWhenTheOldTargetCannotBeDeleted) {
  ASSERT_TRUE(WriteFileBytes(input_ + "SRC.KVO", "new"));
  ASSERT_TRUE(os::CreateFolder((input_ + "DST.KVO").c_str()));  // a folder is never deleted
  EXPECT_EQ(CopyFileMode((input_ + "SRC.KVO").c_str(), (input_ + "DST.KVO").c_str(), 1), -1);
  EXPECT_TRUE(os::FolderExists((input_ + "DST.KVO").c_str()));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(CopyFile, TargetThatCannotBeOpenedShowsTheMessage) {
  ASSERT_TRUE(WriteFileBytes(input_ + "SRC.KVO", "new"));
  EXPECT_EQ(CopyFileMode((input_ + "SRC.KVO").c_str(), (input_ + "NONE\\DST.KVO").c_str(), 2), -1);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].text, "Can not copy file");
  EXPECT_EQ(Messages()[0].title, "K-VOR");
  EXPECT_EQ(Messages()[0].flags, os::kMbOk | os::kMbIconStop);
}

// Larger than one buffer of 0xFF00 bytes: copied exactly, in pieces.
TEST_F(CopyFile, LongSourceCopiedExactly) {
  std::string bytes;
  for (int i = 0; i < 0xFF00 * 2 + 17; ++i) bytes += static_cast<char>(i * 7 % 251);
  ASSERT_TRUE(WriteFileBytes(input_ + "SRC.KVO", bytes));
  ASSERT_TRUE(WriteFileBytes(input_ + "DST.KVO", "head"));
  EXPECT_EQ(CopyFileMode((input_ + "SRC.KVO").c_str(), (input_ + "DST.KVO").c_str(), 2), 0);
  EXPECT_EQ(ReadFileOrEmpty(input_ + "DST.KVO"), "head" + bytes);
}

TEST_F(CopyFile, FailedWriteCutsTheTargetBack) {
  const std::string bytes(0xFF00 + 10, 'b');
  ASSERT_TRUE(WriteFileBytes(input_ + "SRC.KVO", bytes));
  ASSERT_TRUE(WriteFileBytes(input_ + "DST.KVO", "head"));
  os::SetWriteFailAfter(1);  // the first piece is written, the second fails
  EXPECT_EQ(CopyFileMode((input_ + "SRC.KVO").c_str(), (input_ + "DST.KVO").c_str(), 2), -1);
  EXPECT_EQ(ReadFileOrEmpty(input_ + "DST.KVO"), "head");
}

TEST_F(CopyFile, NoMemoryForTheBuffer) {
  ASSERT_TRUE(WriteFileBytes(input_ + "SRC.KVO", "new"));
  ASSERT_TRUE(WriteFileBytes(input_ + "DST.KVO", "old"));
  os::SetMemAllocFailAfter(0);
  EXPECT_EQ(CopyFileMode((input_ + "SRC.KVO").c_str(), (input_ + "DST.KVO").c_str(), 2), 12);
  os::SetMemAllocFailAfter(-1);
  EXPECT_EQ(ReadFileOrEmpty(input_ + "DST.KVO"), "old");
}

// The drawing mode adds exactly one drawing to the target, whatever the source.
TEST_F(CopyFile, DrawingModeTable) {
  const std::string one = DrawingBytes(2, 3);
  const std::string two = DrawingBytes(1, 0, "SECOND");
  struct Case {
    const char* label;
    bool present;
    std::string source;
    int32_t result;
    std::string appended;
  };
  std::string unsound = DrawingBytes(4, 0);
  unsound.resize(unsound.size() - 1);  // promises one byte more than it holds
  const Case cases[] = {
      {"a missing source", false, "", 0, kEmptyHeader},
      {"one drawing", true, one, 0, one},
      {"two drawings: the first only", true, one + two, 0, one},
      {"an empty drawing header", true, kEmptyHeader, 0, kEmptyHeader},
      {"a drawing shorter than its header says", true, unsound, -1, kEmptyHeader},
      {"a file shorter than a header", true, "KFD2.0", -1, kEmptyHeader},
      {"an empty file", true, "", -1, kEmptyHeader},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const std::string dir = testing_support::MakeTempFolder("copy-drawing");
    if (c.present) {
      ASSERT_TRUE(WriteFileBytes(dir + "PLAN.KFD", c.source));
    }
    ASSERT_TRUE(WriteFileBytes(dir + "RUN.KFD", "before"));
    EXPECT_EQ(CopyFileMode((dir + "PLAN.KFD").c_str(), (dir + "RUN.KFD").c_str(), 3), c.result);
    EXPECT_EQ(ReadFileOrEmpty(dir + "RUN.KFD"), "before" + c.appended);
  }
}

// Every failure that copies no drawing still appends the empty header in the
// drawing mode, and says what failed; the other modes append nothing.
TEST_F(CopyFile, FailuresAppendAnEmptyDrawingInTheDrawingMode) {
  enum class Fault {
    kLockedSource,
    kSourceIsTarget,
    kSourceIsTargetSpeltOtherwise,
    kNoBuffer,
    kBufferNotLocked
  };
  struct Case {
    const char* label;
    Fault fault;
    int32_t mode;
    int32_t result;
    bool header;  // the target grew by an empty drawing header
  } const cases[] = {
      {"a locked source", Fault::kLockedSource, 3, -1, true},
      {"the source is the target", Fault::kSourceIsTarget, 3, -1, true},
      {"the source is the target, spelt otherwise", Fault::kSourceIsTargetSpeltOtherwise, 3, -1,
       true},
      {"no copy buffer", Fault::kNoBuffer, 3, 12, true},
      // A buffer that is allocated but cannot be locked is no buffer either;
      // the copy fails as any copy does.
      {"a copy buffer that cannot be locked", Fault::kBufferNotLocked, 3, -1, true},
      {"a locked source, appending", Fault::kLockedSource, 2, -1, false},
      {"the source is the target, appending", Fault::kSourceIsTarget, 2, -1, false},
      {"no copy buffer, appending", Fault::kNoBuffer, 2, 12, false},
      {"a copy buffer that cannot be locked, appending", Fault::kBufferNotLocked, 2, -1, false},
  };
  const std::string drawing = DrawingBytes(1, 3);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const std::string dir = testing_support::MakeTempFolder("copy-fault");
    ASSERT_TRUE(WriteFileBytes(dir + "PLAN.KFD", drawing));
    ASSERT_TRUE(WriteFileBytes(dir + "RUN.KFD", "before"));
    std::string source = dir + "PLAN.KFD";
    const std::string target = dir + "RUN.KFD";
    const std::string targetBefore = "before";
    switch (c.fault) {
      case Fault::kLockedSource:
        os::SetLockedFile(source.c_str());
        break;
      case Fault::kSourceIsTarget:
        source = target;
        break;
      case Fault::kSourceIsTargetSpeltOtherwise:
        source = dir + "run.kfd";
        break;
      case Fault::kNoBuffer:
        os::SetMemAllocFailAfter(0);
        break;
      case Fault::kBufferNotLocked:
        os::SetMemLockFailAfter(0);
        break;
    }
    EXPECT_EQ(CopyFileMode(source.c_str(), target.c_str(), c.mode), c.result);
    os::SetLockedFile(nullptr);
    os::SetMemAllocFailAfter(-1);
    os::SetMemLockFailAfter(-1);
    EXPECT_EQ(ReadFileOrEmpty(target), targetBefore + (c.header ? kEmptyHeader : ""));
    EXPECT_EQ(ReadFileOrEmpty(dir + "PLAN.KFD"), drawing);
    EXPECT_TRUE(Messages().empty());
  }
}

TEST_F(CopyFile, DrawingModeCreatesTheTargetForAMissingSource) {
  EXPECT_EQ(CopyFileMode((input_ + "NONE.KFD").c_str(), (input_ + "RUN.KFD").c_str(), 3), 0);
  EXPECT_EQ(ReadFileOrEmpty(input_ + "RUN.KFD"), kEmptyHeader);
}

TEST_F(CopyFile, FailedDrawingCopyLeavesAnEmptyHeaderInItsPlace) {
  const std::string big = DrawingBytes(3000, 0);  // more than one buffer
  ASSERT_TRUE(WriteFileBytes(input_ + "PLAN.KFD", big));
  ASSERT_TRUE(WriteFileBytes(input_ + "RUN.KFD", "before"));
  os::SetWriteFailAfter(1);
  EXPECT_EQ(CopyFileMode((input_ + "PLAN.KFD").c_str(), (input_ + "RUN.KFD").c_str(), 3), -1);
  os::SetWriteFailAfter(-1);
  EXPECT_EQ(ReadFileOrEmpty(input_ + "RUN.KFD"), "before" + kEmptyHeader);
}

}  // namespace
