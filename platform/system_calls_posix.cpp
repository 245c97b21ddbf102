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

// Input typed ahead stays: a pipe or terminal here has nothing to drop it with.
void DiscardInput() {}

void FlushOutput() { std::fflush(stdout); }

void ReportError(const char* text) { std::perror(text); }

bool PathExistsOnDisk(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

// Standard output stands for the console's handle.
void* StandardOutput() { return stdout; }

}  // namespace

const SystemCalls kSystemCalls = {WriteConsoleText, ShowErrorBox, ReadInputChar,    DiscardInput,
                                  FlushOutput,      ReportError,  PathExistsOnDisk, StandardOutput};
SystemCalls g_system = kSystemCalls;
