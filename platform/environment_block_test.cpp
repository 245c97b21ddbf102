#include "platform/environment_block.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::vector<std::string> kUserEnvironment = {
    "=C:=C:\\medium",
    "CLASSPATH=C:\\Users\\u\\lib",
    "HOME=C:\\Users\\u",
    "JAVA_TOOL_OPTIONS=-javaagent:C:\\Users\\u\\a.jar",
    "JDK_JAVA_OPTIONS=-agentpath:C:\\Users\\u\\a.dll",
    "Path=C:\\Users\\u\\bin;C:\\Windows",
    "TEMP=C:\\Users\\u\\Temp",
    "unzip=-n",
    "UNZIPOPT=-aa",
    "ZIPINFO=-1",
    "zipinfoopt=-v",
    "_JAVA_OPTIONS=-Xbootclasspath/a:C:\\Users\\u",
};

TEST(ChildEnvironment, LeavesOutWhatSteersTheChildAndKeepsTheRestInPlace) {
  struct Row {
    ChildProgram program;
    bool elevated;
    std::vector<std::string> expected;
  } rows[] = {
      {ChildProgram::kUnzip,
       false,
       {"=C:=C:\\medium", "CLASSPATH=C:\\Users\\u\\lib", "HOME=C:\\Users\\u",
        "JAVA_TOOL_OPTIONS=-javaagent:C:\\Users\\u\\a.jar",
        "JDK_JAVA_OPTIONS=-agentpath:C:\\Users\\u\\a.dll", "Path=C:\\Users\\u\\bin;C:\\Windows",
        "TEMP=C:\\Users\\u\\Temp", "_JAVA_OPTIONS=-Xbootclasspath/a:C:\\Users\\u"}},
      {ChildProgram::kJava, false, kUserEnvironment},
      {ChildProgram::kUnzip,
       true,
       {"=C:=C:\\medium", "HOME=C:\\Users\\u", "Path=C:\\Windows\\system32;C:\\Windows",
        "TEMP=C:\\Users\\u\\Temp"}},
      {ChildProgram::kJava,
       true,
       {"=C:=C:\\medium", "HOME=C:\\Users\\u", "Path=C:\\Windows\\system32;C:\\Windows",
        "TEMP=C:\\Users\\u\\Temp", "unzip=-n", "UNZIPOPT=-aa", "ZIPINFO=-1", "zipinfoopt=-v"}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ChildEnvironment(kUserEnvironment, row.program, row.elevated,
                               "C:\\Windows\\system32;C:\\Windows"),
              row.expected)
        << static_cast<int>(row.program) << row.elevated;
  }
}

TEST(ChildEnvironment, AnElevatedChildGetsTheMachinePathEvenWithoutOne) {
  EXPECT_EQ(ChildEnvironment({"A=1"}, ChildProgram::kJava, true, "C:\\Windows"),
            (std::vector<std::string>{"A=1", "Path=C:\\Windows"}));
  // A name that only begins like a listed one stays.
  EXPECT_EQ(ChildEnvironment({"UNZIPPER=1", "PATHEXT=.EXE"}, ChildProgram::kUnzip, true, "P"),
            (std::vector<std::string>{"UNZIPPER=1", "PATHEXT=.EXE", "Path=P"}));
}

TEST(ExpandVariables, ReplacesKnownNamesAndLeavesTheRestAsWritten) {
  const std::vector<std::string> system = {"=C:=C:\\", "SystemRoot=C:\\Windows",
                                           "SystemDrive=C:", "EMPTY="};
  struct Row {
    const char* text;
    const char* expanded;
  } rows[] = {
      {"%SystemRoot%\\Inventory", "C:\\Windows\\Inventory"},
      {"%systemdrive%\\a\\%SYSTEMROOT%", "C:\\a\\C:\\Windows"},
      {"%USERPROFILE%\\Inventory", "%USERPROFILE%\\Inventory"},
      {"100%%SystemDrive%", "100%C:"},
      {"%EMPTY%x", "x"},
      {"%%", "%%"},
      {"50% done", "50% done"},
      {"%=C:%", "C:\\"},
      {"", ""},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ExpandVariables(row.text, system), row.expanded) << row.text;
  }
}

}  // namespace
