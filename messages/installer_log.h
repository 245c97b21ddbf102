// The installer log: one append-mode text file per launch, held open by the launch's
// session (InstallerLogSession) and flushed after each line. Lower layers only write to
// it. It receives the base (cons.nls) texts, so it reads the same in every language.
#ifndef MESSAGES_INSTALLER_LOG_H_
#define MESSAGES_INSTALLER_LOG_H_

#include <cstdio>
#include <string>

#include "messages/format_text.h"
#include "messages/message_output.h"

struct InstallerLog {
  std::FILE* stream = nullptr;
  // The log file's path, empty when no log could be opened; S_EXIT_MSG shows it.
  std::string path;
  // The log's identity, set by the launch sequence as each part becomes known; every
  // opening names the file from it, so all of them add to one file.
  // The file's name: the mode's prefix and the launch's timestamp (LogFileName), set
  // once the options are known.
  std::string file_name;
  // Where logs go before anything else (-PREREQLOGLOC, or the temporary directory of
  // the prerequisite checker); its "logs" subdirectory holds the file.
  std::string override_directory;
  // Where the log goes when neither the override nor inst_loc says otherwise: the
  // scratch directory, or BOOTSTRAP_LOC under -BOOTSTRAPONLY.
  std::string fallback_directory;
  // inst_loc, read once and made absolute, so that every opening names the same file
  // whatever the working directory is by then.
  bool inventory_read = false;
  std::string inventory_location;
  // Whether the log went to the fallback directory because it could not be written where
  // it was meant to go; the console says so once.
  bool redirected = false;
  // Whether a session runs, and whether the identity or the working directory changed
  // since the file was named (a relative directory names another file after a move).
  bool session_running = false;
  bool retarget = false;
  // The full paths the open file was named by: where it was meant to go and the
  // fallback, so that naming the same file again keeps it open.
  std::string target;
};

extern InstallerLog g_installer_log;

// The log of one launch, owned by the launch: opened once where its identity names it,
// kept open, and closed once. The file goes in the override's or inst_loc's "logs"
// directory, else in the fallback directory; never through a link
// (platform/append_file.h). A log that cannot be written in an existing "logs"
// directory goes to the fallback directory, and the console says so (S_LOG_REDIRECTED)
// the first time. Without a usable directory no file is open and lines are dropped.
class InstallerLogSession {
 public:
  // Starts the session; the file is opened by Open or by the first line written.
  InstallerLogSession();
  ~InstallerLogSession();
  InstallerLogSession(const InstallerLogSession&) = delete;
  InstallerLogSession& operator=(const InstallerLogSession&) = delete;

  // Opens the file the identity names now, unless it is open already: where a group of
  // lines begins, so the file exists (and the redirection is told) from that point on.
  // An open file of another name is closed first.
  void Open();
  // The identity or the working directory changed: the file is named again by the next
  // Open or line.
  void Retarget();
  // Flushes and closes the file; later lines are dropped. The path stays known.
  void Close();
};

// Appends `text` to the log and flushes. In a session, opens the file first when none
// is open or its name may have changed; without one, writes only to a stream a test set.
void WriteLog(const char* text);

// Prints `text` on the console, then appends it to the log.
void ShowAndLog(const char* text);

// ShowAndLog of a text from the system's ANSI calls (a velparam.ini value), converted to
// UTF-8 first like every other text shown or logged.
void ShowAndLogSystemText(const std::string& text);

// Formats `key` with the arguments: its local text to the console, its base text to
// the log. The key's type fixes the arguments, as for LocalText.
template <char... Kinds, typename... Arguments>
void ShowAndLogMessage(MessageKey<Kinds...> key, Arguments... arguments) {
  ConsolePrint(LocalText(key, arguments...).c_str());
  WriteLog(BaseText(key, arguments...).c_str());
}

// The inventory location (inst_loc) written when the product was installed, from
// SOFTWARE\VELMOR, else SOFTWARE\WOW6432NODE\VELMOR of HKEY_LOCAL_MACHINE; empty when
// there is none, or when it is not an absolute path ("C:\..." or "\\server\..."). A
// REG_EXPAND_SZ value is expanded with the system's variables only. Read once.
std::string ReadInventoryLocation();

#endif  // MESSAGES_INSTALLER_LOG_H_
