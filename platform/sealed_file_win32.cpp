#include "platform/sealed_file_win32.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
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

// The SHA-256 of the bytes of `file`, in hex; empty when it cannot be read whole.
std::string HashThrough(HANDLE file) {
  constexpr DWORD kPiece = 1 << 20;
  static std::unique_ptr<char[]> buffer(new char[kPiece]);
  Sha256 hash;
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file, buffer.get(), kPiece, &read, nullptr)) return std::string();
    if (read == 0) break;
    hash.Update(buffer.get(), read);
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
  bool read =
      file != INVALID_HANDLE_VALUE && GetFileSizeEx(file, &size) && size.QuadPart <= kMaxListBytes;
  if (read) {
    HeldFiles().push_back(file);
    text.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD got = 0;
    read = text.empty() ||
           (ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &got, nullptr) &&
            got == text.size());
  } else if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
  }
  Sha256 hash;
  hash.Update(text.data(), text.size());
  Sha256Digest digest;
  if (!read || !hash.Finish(&digest) || digest != list_digest || !medium.Load(launcher_dir, text)) {
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

void ReleaseMediumFiles() {
  for (HANDLE file : HeldFiles()) CloseHandle(file);
  HeldFiles().clear();
}

// What the checking thread is given: a piece of a copy's bytes, or the end of a copy.
struct CopyPiece {
  std::vector<char> bytes;
  const std::string* listed = nullptr;  // set at a copy's end, with its names
  bool abandoned = false;               // the copy failed: its pieces are dropped
  std::string source;
  std::string copy;
};

struct SealedCopies::State {
  // Pieces go to the checking thread in batches: each hand-over is a few system calls.
  using Batch = std::vector<CopyPiece>;
  static constexpr std::size_t kBatchBytes = 8 << 20;
  static constexpr std::size_t kBatchPieces = 512;
  static constexpr std::size_t kMaxWaitingBatches = 8;

  std::mutex mutex;
  std::condition_variable changed;
  std::deque<Batch> waiting;
  bool ending = false;
  std::string first_failed;
  std::thread worker;
  // The batch being filled, by the copying thread alone.
  Batch filling;
  std::size_t filling_bytes = 0;

  void Work() {
    auto hash = std::make_unique<Sha256>();
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
      changed.wait(lock, [this] { return ending || !waiting.empty(); });
      if (waiting.empty()) return;
      Batch batch = std::move(waiting.front());
      waiting.pop_front();
      changed.notify_all();
      lock.unlock();
      std::string failed;
      for (CopyPiece& piece : batch) {
        hash->Update(piece.bytes.data(), piece.bytes.size());
        if (piece.abandoned) {
          hash = std::make_unique<Sha256>();
        } else if (piece.listed != nullptr) {
          Sha256Digest digest;
          std::string actual = hash->Finish(&digest) ? HexDigest(digest) : std::string();
          hash = std::make_unique<Sha256>();
          if (actual != *piece.listed) {
            DeleteFileA(piece.copy.c_str());
            if (failed.empty()) failed = piece.source;
          }
        }
      }
      lock.lock();
      if (first_failed.empty()) first_failed = failed;
    }
  }

  // Hands the batch being filled to the checking thread, waiting while much is unchecked.
  void Flush() {
    if (filling.empty()) return;
    std::unique_lock<std::mutex> lock(mutex);
    if (!worker.joinable()) worker = std::thread([this] { Work(); });
    changed.wait(lock, [this] { return waiting.size() < kMaxWaitingBatches; });
    waiting.push_back(std::move(filling));
    changed.notify_all();
    filling = Batch();
    filling_bytes = 0;
  }

  void Give(CopyPiece piece) {
    filling_bytes += piece.bytes.size();
    filling.push_back(std::move(piece));
    if (filling_bytes >= kBatchBytes || filling.size() >= kBatchPieces) Flush();
  }
};

SealedCopies::SealedCopies() : state_(new State) {}

SealedCopies::~SealedCopies() { Finish(); }

bool SealedCopies::Copy(const std::string& source, const std::string& copy, unsigned long* error) {
  std::string full;
  const std::string* listed = ListedDigest(source, &full);
  if (listed == nullptr) {
    *error = ERROR_INVALID_DATA;
    return false;
  }
  HANDLE from = OpenSharingReadOnly(full);
  if (from == INVALID_HANDLE_VALUE) {
    *error = GetLastError();
    return false;
  }
  // As CopyFile: the source's attributes (without read-only) and its time of last write.
  // Staged copies are never read-only (the tree copy clears it), so one is overwritten.
  // The basic information, not the whole: that asks the volume too, slowly under Wine.
  FILE_BASIC_INFO info = {};
  GetFileInformationByHandleEx(from, FileBasicInfo, &info, sizeof info);
  DWORD attributes = info.FileAttributes &
                     (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
  HANDLE to = CreateFileA(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr);
  if (to == INVALID_HANDLE_VALUE) {
    *error = GetLastError();
    CloseHandle(from);
    return false;
  }
  constexpr DWORD kPiece = 1 << 20;
  static std::unique_ptr<char[]> buffer(new char[kPiece]);
  bool copied = true;
  for (;;) {
    DWORD read = 0;
    DWORD written = 0;
    if (!ReadFile(from, buffer.get(), kPiece, &read, nullptr) ||
        (read > 0 && (!WriteFile(to, buffer.get(), read, &written, nullptr) || written != read))) {
      *error = GetLastError();
      copied = false;
      break;
    }
    CopyPiece piece;
    piece.bytes.assign(buffer.get(), buffer.get() + read);
    if (read == 0) {
      piece.listed = listed;
      piece.source = full;
      piece.copy = copy;
    }
    state_->Give(std::move(piece));
    if (read == 0) break;
  }
  if (copied) {
    FILETIME written;
    written.dwLowDateTime = static_cast<DWORD>(info.LastWriteTime.QuadPart);
    written.dwHighDateTime = static_cast<DWORD>(info.LastWriteTime.QuadPart >> 32);
    SetFileTime(to, nullptr, nullptr, &written);
  }
  CloseHandle(to);
  CloseHandle(from);
  if (!copied) {
    // Not a copy at all: its pieces handed on so far are dropped, and so is the file.
    CopyPiece end;
    end.abandoned = true;
    state_->Give(std::move(end));
    DeleteFileA(copy.c_str());
  }
  return copied;
}

std::string SealedCopies::Finish() {
  state_->Flush();
  if (state_->worker.joinable()) {
    {
      std::lock_guard<std::mutex> lock(state_->mutex);
      state_->ending = true;
      state_->changed.notify_all();
    }
    state_->worker.join();
    state_->ending = false;
  }
  // Recorded here, by the copying thread, which records the sources the list lacks too.
  if (!state_->first_failed.empty()) g_sealed_medium->Break(state_->first_failed);
  return state_->first_failed;
}
