// The installer log: one append-mode text file per launch, opened around each group of
// messages. Every opening computes the same path, so all of them add to one file. It
// receives the base (cons.nls) texts, so it reads the same in every language.
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
  std::string timestamp;
  std::string prefix = "\\installActions";
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
};

extern InstallerLog g_installer_log;

// Opens the log for appending in the override's or inst_loc's "logs" directory, else in
// the fallback directory; never through a link (platform/append_file.h). A log that
// cannot be written in an existing "logs" directory goes to the fallback directory,
// and the console says so (S_LOG_REDIRECTED) the first time. Without a usable directory
// no file is opened; a stream still open stays open.
void OpenInstallerLog();

// Appends `text` to the open log and flushes; does nothing when no log is open.
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

// Flushes and closes the log when it is open.
void CloseInstallerLog();

#endif  // MESSAGES_INSTALLER_LOG_H_
