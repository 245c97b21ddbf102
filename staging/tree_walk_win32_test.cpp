#include "staging/tree_walk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/windows_prelude.h"
#include "tests/support/test_tree_win32.h"

namespace {

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }
bool Exists(const std::string& path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }
bool IsDirectory(const std::string& path) {
  return Exists(path) && (Attributes(path) & FILE_ATTRIBUTE_DIRECTORY);
}
bool IsReadOnly(const std::string& path) {
  return Exists(path) && (Attributes(path) & FILE_ATTRIBUTE_READONLY);
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return in ? text.str() : "<unreadable>";
}

// The names in `directory` but "." and "..", sorted.
std::vector<std::string> ListNames(const std::string& directory) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((directory + "\\*").c_str(), &entry);
  for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &entry)) {
    std::string name = entry.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  }
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

std::string Numbered(const char* prefix, int n) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%04d", n);
  return prefix + std::string(digits);
}

using Names = std::vector<std::string>;

class TreeWalkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::string(temp) + "vel_tree_walk_test_" + std::to_string(GetCurrentProcessId()) + "_" +
           test->test_suite_name() + "_" + test->name();
    ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr));
  }
  void TearDown() override {
    for (const std::string& path : read_only_) {
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    RemoveTestTree(dir_);
  }

  // `relative` under the test directory.
  std::string Path(const std::string& relative) const { return dir_ + "\\" + relative; }
  void MakeDirs(const std::string& relative) {
    for (std::size_t end = relative.find('\\');; end = relative.find('\\', end + 1)) {
      CreateDirectoryA(Path(relative.substr(0, end)).c_str(), nullptr);
      if (end == std::string::npos) break;
    }
    ASSERT_TRUE(IsDirectory(Path(relative))) << relative;
  }
  // Writes `text` to `relative`, creating the directories above it.
  void MakeFile(const std::string& relative, const std::string& text) {
    std::size_t slash = relative.rfind('\\');
    if (slash != std::string::npos) MakeDirs(relative.substr(0, slash));
    std::ofstream(Path(relative), std::ios::binary) << text;
    ASSERT_EQ(ReadText(Path(relative)), text) << relative;
  }
  void MakeReadOnly(const std::string& relative) {
    read_only_.push_back(Path(relative));
    ASSERT_TRUE(SetFileAttributesA(Path(relative).c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(IsReadOnly(Path(relative))) << relative;
  }

  std::string dir_;
  std::vector<std::string> read_only_;
};

class TreeWalkCopyTest : public TreeWalkTest {};
class TreeWalkRemoveTest : public TreeWalkTest {};
class TreeWalkCountTest : public TreeWalkTest {};

TEST_F(TreeWalkCopyTest, OverwritesSameNamedFilesAndKeepsOthers) {
  MakeFile("src\\top.txt", "new top");
  MakeFile("src\\a\\mid.txt", "new mid");
  MakeFile("src\\a\\b\\deep.txt", "deep");
  MakeFile("dst\\top.txt", "old top, longer than the new one");
  MakeFile("dst\\keep.txt", "keep");
  MakeFile("dst\\a\\mid.txt", "old mid");
  MakeFile("dst\\a\\own.txt", "own");

  ASSERT_EQ(CopyTree(Path("src"), Path("dst")), 0);
  EXPECT_EQ(ListNames(Path("dst")), (Names{"a", "keep.txt", "top.txt"}));
  EXPECT_EQ(ListNames(Path("dst\\a")), (Names{"b", "mid.txt", "own.txt"}));
  EXPECT_EQ(ListNames(Path("dst\\a\\b")), (Names{"deep.txt"}));
  EXPECT_EQ(ReadText(Path("dst\\top.txt")), "new top");
  EXPECT_EQ(ReadText(Path("dst\\keep.txt")), "keep");
  EXPECT_EQ(ReadText(Path("dst\\a\\mid.txt")), "new mid");
  EXPECT_EQ(ReadText(Path("dst\\a\\own.txt")), "own");
  EXPECT_EQ(ReadText(Path("dst\\a\\b\\deep.txt")), "deep");
  EXPECT_EQ(ReadText(Path("src\\top.txt")), "new top");
}

TEST_F(TreeWalkCopyTest, ReadOnlySourceFilesArriveWritable) {
  MakeFile("src\\ro.txt", "top");
  MakeFile("src\\sub\\ro.txt", "sub");
  MakeReadOnly("src\\ro.txt");
  MakeReadOnly("src\\sub\\ro.txt");

  ASSERT_EQ(CopyTree(Path("src"), Path("dst")), 0);
  for (const char* name : {"ro.txt", "sub\\ro.txt"}) {
    read_only_.push_back(Path("dst\\") + name);  // so that a failed run still cleans up
    EXPECT_TRUE(Exists(Path("dst\\") + name)) << name;
    EXPECT_FALSE(IsReadOnly(Path("dst\\") + name)) << name;
    EXPECT_TRUE(IsReadOnly(Path("src\\") + name)) << name;
  }
  EXPECT_EQ(ReadText(Path("dst\\sub\\ro.txt")), "sub");
}

TEST_F(TreeWalkCopyTest, FileThatCannotBeCopiedStopsTheCopyAtOnce) {
  MakeFile("src\\first.txt", "first");
  MakeFile("src\\sub\\clash.txt", "new");
  MakeFile("src\\sub\\deeper\\z.txt", "z");
  // No file can be written over a directory of the same name.
  MakeFile("dst\\sub\\clash.txt\\inside.txt", "inside");

  std::string failed;
  EXPECT_EQ(CopyTree(Path("src"), Path("dst"), &failed), -1);
  EXPECT_EQ(failed, Path("src\\sub\\clash.txt"));
  // The root is copied before its subdirectories: what was copied stays, nothing after follows.
  EXPECT_EQ(ReadText(Path("dst\\first.txt")), "first");
  EXPECT_TRUE(IsDirectory(Path("dst\\sub\\clash.txt")));
  EXPECT_EQ(ReadText(Path("dst\\sub\\clash.txt\\inside.txt")), "inside");
  EXPECT_FALSE(Exists(Path("dst\\sub\\deeper")));
}

// A directory held open without read sharing, as another program may hold it: listing it
// fails with a sharing violation (Wine enforces share modes on directories, as Windows does).
// Wine enforces no ACL and the tests run as root, so no folder can be made unreadable by its
// rights. Links, which a Windows program cannot make under Wine, are copied in
// tests/e2e/test_links.py.
class UnlistableDirectory {
 public:
  explicit UnlistableDirectory(const std::string& path)
      : handle_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr)) {}
  UnlistableDirectory(const UnlistableDirectory&) = delete;
  UnlistableDirectory& operator=(const UnlistableDirectory&) = delete;
  ~UnlistableDirectory() {
    if (held()) CloseHandle(handle_);
  }
  bool held() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

TEST_F(TreeWalkCopyTest, FolderThatCannotBeListedFailsBelowTheRootOnly) {
  MakeFile("src\\first.txt", "first");
  MakeFile("src\\locked\\inside.txt", "inside");
  {
    UnlistableDirectory locked(Path("src\\locked"));
    ASSERT_TRUE(locked.held());
    std::string failed;
    EXPECT_EQ(CopyTree(Path("src"), Path("dst"), &failed), -1);
    EXPECT_EQ(failed, Path("src\\locked"));
    EXPECT_EQ(ReadText(Path("dst\\first.txt")), "first");
    EXPECT_FALSE(Exists(Path("dst\\locked")));
  }
  // An unlistable root is like a missing one: nothing to copy, nothing made.
  UnlistableDirectory root(Path("src"));
  ASSERT_TRUE(root.held());
  std::string failed = "untouched";
  EXPECT_EQ(CopyTree(Path("src"), Path("root_dst"), &failed), 0);
  EXPECT_EQ(failed, "untouched");
  EXPECT_FALSE(Exists(Path("root_dst")));
}

TEST_F(TreeWalkCopyTest, TwoSourcesMergeAndTheLaterWins) {
  MakeFile("one\\shared.txt", "one");
  MakeFile("one\\only_one.txt", "1");
  MakeFile("one\\d\\x.txt", "one x");
  MakeFile("two\\shared.txt", "two");
  MakeFile("two\\only_two.txt", "2");
  MakeFile("two\\d\\x.txt", "two x");
  MakeFile("two\\d\\y.txt", "two y");

  ASSERT_EQ(CopyTree(Path("one"), Path("dst")), 0);
  ASSERT_EQ(CopyTree(Path("two"), Path("dst")), 0);
  EXPECT_EQ(ListNames(Path("dst")), (Names{"d", "only_one.txt", "only_two.txt", "shared.txt"}));
  EXPECT_EQ(ListNames(Path("dst\\d")), (Names{"x.txt", "y.txt"}));
  EXPECT_EQ(ReadText(Path("dst\\shared.txt")), "two");
  EXPECT_EQ(ReadText(Path("dst\\only_one.txt")), "1");
  EXPECT_EQ(ReadText(Path("dst\\only_two.txt")), "2");
  EXPECT_EQ(ReadText(Path("dst\\d\\x.txt")), "two x");
}

TEST_F(TreeWalkCopyTest, MissingSourceSucceedsAndCreatesNothing) {
  EXPECT_EQ(CopyTree(Path("absent"), Path("dst")), 0);
  EXPECT_FALSE(Exists(Path("dst")));
  EXPECT_EQ(ListNames(dir_), Names{});
}

TEST_F(TreeWalkCopyTest, EmptySourceGivesEmptyDestination) {
  MakeDirs("src");
  EXPECT_EQ(CopyTree(Path("src"), Path("dst")), 0);
  EXPECT_TRUE(IsDirectory(Path("dst")));
  EXPECT_EQ(ListNames(Path("dst")), Names{});
}

TEST_F(TreeWalkCopyTest, SourceRootWithTrailingBackslash) {
  MakeFile("src\\a.txt", "a");
  MakeFile("src\\sub\\b.txt", "b");
  MakeFile("src\\sub\\c\\d.txt", "d");

  ASSERT_EQ(CopyTree(Path("src\\"), Path("dst")), 0);
  EXPECT_EQ(ListNames(Path("dst")), (Names{"a.txt", "sub"}));
  EXPECT_EQ(ListNames(Path("dst\\sub")), (Names{"b.txt", "c"}));
  EXPECT_EQ(ReadText(Path("dst\\a.txt")), "a");
  EXPECT_EQ(ReadText(Path("dst\\sub\\b.txt")), "b");
  EXPECT_EQ(ReadText(Path("dst\\sub\\c\\d.txt")), "d");
}

TEST_F(TreeWalkCopyTest, DestinationUnderAMissingParentFails) {
  MakeFile("src\\a.txt", "a");
  EXPECT_EQ(CopyTree(Path("src"), Path("missing\\dst")), -1);
  EXPECT_FALSE(Exists(Path("missing")));
}

TEST_F(TreeWalkCopyTest, MoreThan2048DirectoriesAreCopiedWhole) {
  constexpr int kDirectories = 2100;
  for (int n = 0; n < kDirectories; ++n) MakeDirs("src\\" + Numbered("d", n));
  // "deep" is found only after every directory of the root is listed, in slot 2101.
  MakeFile("src\\d0000\\deep\\last.txt", "last");
  MakeFile("src\\" + Numbered("d", kDirectories - 1) + "\\end.txt", "end");

  ASSERT_EQ(CopyTree(Path("src"), Path("dst")), 0);
  EXPECT_EQ(ListNames(Path("dst")).size(), static_cast<std::size_t>(kDirectories));
  EXPECT_TRUE(IsDirectory(Path("dst\\d1234")));
  EXPECT_EQ(ReadText(Path("dst\\d0000\\deep\\last.txt")), "last");
  EXPECT_EQ(ReadText(Path("dst\\" + Numbered("d", kDirectories - 1) + "\\end.txt")), "end");
}

// The destination roots here are too long to create, so no file could be copied under them;
// a directory, though, is only listed, and the length check alone turns it into a failure.
TEST_F(TreeWalkCopyTest, ChildPathsBeyond1023CharactersFail) {
  MakeDirs("src\\s");
  std::string base = Path("x");
  std::string fits = base + std::string(1021 - base.size(), 'x');  // child "\s": 1023
  EXPECT_EQ(CopyTree(Path("src"), fits), 0);
  EXPECT_EQ(CopyTree(Path("src"), fits + "x"), -1);
  // A trailing backslash is not doubled in the child, so this child is 1023 long too.
  EXPECT_EQ(CopyTree(Path("src"), fits + "\\"), 0);
  EXPECT_EQ(CopyTree(Path("src"), fits + "x\\"), -1);

  MakeFile("files\\f", "f");
  EXPECT_EQ(CopyTree(Path("files"), fits + "x"), -1);
  EXPECT_EQ(ListNames(dir_), (Names{"files", "src"}));
}

TEST_F(TreeWalkRemoveTest, RemovesTheWholeTree) {
  MakeFile("root\\top.txt", "t");
  MakeFile("root\\a\\b\\c\\deep.txt", "d");
  MakeFile("root\\a\\hidden.txt", "h");
  ASSERT_TRUE(SetFileAttributesA(Path("root\\a\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
  MakeDirs("root\\empty");
  MakeFile("beside.txt", "beside");

  EXPECT_EQ(RemoveTree(Path("root")), 0);
  EXPECT_FALSE(Exists(Path("root")));
  EXPECT_EQ(ListNames(dir_), Names{"beside.txt"});
  EXPECT_EQ(RemoveTree(Path("root")), 0);
  EXPECT_EQ(ReadText(Path("beside.txt")), "beside");
}

TEST_F(TreeWalkRemoveTest, ReadOnlyFileKeepsItsChainOfDirectories) {
  MakeFile("root\\top.txt", "t");
  MakeFile("root\\a\\sibling.txt", "s");
  MakeFile("root\\a\\b\\ro.txt", "ro");
  MakeFile("root\\a\\b\\gone.txt", "g");
  MakeFile("root\\a\\c\\x.txt", "x");
  MakeDirs("root\\d\\e");
  MakeReadOnly("root\\a\\b\\ro.txt");

  EXPECT_EQ(RemoveTree(Path("root")), 0);
  EXPECT_EQ(ListNames(Path("root")), Names{"a"});
  EXPECT_EQ(ListNames(Path("root\\a")), Names{"b"});
  EXPECT_EQ(ListNames(Path("root\\a\\b")), Names{"ro.txt"});
  EXPECT_EQ(ReadText(Path("root\\a\\b\\ro.txt")), "ro");
}

TEST_F(TreeWalkCountTest, CountsFilesAtEveryDepthButNotDirectories) {
  MakeFile("root\\one.txt", "1");
  MakeFile("root\\hidden.txt", "h");
  MakeFile("root\\system.txt", "s");
  MakeFile("root\\a\\two.txt", "2");
  MakeFile("root\\a\\b\\three.txt", "3");
  MakeFile("root\\a\\b\\c\\no_extension", "4");
  MakeDirs("root\\a\\empty");
  MakeDirs("root\\e\\f");
  ASSERT_TRUE(SetFileAttributesA(Path("root\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(Attributes(Path("root\\hidden.txt")) & FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(SetFileAttributesA(Path("root\\system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM));
  ASSERT_TRUE(Attributes(Path("root\\system.txt")) & FILE_ATTRIBUTE_SYSTEM);

  EXPECT_EQ(CountFiles(Path("root")), 6);
  EXPECT_EQ(CountFiles(Path("root\\")), 6);
  EXPECT_EQ(CountFiles(Path("root\\a")), 3);
  EXPECT_EQ(CountFiles(Path("root\\e")), 0);
  EXPECT_EQ(CountFiles(Path("absent")), 0);
  EXPECT_EQ(ListNames(Path("root")), (Names{"a", "e", "hidden.txt", "one.txt", "system.txt"}));
}

TEST_F(TreeWalkCountTest, MoreThan256DirectoriesAreCountedWhole) {
  constexpr int kDirectories = 300;
  for (int n = 0; n < kDirectories; ++n) MakeFile("root\\" + Numbered("d", n) + "\\f.txt", "f");
  MakeFile("root\\d0000\\deep\\f.txt", "f");
  MakeFile("root\\top.txt", "t");
  EXPECT_EQ(CountFiles(Path("root")), kDirectories + 2);
}

}  // namespace
