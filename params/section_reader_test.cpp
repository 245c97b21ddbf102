#include "params/section_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// The entries of `section` as the iterator returns them; "<none>" without the section.
Entries EntriesOf(const std::string& bytes, const std::string& section) {
  SectionFile file(bytes);
  if (SeekSection(&file, section) != 0) return {{"<none>", ""}};
  Entries entries;
  std::string key, value;
  while (NextSectionEntry(&file, &key, &value) == 0) entries.emplace_back(key, value);
  return entries;
}

TEST(SectionIterator, ReadsEntriesInFileOrderUntilTheNextHeader) {
  const std::string file =
      "[Velmor]\nCPU=1\n[Generic Prereqs]\nCPU=500\n\n   \t\nSWAP_SPACE=1024\n[Other]\nCPU=9\n";
  EXPECT_EQ(EntriesOf(file, "Generic Prereqs"), (Entries{{"CPU", "500"}, {"SWAP_SPACE", "1024"}}));
  EXPECT_EQ(EntriesOf(file, "generic prereqs"), (Entries{{"<none>", ""}}));
  EXPECT_EQ(EntriesOf(file, "Missing"), (Entries{{"<none>", ""}}));
}

TEST(SectionIterator, TokensOfEntryLines) {
  struct Case {
    const char* line;
    const char* key;
    const char* value;
  } cases[] = {
      {"K=V", "K", "V"},         {"K V", "K", "V"},
      {"K= a b ", "K", "a b"},   {"K=x=y", "K", "x"},
      {"K=\"x=y\"", "K", "x=y"}, {"MSG=\"Disk = full\"", "MSG", "Disk = full"},
      {"K = V", "K", ""},        {"CPU", "CPU", ""},
      {"; note", ";", "note"},   {"  K=\tV  ", "K", "V"},
      {"  K\t=\tV  ", "K", ""},  {"K=\"open", "K", ""},
      {"K=\"\"", "K", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EntriesOf(std::string("[S]\n") + c.line + "\n", "S"), (Entries{{c.key, c.value}}))
        << c.line;
  }
  // A line without a key ends the section.
  EXPECT_EQ(EntriesOf("[S]\n=x\nK=V\n", "S"), Entries{});
}

TEST(SectionIterator, LineEndsHeadersAndTheLastLine) {
  // Text mode: "\r\n" ends a line like "\n".
  EXPECT_EQ(EntriesOf("[S]\r\nA=1\r\nB=2\r\n", "S"), (Entries{{"A", "1"}, {"B", "2"}}));
  // The last line counts without its line feed, but a header there is not found.
  EXPECT_EQ(EntriesOf("[S]\nA=1\nB=2", "S"), (Entries{{"A", "1"}, {"B", "2"}}));
  EXPECT_EQ(EntriesOf("A=1\n[S]", "S"), (Entries{{"<none>", ""}}));
  // Only "[S]" from the line's start names S; trailing blanks do not matter.
  EXPECT_EQ(EntriesOf("[S] x\nA=1\n[S]  \nB=2\n", "S"), (Entries{{"B", "2"}}));
  EXPECT_EQ(EntriesOf("  [S]\nA=1\n", "S"), (Entries{{"<none>", ""}}));
  // Any header, indented ones too, ends the section.
  EXPECT_EQ(EntriesOf("[S]\nA=1\n  [T]\nB=2\n", "S"), (Entries{{"A", "1"}}));
}

TEST(SectionIterator, AByteFFEndsALineAsTheEndOfTheFileDoes) {
  // The entry line is cut there; reading goes on after it.
  EXPECT_EQ(EntriesOf("[S]\nA=1\xff"
                      "B=2\nC=3\n",
                      "S"),
            (Entries{{"A", "1"}, {"B", "2"}, {"C", "3"}}));
  // The header search stops there.
  EXPECT_EQ(EntriesOf("x\xff\n[S]\nA=1\n", "S"), (Entries{{"<none>", ""}}));
}

TEST(SectionIterator, LinesLongerThan1023CharactersAreCut) {
  std::string value(1500, 'v');
  Entries entries = EntriesOf("[S]\nK=" + value + "\nL=2\n", "S");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].second, value.substr(0, 1021));  // 1023 minus "K="
  EXPECT_EQ(entries[1], (std::pair<std::string, std::string>{"L", "2"}));
}

TEST(ReadSectionValue, FindsTheKeyInItsSectionOnly) {
  const std::string file =
      "[Certified Versions]\nWindows=5.1,6.1\nCERTIFIED_VERSION_WARN = TRUE\n"
      "CERTIFIED_VERSION_LOCATION=\"http://x/a=b\"\n[Next]\nLATE=1\n";
  EXPECT_EQ(ReadSectionValue(file, "Certified Versions", "Windows", "d"), "5.1,6.1");
  EXPECT_EQ(ReadSectionValue(file, "Certified Versions", "CERTIFIED_VERSION_WARN", "d"), "d");
  EXPECT_EQ(ReadSectionValue(file, "Certified Versions", "CERTIFIED_VERSION_LOCATION", "d"),
            "http://x/a=b");
  EXPECT_EQ(ReadSectionValue(file, "Certified Versions", "LATE", "d"), "d");
  EXPECT_EQ(ReadSectionValue(file, "Certified Versions", "windows", "d"), "d");
  EXPECT_EQ(ReadSectionValue(file, "Missing", "Windows", "d"), "d");
  EXPECT_EQ(ReadSectionValue("[S]\nOTHER=1\n=x\nK=2\n", "S", "K", "d"), "d");
  EXPECT_EQ(ReadSectionValue("[S]\nK=2", "S", "K", "d"), "2");
  EXPECT_EQ(ReadSectionValueFromFile("/no/such/file.ini", "S", "K", "d"), "d");
}

}  // namespace
