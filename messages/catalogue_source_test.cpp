#include "messages/catalogue_source.h"

#include <gtest/gtest.h>

#include "messages/catalogue.h"
#include "messages/message_keys.h"
#include "messages/message_map.h"

namespace {

using namespace std::string_literals;

std::vector<SourceEntry> Parse(const std::string& source) {
  std::vector<SourceEntry> entries;
  std::string error;
  EXPECT_TRUE(ParseCatalogueSource(source, &entries, &error)) << error;
  return entries;
}

std::string ParseError(const std::string& source) {
  std::vector<SourceEntry> entries;
  std::string error;
  EXPECT_FALSE(ParseCatalogueSource(source, &entries, &error));
  return error;
}

// A complete catalogue with a neutral text of the right shape for every key.
std::vector<SourceEntry> CompleteEntries() {
  std::vector<SourceEntry> entries;
  for (std::size_t i = 0; i < kMessageKeyCount; ++i) {
    std::string text = "text";
    for (const char* a = kMessageKeys[i].arguments; *a; ++a) text += *a == 's' ? " %s" : " %d";
    entries.push_back({kMessageKeys[i].key, text, static_cast<int>(i + 1)});
  }
  return entries;
}

TEST(ParseCatalogueSource, ReadsEntriesContinuationsAndEscapes) {
  std::vector<SourceEntry> entries = Parse(
      "# comment\n"
      "\n"
      "S_TAV \"Velmor \\\"Tavrun\\\"\"\n"
      "S_ERVELPARAMNFD \"\\nERROR: one\"\r\n"
      "    \" two\\tthree \\\\ four\\n\"\n"
      "S_WAITMSG\t\"\"");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].key, "S_TAV");
  EXPECT_EQ(entries[0].text, "Velmor \"Tavrun\"");
  EXPECT_EQ(entries[1].text, "\nERROR: one two\tthree \\ four\n");
  EXPECT_EQ(entries[1].line, 4);
  EXPECT_EQ(entries[2].text, "");
}

TEST(ParseCatalogueSource, ReportsTheLineOfASyntaxError) {
  EXPECT_EQ(ParseError("S_TAV \"ok\"\nS_WAITMSG \"open"), "line 2: unterminated string");
  EXPECT_EQ(ParseError("S_TAV \"\\x\""), "line 1: unknown escape \\x");
  EXPECT_EQ(ParseError("s_tav \"x\""),
            "line 1: expected a key of upper-case letters, digits and '_'");
  EXPECT_EQ(ParseError("S_TAV x"), "line 1: expected a double-quoted text");
  EXPECT_EQ(ParseError("S_TAV \"x\" y"), "line 1: unexpected text after the closing quote");
  EXPECT_EQ(ParseError("  \"orphan\""), "line 1: continuation without an entry");
}

TEST(CheckCatalogueEntries, AcceptsCompleteCatalogue) {
  std::string errors;
  EXPECT_TRUE(CheckCatalogueEntries(CompleteEntries(), false, &errors)) << errors;
}

TEST(CheckCatalogueEntries, RefusesMissingUnknownRepeatedAndMismatchedKeys) {
  std::vector<SourceEntry> entries = CompleteEntries();
  entries.erase(entries.begin());  // S_ACTUAL
  std::string errors;
  EXPECT_FALSE(CheckCatalogueEntries(entries, false, &errors));
  EXPECT_NE(errors.find("missing key S_ACTUAL\n"), std::string::npos) << errors;
  // A translation may leave keys to cons.nls.
  errors.clear();
  EXPECT_TRUE(CheckCatalogueEntries(entries, true, &errors)) << errors;

  std::vector<SourceEntry> bad = {{"S_NOT_A_KEY", "x", 1},
                                  {"S_TAV", "a", 2},
                                  {"S_TAV", "b", 3},
                                  {"S_ERGOSLST", "%s", 4},
                                  {"S_ERJRENFD", "%s %d", 5}};
  errors.clear();
  EXPECT_FALSE(CheckCatalogueEntries(bad, true, &errors));
  EXPECT_NE(errors.find("line 1: S_NOT_A_KEY: not a message key"), std::string::npos);
  EXPECT_NE(errors.find("line 3: S_TAV: defined again"), std::string::npos);
  // Fewer conversions than arguments is refused at build time too.
  EXPECT_NE(errors.find("line 4: S_ERGOSLST: the text must take exactly"), std::string::npos);
  EXPECT_NE(errors.find("line 5: S_ERJRENFD: the text must take exactly"), std::string::npos);
}

TEST(CheckCatalogueEntries, TheLongestRecordItAcceptsLoadsWholeAndWithoutWarning) {
  // "S_TAV=" and the text: 1022 bytes is the longest record the loader keeps whole.
  std::string longest(kLongestCatalogueRecord - 6, 'x');
  std::string errors;
  EXPECT_TRUE(CheckCatalogueEntries({{"S_TAV", longest, 1}}, true, &errors)) << errors;
  EXPECT_FALSE(CheckCatalogueEntries({{"S_TAV", longest + "x", 1}}, true, &errors));
  EXPECT_NE(errors.find("longer than a catalogue record"), std::string::npos);

  MessageMap* map = CreateMessageMap();
  std::string warnings;
  AddCatalogueToMap(EncodeCatalogue({{"S_TAV", longest, 1}}), map, &warnings);
  EXPECT_EQ(warnings, "");
  EXPECT_EQ(MessageMapGet(map, "S_TAV"), longest);
  // One byte more, as a hand-made catalogue might hold it, is cut and warned about.
  AddCatalogueToMap("S_ERPERDIR=" + std::string(kLongestCatalogueRecord - 10, 'y') + '\0', map,
                    &warnings);
  EXPECT_NE(warnings.find("malformed"), std::string::npos);
  DestroyMessageMap(map);
}

TEST(EncodeCatalogue, LoadsBackIntoTheSameTexts) {
  std::vector<SourceEntry> entries = CompleteEntries();
  entries[0].text = "line one\nline = two %s";
  std::string bytes = EncodeCatalogue(entries);
  EXPECT_EQ(bytes.substr(0, 32), "S_ACTUAL=line one\nline = two %s\0"s);

  MessageMap* map = CreateMessageMap();
  std::string warnings;
  AddCatalogueToMap(bytes, map, &warnings);
  EXPECT_EQ(warnings, "");
  for (const SourceEntry& entry : entries) {
    ASSERT_NE(MessageMapGet(map, entry.key), nullptr) << entry.key;
    EXPECT_EQ(MessageMapGet(map, entry.key), entry.text);
  }
  DestroyMessageMap(map);
}

}  // namespace
