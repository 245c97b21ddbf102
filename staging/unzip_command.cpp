#include "staging/unzip_command.h"

#include "platform/path_join.h"

namespace {

bool IsRoot(const std::string& directory) {
  return directory == "\\" ||
         (directory.size() == 3 && directory[1] == ':' && directory[2] == '\\');
}

}  // namespace

std::string QuotableDirectory(const std::string& directory) {
  std::string quotable = directory;
  while (!quotable.empty() && quotable.back() == '\\' && !IsRoot(quotable)) quotable.pop_back();
  if (!quotable.empty() && quotable.back() == '\\') quotable += '\\';
  return quotable;
}

std::string UnzipCommandLine(const std::string& unzip_dir, const std::string& source,
                             const std::string& destination, bool debug) {
  std::string command = "\"" + JoinPath(unzip_dir, "unzip") + "\"";
  command += debug ? " -o " : " -qqqo ";
  command += "\"" + source + "/*.jar\"";
  command += " -d \"" + QuotableDirectory(destination) + "\" ";
  return command;
}
