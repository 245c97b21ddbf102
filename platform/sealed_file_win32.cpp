#include "platform/sealed_file_win32.h"

#include <memory>
#include <vector>

#include "platform/full_path.h"
#include "platform/module_path_win32.h"
#include "platform/path_exists.h"
#include "platform/path_join.h"
#include "platform/sealed_medium.h"
#include "platform/sha256.h"
#include "platform/windows_prelude.h"

namespace {

// The handles that keep the medium's checked files as they were, until the launcher ends.
std::vector<HANDLE>& HeldFiles() {
  static std::vector<HANDLE> held;
  return held;
}

// Opens `path` to read, sharing reading only: while open, nobody can write, rename or
// delete it. Links are followed, as any reader of the file would.
HANDLE OpenSharingReadOnly(const std::string& path) {
  return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                     FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

// The file's bytes through `file`, each piece also given to `copy` when it is set: its
// SHA-256 in hex, or empty when it cannot be read (or written) whole.
std::string HashThrough(HANDLE file, HANDLE copy = INVALID_HANDLE_VALUE) {
  constexpr DWORD kPiece = 1 << 20;
  static std::unique_ptr<char[]> buffer(new char[kPiece]);
  Sha256 hash;
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file, buffer.get(), kPiece, &read, nullptr)) return std::string();
    if (read == 0) break;
    hash.Update(buffer.get(), read);
    DWORD written = 0;
    if (copy != INVALID_HANDLE_VALUE &&
        (!WriteFile(copy, buffer.get(), read, &written, nullptr) || written != read)) {
      return std::string();
    }
  }
  Sha256Digest digest;
  return hash.Finish(&digest) ? HexDigest(digest) : std::string();
}

// The digest the list gives `path`; nullptr (and the file recorded) when none.
const std::string* ListedDigest(const std::string& path, std::string* full) {
  if (!GetFullPath(path, full)) *full = path;
  const std::string* digest = g_sealed_medium->Find(*full);
  if (digest == nullptr) g_sealed_medium->Break(*full);
  return digest;
}

bool Matches(const std::string& full, const std::string& actual, const std::string& listed) {
  if (!actual.empty() && actual == listed) return true;
  g_sealed_medium->Break(full);
  return false;
}

}  // namespace

void OpenMediumSeal(const SealBytes& seal, const std::string& launcher_dir) {
  Sha256Digest list_digest;
  SealState state = ReadSeal(seal, &list_digest);
  if (state == SealState::kUnsealed) return;
  static SealedMedium medium;
  g_sealed_medium = &medium;
  std::string list_path = JoinPath(launcher_dir, kSealListName);
  if (state == SealState::kUnknownFormat) {
    medium.Break(list_path);
    return;
  }
  HANDLE file = OpenSharingReadOnly(list_path);
  LARGE_INTEGER size;
  // A list of a million files is still under 100 MiB.
  constexpr LONGLONG kMaxListBytes = 256LL << 20;
  std::string text;
  bool read = file != INVALID_HANDLE_VALUE && GetFileSizeEx(file, &size) &&
              size.QuadPart <= kMaxListBytes;
  if (read) {
    HeldFiles().push_back(file);
    text.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD got = 0;
    read = text.empty() || (ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &got,
                                     nullptr) &&
                            got == text.size());
  } else if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
  }
  Sha256 hash;
  hash.Update(text.data(), text.size());
  Sha256Digest digest;
  if (!read || !hash.Finish(&digest) || digest != list_digest ||
      !medium.Load(launcher_dir, text)) {
    medium.Break(list_path);
    return;
  }
  // A tree copied whole may hold the list and setup.exe: their copies are checked against
  // the seal and against setup.exe's file as the launcher holds it from now on.
  medium.Add(list_path, HexDigest(list_digest));
  std::string module;
  if (GetModulePath(&module)) {
    HANDLE self = OpenSharingReadOnly(module);
    if (self != INVALID_HANDLE_VALUE) {
      HeldFiles().push_back(self);
      std::string hex = HashThrough(self);
      if (!hex.empty()) medium.Add(module, hex);
    }
  }
}

bool HoldMediumFile(const std::string& path) {
  if (g_sealed_medium == nullptr) return true;
  std::string full;
  if (!PathExists(path)) {
    if (!GetFullPath(path, &full)) full = path;
    if (g_sealed_medium->Find(full) == nullptr) return true;
    g_sealed_medium->Break(full);
    return false;
  }
  const std::string* listed = ListedDigest(path, &full);
  if (listed == nullptr) return false;
  HANDLE file = OpenSharingReadOnly(full);
  if (file == INVALID_HANDLE_VALUE) return Matches(full, std::string(), *listed);
  HeldFiles().push_back(file);
  return Matches(full, HashThrough(file), *listed);
}

bool CheckStagedCopy(const std::string& source, const std::string& copy) {
  if (g_sealed_medium == nullptr) return true;
  std::string full;
  const std::string* listed = ListedDigest(source, &full);
  if (listed == nullptr) return false;
  HANDLE file = OpenSharingReadOnly(copy);
  std::string actual;
  if (file != INVALID_HANDLE_VALUE) {
    actual = HashThrough(file);
    CloseHandle(file);
  }
  return Matches(full, actual, *listed);
}

bool CopySealedFile(const std::string& source, const std::string& copy) {
  if (g_sealed_medium == nullptr) return CopyFileA(source.c_str(), copy.c_str(), TRUE) != FALSE;
  std::string full;
  const std::string* listed = ListedDigest(source, &full);
  if (listed == nullptr) return false;
  HANDLE file = OpenSharingReadOnly(full);
  if (file == INVALID_HANDLE_VALUE) return Matches(full, std::string(), *listed);
  HANDLE out = CreateFileA(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  std::string actual;
  if (out != INVALID_HANDLE_VALUE) {
    actual = HashThrough(file, out);
    CloseHandle(out);
  }
  CloseHandle(file);
  if (Matches(full, actual, *listed)) return true;
  DeleteFileA(copy.c_str());
  return false;
}
