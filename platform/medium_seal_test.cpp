#include "platform/medium_seal.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void Put32(std::string* bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) (*bytes)[at + i] = static_cast<char>(value >> (8 * i));
}

// A PE file as the linker lays it out: the DOS header pointing at the PE header at 0x80,
// an optional header of 0xf0 bytes, and two sections, ".text" and ".velseal", whose raw
// data lies at 0x400 and 0x600.
std::string TwoSectionImage() {
  std::string image(0x800, '\0');
  image[0] = 'M';
  image[1] = 'Z';
  Put32(&image, 0x3c, 0x80);
  image.replace(0x80, 4, std::string("PE\0\0", 4));
  image[0x84 + 2] = 2;        // sections
  image[0x84 + 16] = '\xf0';  // optional header size
  std::size_t table = 0x84 + 20 + 0xf0;
  image.replace(table, 5, ".text");
  Put32(&image, table + 16, 0x200);
  Put32(&image, table + 20, 0x400);
  image.replace(table + 40, 8, ".velseal");
  Put32(&image, table + 40 + 16, 0x200);
  Put32(&image, table + 40 + 20, 0x600);
  return image;
}

TEST(FindPeSection, FindsASectionsRawDataAndRefusesWhatDoesNotHoldIt) {
  std::string image = TwoSectionImage();
  std::size_t offset = 0, size = 0;
  ASSERT_TRUE(FindPeSection(image, ".velseal", &offset, &size));
  EXPECT_EQ(offset, 0x600u);
  EXPECT_EQ(size, 0x200u);
  ASSERT_TRUE(FindPeSection(image, ".text", &offset, &size));
  EXPECT_EQ(offset, 0x400u);
  EXPECT_FALSE(FindPeSection(image, ".velsea", &offset, &size));
  EXPECT_FALSE(FindPeSection(image, ".data", &offset, &size));

  struct Row {
    const char* broken;
    void (*change)(std::string*);
  } rows[] = {
      {"not MZ", [](std::string* i) { (*i)[0] = 'X'; }},
      {"no PE signature", [](std::string* i) { (*i)[0x81] = 'X'; }},
      {"PE header past the end", [](std::string* i) { Put32(i, 0x3c, 0x7fe); }},
      // The raw data's last byte is the file's last: one byte less and it is outside.
      {"raw data past the end", [](std::string* i) { i->resize(0x7ff); }},
      {"section table past the end", [](std::string* i) { (*i)[0x84 + 17] = '\x7f'; }},
      {"cut in the DOS header", [](std::string* i) { i->resize(0x3f); }},
  };
  for (const Row& row : rows) {
    std::string broken = TwoSectionImage();
    row.change(&broken);
    EXPECT_FALSE(FindPeSection(broken, ".velseal", &offset, &size)) << row.broken;
  }
  // Exactly up to the end still counts.
  std::string whole = TwoSectionImage();
  EXPECT_TRUE(FindPeSection(whole.substr(0, 0x800), ".velseal", &offset, &size));
}

TEST(ReadSeal, ZeroesAreUnsealedTheFormatIsCheckedAndTheDigestComesBack) {
  Sha256Digest digest;
  for (std::size_t i = 0; i < digest.size(); ++i) digest[i] = static_cast<unsigned char>(i + 1);
  SealBytes seal = MakeSeal(digest);
  EXPECT_EQ(seal[0], 1);
  EXPECT_EQ(seal[4], 1);
  EXPECT_EQ(seal[kSealSize - 1], 0);
  Sha256Digest read = {};
  EXPECT_EQ(ReadSeal(seal, &read), SealState::kSealed);
  EXPECT_EQ(read, digest);

  EXPECT_EQ(ReadSeal(SealBytes{}, &read), SealState::kUnsealed);
  SealBytes other = seal;
  other[0] = 2;
  EXPECT_EQ(ReadSeal(other, &read), SealState::kUnknownFormat);
  // A digest of zeroes under a known format is a seal, not the absence of one.
  EXPECT_EQ(ReadSeal(MakeSeal(Sha256Digest{}), &read), SealState::kSealed);
}

}  // namespace
