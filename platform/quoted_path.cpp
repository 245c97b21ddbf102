#include "platform/quoted_path.h"

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

std::string QuotedPath(const std::string& path) { return "\"" + QuotableDirectory(path) + "\""; }
