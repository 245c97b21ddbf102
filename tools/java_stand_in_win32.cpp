// A stand-in for the Java installer, installed as bin\java.exe and bin\javaw.exe of the
// sample medium's runtime. It shows the command line the launcher built, decoded:
// the program, the system properties and options, the class path entries, the main
// class and the installer's arguments, and exits with the code it is asked for.
//
// Environment:
//   VEL_JAVA_EXIT_CODE    the exit code (default 0)
//   VEL_JAVA_REPORT       a file to write the raw command line to, exactly as received
//   VEL_JAVA_WIDE_REPORT  a file to write the command line to as the system holds it
//                         (UTF-16), in UTF-8
//   VEL_JAVA_WHERE_REPORT a file to write this program's path and its working directory
//                         to, one per line
//   VEL_JAVA_ENV_REPORT   a file to write this program's environment to, one
//                         "NAME=value" per line, in UTF-8
//   VEL_JAVA_HOLD_FILE    a file whose appearance the stand-in waits for before it
//                         exits (at most two minutes), so that a test decides when;
//                         held, it shows nothing
//   VEL_JAVA_DONE_FILE    a file written just before the stand-in exits
//   VEL_JAVA_QUIET        when set, nothing is shown
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/windows_prelude.h"

namespace {

// Splits at blanks outside double quotes; quotes stay part of the words.
std::vector<std::string> SplitCommandLine(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, any = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (c == ' ' && !quoted) {
      if (any) words.push_back(word);
      word.clear();
      any = false;
      continue;
    }
    word += c;
    any = true;
  }
  if (any) words.push_back(word);
  return words;
}

std::string Unquoted(const std::string& text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
    return text.substr(1, text.size() - 2);
  }
  return text;
}

std::string ModulePath() {
  char module[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
  return std::string(module, length < MAX_PATH ? length : 0);
}

std::string WorkingDirectory() {
  char directory[MAX_PATH];
  DWORD length = GetCurrentDirectoryA(MAX_PATH, directory);
  return std::string(directory, length < MAX_PATH ? length : 0);
}

void WriteFile(const char* path, const std::string& text) {
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return;
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
}

// Whether this program runs as javaw.exe.
bool IsWindowless() {
  std::string name = ModulePath();
  name = name.substr(name.find_last_of("\\/") + 1);
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name == "javaw.exe";
}

int EnvNumber(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::atoi(value) : 0;
}

void ShowDecoded(const std::vector<std::string>& words) {
  std::printf("Java stand-in started as %s\n", ModulePath().c_str());
  std::printf("  in the working directory %s\n", WorkingDirectory().c_str());
  std::printf("  with %zu words:\n", words.size());
  std::size_t i = 0;
  if (i < words.size()) std::printf("  program:    %s\n", Unquoted(words[i++]).c_str());
  for (; i < words.size() && words[i] != "-cp"; ++i) {
    bool property = words[i].compare(0, 2, "-D") == 0;
    std::printf("  %s %s\n", property ? "property:  " : "option:    ", words[i].c_str());
  }
  if (i + 1 < words.size()) {
    std::string path = Unquoted(words[i + 1]);
    std::size_t start = 0, count = 0;
    while (start <= path.size()) {
      std::size_t end = path.find(';', start);
      if (end == std::string::npos) end = path.size();
      std::printf("  class path: %s\n", path.substr(start, end - start).c_str());
      ++count;
      start = end + 1;
    }
    std::printf("  (%zu class path entries)\n", count);
    i += 2;
  }
  if (i < words.size()) std::printf("  main class: %s\n", words[i++].c_str());
  for (; i < words.size(); ++i) std::printf("  argument:   %s\n", words[i].c_str());
}

}  // namespace

int main() {
  std::string command_line = GetCommandLineA();
  if (const char* report = std::getenv("VEL_JAVA_REPORT"); report != nullptr && *report != '\0') {
    WriteFile(report, command_line);
  }
  // The command line as the system holds it, in UTF-16, written as UTF-8: what a caller
  // with another code page than ours passed, whole.
  if (const char* report = std::getenv("VEL_JAVA_WIDE_REPORT");
      report != nullptr && *report != '\0') {
    const wchar_t* wide = GetCommandLineW();
    int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(size > 0 ? static_cast<std::size_t>(size - 1) : 0, '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, wide, -1, &utf8[0], size, nullptr, nullptr);
    WriteFile(report, utf8);
  }
  if (const char* report = std::getenv("VEL_JAVA_WHERE_REPORT");
      report != nullptr && *report != '\0') {
    WriteFile(report, ModulePath() + "\n" + WorkingDirectory() + "\n");
  }
  if (const char* report = std::getenv("VEL_JAVA_ENV_REPORT");
      report != nullptr && *report != '\0') {
    std::string text;
    wchar_t* block = GetEnvironmentStringsW();
    for (const wchar_t* entry = block; *entry != L'\0'; entry += wcslen(entry) + 1) {
      int size = WideCharToMultiByte(CP_UTF8, 0, entry, -1, nullptr, 0, nullptr, nullptr);
      std::string line(size > 0 ? static_cast<std::size_t>(size - 1) : 0, '\0');
      if (size > 1) WideCharToMultiByte(CP_UTF8, 0, entry, -1, &line[0], size, nullptr, nullptr);
      text += line + "\n";
    }
    FreeEnvironmentStringsW(block);
    WriteFile(report, text);
  }
  int code = EnvNumber("VEL_JAVA_EXIT_CODE");
  const char* hold = std::getenv("VEL_JAVA_HOLD_FILE");
  bool held = hold != nullptr && *hold != '\0';
  // VEL_JAVA_QUIET: an installer that exits at once, for measuring the launcher alone. A
  // held one outlives the launcher whose console it shares, and a write to a console
  // whose launcher has gone may never return: it shows nothing either.
  if (!IsWindowless() && std::getenv("VEL_JAVA_QUIET") == nullptr && !held) {
    ShowDecoded(SplitCommandLine(command_line));
    std::printf("Java stand-in exits with %d\n", code);
    std::fflush(stdout);
  }
  if (held) {
    for (int waited = 0; waited < 120000 && GetFileAttributesA(hold) == INVALID_FILE_ATTRIBUTES;
         waited += 20) {
      Sleep(20);
    }
  }
  if (const char* done = std::getenv("VEL_JAVA_DONE_FILE"); done != nullptr && *done != '\0') {
    WriteFile(done, std::to_string(code) + "\n");
  }
  return code;
}
