#include "staging/unzip_command.h"

#include "platform/path_join.h"
#include "platform/quoted_path.h"

std::string UnzipCommandLine(const std::string& unzip_dir, const std::string& source,
                             const std::string& destination, bool debug) {
  std::string command = "\"" + JoinPath(unzip_dir, "unzip") + "\"";
  command += debug ? " -o " : " -qqqo ";
  command += "\"" + source + "/*.jar\"";
  command += " -d " + QuotedPath(destination) + " ";
  return command;
}
