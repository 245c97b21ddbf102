#include "staging/archive_expansion.h"

#include <cstdio>

#include "messages/format_text.h"
#include "messages/installer_log.h"
#include "messages/message_output.h"
#include "messages/messages.h"
#include "platform/ascii_case.h"
#include "platform/child_process.h"
#include "platform/directory_search_win32.h"
#include "platform/ensure_directory.h"
#include "platform/full_path.h"
#include "platform/path_exists.h"
#include "platform/path_join.h"
#include "platform/scoped_handle_win32.h"
#include "platform/sealed_file_win32.h"
#include "platform/sealed_medium.h"
#include "platform/windows_prelude.h"
#include "staging/tree_walk.h"
#include "staging/unzip_command.h"

namespace {

// Runs `program` with `command` hidden and waits for it: its exit code, or the system's
// error code when it cannot be started or its code cannot be read.
DWORD RunHidden(const std::string& program, const std::string& command) {
  void* child = nullptr;
  if (DWORD error = StartChild(program, command, SW_HIDE, ChildProgram::kUnzip, &child); error != 0)
    return error;
  ScopedHandle process(child);
  if (WaitForChild(process.get()) != 0) {
    // unzip may still be writing: its status reads as still active, which fails the step.
    ShowError(
        LocalText(msg::S_ERGOSLST, "MsgWaitForMultipleObjects()", static_cast<int>(GetLastError()))
            .c_str());
  }
  DWORD code = 0;
  if (!GetExitCodeProcess(process.get(), &code)) return GetLastError();
  return code;
}

// From a sealed medium unzip expands checked copies: each jar of `source` is copied into
// `copies`, in the scratch directory, its digest checked on the way, so that no jar
// changed, replaced or added while unzip runs is what it reads. False when a jar is not
// as sealed.
bool CopySealedJars(const std::string& source, const std::string& copies) {
  EnsureDirectory(copies);
  SealedCopies sealed;
  DirectorySearch search(JoinPath(source, "*.jar"));
  while (search.Next()) {
    std::string name = search.name();
    // The search also finds names whose short form ends so; unzip's pattern does not.
    bool jar = name.size() > 4 && SameIgnoringAsciiCase(name.substr(name.size() - 4), ".jar");
    unsigned long error = 0;
    if (search.is_directory() || !jar) continue;
    if (!sealed.Copy(JoinPath(source, name), JoinPath(copies, name), &error)) {
      // A jar that cannot be read whole cannot be shown to be the one sealed.
      g_sealed_medium->Break(JoinPath(source, name));
      return false;
    }
  }
  return sealed.Finish().empty();
}

}  // namespace

int ExpandJars(const std::string& source, const std::string& destination,
               const std::string& unzip_dir, bool debug) {
  // unzip makes only the last level of its destination.
  EnsureDirectory(destination);
  // The file started is the unzip.exe in `unzip_dir`, whatever the working directory.
  std::string program = JoinPath(unzip_dir, "unzip.exe");
  GetFullPath(program, &program);
  std::string jars = source;
  if (g_sealed_medium != nullptr) {
    jars = JoinPath(destination, "~sealed-jars");
    bool checked = HoldMediumFile(program) && CopySealedJars(source, jars);
    if (!checked) {
      RemoveTree(jars);
      return -1;
    }
  }
  std::string command = UnzipCommandLine(unzip_dir, jars, destination, debug);
  DWORD result = RunHidden(program, command);
  if (jars != source) RemoveTree(jars);

  WriteLog(BaseMessage(msg::S_UNZIP_COMMANDLINE));
  WriteLog(command.c_str());
  if (result == 0) return 0;
  if (PathExists(source)) return -1;
  WriteLog(BaseText(msg::S_UNZIP_FAILED, source.c_str()).c_str());
  ShowError(LocalText(msg::S_UNZIP_FAILED, source.c_str()).c_str());
  std::fflush(stdout);
  return -1;
}
