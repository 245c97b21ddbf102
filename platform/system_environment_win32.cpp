#include "platform/system_environment_win32.h"

#include "platform/environment_block.h"
#include "platform/system_procedure_win32.h"
#include "platform/wide_text_win32.h"
#include "platform/windows_prelude.h"

namespace {

std::string WideToUtf8(const wchar_t* wide, int length) {
  int size = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::string();
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, length, &text[0], size, nullptr, nullptr);
  return text;
}

// The entries of a block: strings each ended by a zero, the block by another.
std::vector<std::string> EntriesOf(const wchar_t* block) {
  std::vector<std::string> entries;
  for (const wchar_t* entry = block; *entry != L'\0'; entry += wcslen(entry) + 1) {
    entries.push_back(WideToUtf8(entry, static_cast<int>(wcslen(entry))));
  }
  return entries;
}

std::vector<std::string> ReadSystemEnvironment() {
  using CreateFn = BOOL(WINAPI*)(void**, HANDLE, BOOL);
  using DestroyFn = BOOL(WINAPI*)(void*);
  auto create = SystemProcedure<CreateFn>("userenv.dll", "CreateEnvironmentBlock");
  auto destroy = SystemProcedure<DestroyFn>("userenv.dll", "DestroyEnvironmentBlock");
  void* block = nullptr;
  if (create == nullptr || destroy == nullptr || !create(&block, nullptr, FALSE)) return {};
  std::vector<std::string> entries = EntriesOf(static_cast<const wchar_t*>(block));
  destroy(block);
  return entries;
}

std::string DirectoryOf(UINT(WINAPI* get)(wchar_t*, UINT)) {
  wchar_t path[MAX_PATH + 1];
  UINT length = get(path, MAX_PATH + 1);
  return length > 0 && length <= MAX_PATH ? WideToUtf8(path, static_cast<int>(length))
                                          : std::string();
}

}  // namespace

std::vector<std::string> ProcessEnvironment() {
  wchar_t* block = GetEnvironmentStringsW();
  if (block == nullptr) return {};
  std::vector<std::string> entries = EntriesOf(block);
  FreeEnvironmentStringsW(block);
  return entries;
}

const std::vector<std::string>& SystemEnvironment() {
  static const std::vector<std::string> entries = ReadSystemEnvironment();
  return entries;
}

std::string MachinePath() {
  const std::string* path = FindVariable(SystemEnvironment(), "PATH");
  if (path != nullptr) return path->substr(path->find('=', 1) + 1);
  std::string system = DirectoryOf(GetSystemDirectoryW);
  std::string windows = DirectoryOf(GetSystemWindowsDirectoryW);
  return system + ";" + windows + ";" + system + "\\Wbem";
}

std::wstring EnvironmentBlockOf(const std::vector<std::string>& entries) {
  std::wstring block;
  for (const std::string& entry : entries) {
    block += Utf8ToWide(entry.c_str());
    block += L'\0';
  }
  // An empty block still ends with two zeros.
  if (entries.empty()) block += L'\0';
  block += L'\0';
  return block;
}
