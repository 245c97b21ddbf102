#include <unistd.h>

#include <cstdio>

#include "platform/system_calls.h"

namespace {

// The native build has no console of its own: console text goes to standard output.
void WriteConsoleText(void*, const char* text) { std::fputs(text, stdout); }

// Nor message boxes: an error box is a line on standard error.
void ShowErrorBox(const char* text, const char* caption) {
  std::fprintf(stderr, "[%s] %s\n", caption, text);
}

int ReadInputChar() { return std::getchar(); }

bool PathExistsOnDisk(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

}  // namespace

SystemCalls g_system = {nullptr, WriteConsoleText, ShowErrorBox, ReadInputChar, PathExistsOnDisk};
