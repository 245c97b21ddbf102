#include "tools/velcheck/medium_seal_file.h"

#include <filesystem>
#include <fstream>
#include <map>

#include "platform/medium_seal.h"
#include "platform/sha256.h"
#include "tools/velcheck/medium_file.h"

namespace fs = std::filesystem;

namespace {

fs::path Under(const std::string& directory, const std::string& relative) {
  return (fs::path(directory) / fs::path(relative)).lexically_normal();
}

// The SHA-256 of a regular file's bytes; false when it cannot be read.
bool HashFile(const fs::path& path, std::string* hex) {
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  Sha256 hash;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    hash.Update(buffer, static_cast<std::size_t>(in.gcount()));
  }
  Sha256Digest digest;
  if (!hash.Finish(&digest)) return false;
  *hex = HexDigest(digest);
  return true;
}

std::string ListDigestOf(const std::string& list) {
  Sha256 hash;
  hash.Update(list.data(), list.size());
  Sha256Digest digest;
  return hash.Finish(&digest) ? HexDigest(digest) : std::string();
}

// setup.exe and the list, which are small: a regular file of at most 64 MiB.
bool ReadFile(const fs::path& path, std::string* bytes) {
  return ReadMediumFile(path, 64u << 20, bytes) == MediumFileRead::kRead;
}

// The seal section's place in setup.exe; false with a finding when it has none.
bool FindSeal(const fs::path& setup, const std::string& image, std::size_t* offset,
              std::vector<Finding>* findings) {
  std::size_t size = 0;
  if (!FindPeSection(image, kSealSectionName, offset, &size) || size < kSealSize) {
    findings->push_back({Severity::kError, setup.string(), 0, "",
                         "no seal section: this setup.exe cannot be sealed"});
    return false;
  }
  return true;
}

void Error(std::vector<Finding>* findings, const std::string& file, const std::string& message) {
  findings->push_back({Severity::kError, file, 0, "", message});
}

}  // namespace

bool SealMedium(const std::string& directory, std::size_t* count, std::vector<Finding>* findings) {
  std::vector<std::string> files;
  if (!ListSealedFiles(directory, &files, findings)) return false;
  std::string list;
  for (const std::string& file : files) {
    std::string hex;
    if (!HashFile(Under(directory, file), &hex)) {
      Error(findings, file, "cannot be read: nothing was sealed");
      return false;
    }
    list += hex + "  " + file + "\n";
  }
  fs::path setup = fs::path(directory) / "setup.exe";
  std::string image;
  std::size_t offset = 0;
  if (!ReadFile(setup, &image)) {
    Error(findings, setup.string(), "cannot be read: nothing was sealed");
    return false;
  }
  if (!FindSeal(setup, image, &offset, findings)) return false;
  Sha256Digest digest;
  Sha256 hash;
  hash.Update(list.data(), list.size());
  if (!hash.Finish(&digest)) return false;
  SealBytes seal = MakeSeal(digest);
  std::ofstream list_file(fs::path(directory) / kSealListName, std::ios::binary | std::ios::trunc);
  list_file << list;
  std::fstream setup_file(setup, std::ios::binary | std::ios::in | std::ios::out);
  setup_file.seekp(static_cast<std::streamoff>(offset));
  setup_file.write(reinterpret_cast<const char*>(seal.data()), seal.size());
  if (!list_file.flush() || !setup_file.flush()) {
    Error(findings, directory, "the seal could not be written");
    return false;
  }
  *count = files.size();
  return true;
}

void CheckSeal(const std::string& directory, std::vector<Finding>* findings) {
  std::string list;
  if (!ReadFile(fs::path(directory) / kSealListName, &list)) return;
  std::map<std::string, std::string> sealed;  // path -> hex
  std::size_t start = 0;
  while (start < list.size()) {
    std::size_t end = list.find('\n', start);
    if (end == std::string::npos) end = list.size();
    std::string line = list.substr(start, end - start);
    if (line.size() > 66 && line.compare(64, 2, "  ") == 0)
      sealed[line.substr(66)] = line.substr(0, 64);
    start = end + 1;
  }
  std::vector<std::string> files;
  std::vector<Finding> listing;
  ListSealedFiles(directory, &files, &listing);
  for (const std::string& file : files) {
    if (sealed.find(file) == sealed.end()) {
      Error(findings, file, "not in " + std::string(kSealListName) + ": a sealed run refuses it");
    }
  }
  for (const auto& [file, hex] : sealed) {
    std::string now;
    if (!HashFile(Under(directory, file), &now)) {
      Error(findings, file, "missing: a sealed run stops");
    } else if (now != hex) {
      Error(findings, file, "differs from its seal: a sealed run stops");
    }
  }
  fs::path setup = fs::path(directory) / "setup.exe";
  std::string image;
  std::size_t offset = 0;
  std::vector<Finding> no_section;
  if (!ReadFile(setup, &image) || !FindSeal(setup, image, &offset, &no_section)) return;
  SealBytes seal;
  for (std::size_t i = 0; i < seal.size(); ++i)
    seal[i] = static_cast<unsigned char>(image[offset + i]);
  Sha256Digest digest;
  if (ReadSeal(seal, &digest) != SealState::kSealed || HexDigest(digest) != ListDigestOf(list)) {
    Error(findings, std::string(kSealListName),
          "setup.exe's seal is not this list's: a sealed run stops");
  }
}
