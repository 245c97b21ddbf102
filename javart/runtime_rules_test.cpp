#include "javart/runtime_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Text(const char* key) { return key != nullptr ? key : "<none>"; }
std::string Text(const MessageKey<>* key) { return Text(key != nullptr ? key->name : nullptr); }

TEST(RuntimeRules, PromptKeysFollowTheSwitches) {
  EXPECT_STREQ(FirstJavaHomeRequest(false, false).name, "S_SPECIFY_JRE_LOCATION");
  EXPECT_STREQ(FirstJavaHomeRequest(true, false).name, "S_SPECIFY_JDK_ONLY_LOCATION");
  EXPECT_STREQ(FirstJavaHomeRequest(false, true).name, "S_SPECIFY_JRE_ONLY_LOCATION");
  EXPECT_STREQ(RetryJavaHomeRequest(false, false).name, "S_SPECIFY_VALID_JRE_LOCATION");
  EXPECT_STREQ(RetryJavaHomeRequest(true, false).name, "S_SPECIFY_VALID_JDK_ONLY_LOCATION");
  EXPECT_STREQ(RetryJavaHomeRequest(false, true).name, "S_SPECIFY_VALID_JRE_ONLY_LOCATION");
}

TEST(RuntimeRules, BothSwitchesAskForAJdkFirstAndAJreOnRetry) {
  EXPECT_STREQ(FirstJavaHomeRequest(true, true).name, "S_SPECIFY_JDK_ONLY_LOCATION");
  EXPECT_STREQ(RetryJavaHomeRequest(true, true).name, "S_SPECIFY_VALID_JRE_ONLY_LOCATION");
}

TEST(RuntimeRules, KindRefusalTruthTable) {
  struct Case {
    bool jdk_only, jre_only, looks_like_jre;
    const char* refusal;
  } cases[] = {
      {false, false, false, nullptr},
      {false, false, true, nullptr},
      {true, false, false, nullptr},
      {true, false, true, "S_INVALID_JDK_HOME"},
      {false, true, false, "S_INVALID_JRE_HOME"},
      {false, true, true, nullptr},
      // With both switches nothing suits: a JRE is no JDK and a JDK no JRE.
      {true, true, false, "S_INVALID_JRE_HOME"},
      {true, true, true, "S_INVALID_JDK_HOME"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Text(RuntimeKindRefusal(c.jdk_only, c.jre_only, c.looks_like_jre)), Text(c.refusal))
        << "jdk_only=" << c.jdk_only << " jre_only=" << c.jre_only << " jre=" << c.looks_like_jre;
  }
}

TEST(RuntimeRules, SourcePrecedence) {
  // -jreLoc beats everything, even an empty value and a disabled prompt.
  EXPECT_EQ(ChooseRuntimeSource(true, "", "", true, true, true), RuntimeSource::kExternal);
  EXPECT_EQ(ChooseRuntimeSource(true, "E:\\jre", "C:\\s\\jre", false, false, false),
            RuntimeSource::kExternal);
  // A named runtime is staged whatever the console or the prompt switch.
  EXPECT_EQ(ChooseRuntimeSource(false, "E:\\jre", "", true, true, true), RuntimeSource::kStaged);
  EXPECT_EQ(ChooseRuntimeSource(false, "", "C:\\s\\jre", true, false, false),
            RuntimeSource::kStaged);
  // Nothing named: no console, then bootstrap only, then the disabled prompt.
  EXPECT_EQ(ChooseRuntimeSource(false, "", "", true, true, true), RuntimeSource::kNoneNoConsole);
  EXPECT_EQ(ChooseRuntimeSource(false, "", "", false, true, true),
            RuntimeSource::kNoneBootstrapOnly);
  EXPECT_EQ(ChooseRuntimeSource(false, "", "", false, false, true),
            RuntimeSource::kNonePromptDisabled);
  EXPECT_EQ(ChooseRuntimeSource(false, "", "", false, false, false), RuntimeSource::kPrompt);
}

}  // namespace
