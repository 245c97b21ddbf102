#include "platform/sealed_medium.h"

#include <vector>

#include "platform/ascii_case.h"

SealedMedium* g_sealed_medium = nullptr;

namespace {

// The names of a path, lower-cased; "." dropped and ".." taken back, as the system
// resolves them.
std::vector<std::string> PathNames(const std::string& path) {
  std::vector<std::string> names;
  std::string name;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '\\' || path[i] == '/') {
      if (name == "..") {
        if (names.size() > 1) names.pop_back();
      } else if (!name.empty() && name != ".") {
        names.push_back(name);
      }
      name.clear();
    } else {
      name += LowerAscii(path[i]);
    }
  }
  return names;
}

bool IsHexDigest(std::string_view text) {
  if (text.size() != 64) return false;
  for (char c : text) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

}  // namespace

std::string RelativeMediumPath(const std::string& base, const std::string& full_path) {
  std::vector<std::string> from = PathNames(base);
  std::vector<std::string> to = PathNames(full_path);
  // The first name is the drive ("c:") or, for "\\server\share", the server.
  if (from.empty() || to.empty() || from[0] != to[0]) return std::string();
  std::size_t common = 1;
  while (common < from.size() && common < to.size() && from[common] == to[common]) ++common;
  std::string relative;
  for (std::size_t i = common; i < from.size(); ++i) relative += "../";
  for (std::size_t i = common; i < to.size(); ++i) relative += to[i] + "/";
  if (!relative.empty()) relative.pop_back();
  return relative;
}

bool IsWithinDirectory(const std::string& directory, const std::string& path) {
  std::vector<std::string> outer = PathNames(directory);
  std::vector<std::string> inner = PathNames(path);
  if (outer.empty() || inner.size() < outer.size()) return false;
  for (std::size_t i = 0; i < outer.size(); ++i) {
    if (outer[i] != inner[i]) return false;
  }
  return true;
}

bool SealedMedium::Load(const std::string& launcher_dir, std::string_view text) {
  launcher_dir_ = launcher_dir;
  digests_.clear();
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.size() < 67 || !IsHexDigest(line.substr(0, 64)) || line.substr(64, 2) != "  ") {
      return false;
    }
    std::string path;
    for (char c : line.substr(66)) path += LowerAscii(c);
    if (!digests_.emplace(path, std::string(line.substr(0, 64))).second) return false;
  }
  return true;
}

void SealedMedium::Add(const std::string& full_path, const std::string& hex) {
  digests_[RelativeMediumPath(launcher_dir_, full_path)] = hex;
}

const std::string* SealedMedium::Find(const std::string& full_path) const {
  auto it = digests_.find(RelativeMediumPath(launcher_dir_, full_path));
  return it == digests_.end() ? nullptr : &it->second;
}

void SealedMedium::Break(const std::string& file) {
  if (broken_file_.empty()) broken_file_ = file.empty() ? "?" : file;
}
