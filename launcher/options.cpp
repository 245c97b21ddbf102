#include "launcher/options.h"

#include <cctype>
#include <cstdio>

#include "launcher/launch_settings.h"
#include "launcher/option_table.h"
#include "messages/format_text.h"
#include "messages/run_flags.h"
#include "platform/full_path.h"
#include "platform/path_join.h"
#include "platform/system_calls.h"
#include "platform/text_buffer.h"

namespace {

// Value options, matched case-sensitively in the joined argument text.
struct ValueOption {
  const char* name;
  std::string LaunchSettings::*value;
  bool LaunchSettings::*given;
};

const ValueOption kValueOptions[] = {
    {"-paramFile", &LaunchSettings::param_file, nullptr},
    {"-rscratchPath", &LaunchSettings::scratch_path, &LaunchSettings::scratch_path_given},
    {"-rstartupLoc", &LaunchSettings::startup_location, &LaunchSettings::startup_location_given},
    {"-rtimestamp", &LaunchSettings::timestamp, nullptr},
    {"-jreLoc", &LaunchSettings::jre_location, &LaunchSettings::jre_location_given},
};

constexpr std::string_view kPrereqLogLocationOption = "-PREREQLOGLOC";

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  return text;
}

std::string UpperCaseCopy(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

// The text after the first '=' of `element` up to the next '=' or the end.
bool SecondAssignedPiece(std::string_view element, std::string_view* piece) {
  std::size_t first = element.find('=');
  if (first == std::string_view::npos) return false;
  std::string_view rest = element.substr(first + 1);
  *piece = rest.substr(0, rest.find('='));
  return true;
}

void ReadBootstrapLocation(std::string_view element, std::string* destination) {
  std::string_view piece;
  if (!SecondAssignedPiece(element, &piece)) return;
  if (!piece.empty() && piece.front() == '"') piece.remove_prefix(1);
  while (!piece.empty() && (piece.back() == ' ' || piece.back() == '\t')) piece.remove_suffix(1);
  if (!piece.empty() && piece.back() == '"') piece.remove_suffix(1);
  StoreBounded(destination, piece);
}

// Cuts `element` at its first "-J" and keeps what follows as the Java options.
void CutJavaOptions(std::string* element, LaunchSettings* settings) {
  std::size_t at = element->find("-J");
  if (at == std::string::npos) return;
  settings->has_java_options = true;
  settings->java_options = element->substr(at + 2);
  if (settings->java_options.find("-mx") != std::string::npos) {
    settings->memory_given_by_java_option = true;
  }
  element->erase(at);
}

void ApplyRow(const OptionRow& row, const std::string& element, const std::string& upper,
              const std::vector<std::string>& elements, std::size_t* index,
              LaunchSettings* settings) {
  switch (row.action) {
    case OptionAction::kFlag:
      if (row.flag != nullptr) settings->*row.flag = true;
      if (row.run_flag != nullptr) g_run_flags.*row.run_flag = true;
      break;
    case OptionAction::kBootstrapLocation:
      ReadBootstrapLocation(element, &settings->bootstrap_location);
      break;
    case OptionAction::kPrereqLogLocation:
      if (upper.size() == kPrereqLogLocationOption.size() && *index + 1 < elements.size()) {
        ++*index;
        StoreBounded(&settings->prereq_log_location, elements[*index]);
      }
      break;
    case OptionAction::kPrereqConfigLocation:
      GetAssignedValue(&settings->prereq_config_location, element, false, g_run_flags.debug);
      settings->prereq_config_from_source = false;
      break;
    case OptionAction::kFromLocation:
      if (settings->prereq_config_location.empty()) {
        GetAssignedValue(&settings->prereq_config_location, element, true, g_run_flags.debug);
        settings->prereq_config_from_source = true;
      }
      break;
  }
  if (row.sets_silent) g_run_flags.silent = true;
}

// A location given relative is taken from the directory the launcher was started in,
// once: the working directory changes during the launch, and every later use must name
// the same place.
void MakeLocationAbsolute(std::string* location) {
  std::string full;
  if (!location->empty() && GetFullPath(*location, &full)) *location = full;
}

}  // namespace

std::string JoinArguments(const std::vector<std::string>& elements) {
  std::string joined;
  for (const std::string& element : elements) {
    joined += element;
    joined += ' ';
  }
  return joined;
}

bool GetOptionValue(std::string_view name, std::string_view text, std::string* value) {
  if (text.empty()) return false;
  std::size_t at = text.find(name);
  if (at == std::string_view::npos) {
    std::string kept(Trim(*value));
    *value = kept;
    return false;
  }
  std::size_t start = at + name.size();
  std::size_t end = start < text.size() ? text.find(" -", start + 1) : std::string_view::npos;
  std::string_view found =
      end == std::string_view::npos ? text.substr(start) : text.substr(start, end - start);
  StoreBounded(value, Trim(found));
  return true;
}

void GetAssignedValue(std::string* value, std::string_view element, bool from_location,
                      bool debug) {
  std::string_view piece;
  if (!SecondAssignedPiece(element, &piece)) return;
  if (!piece.empty() && piece.front() == '"') piece.remove_prefix(1);
  if (!piece.empty() && piece.back() == '"') piece.remove_suffix(1);
  std::string candidate(piece.substr(0, kMaxTextLength));
  if (from_location) {
    if (!piece.empty()) {
      // A file name without a directory lies in the current directory.
      std::size_t slash = piece.rfind('\\');
      StoreBounded(value, slash == std::string_view::npos ? "." : piece.substr(0, slash));
    }
    candidate = JoinPath(*value, "prereq");
  }
  if (!GetFullPath(candidate, value)) {
    StoreBounded(value, candidate);
    if (debug) g_system.report_error(LocalText(msg::S_ERABS_PATH, candidate.c_str()).c_str());
  }
}

void ParseOptions(std::vector<std::string>* elements, LaunchSettings* settings) {
  if (elements->size() < 2) return;
  // Element 0 is the module path: it says where the launcher lives, not what to do.
  std::vector<std::string> arguments(elements->begin() + 1, elements->end());
  std::string joined = JoinArguments(arguments);
  for (const ValueOption& option : kValueOptions) {
    if (GetOptionValue(option.name, joined, &(settings->*option.value)) && option.given) {
      settings->*option.given = true;
    }
  }

  for (std::size_t i = 1; i < elements->size(); ++i) {
    std::string& element = (*elements)[i];
    // Copied before the cut, so options written after -J are still recognised.
    std::string upper = UpperCaseCopy(element);
    CutJavaOptions(&element, settings);
    for (std::size_t r = 0; r < kOptionCount; ++r) {
      const OptionRow& row = kOptionTable[r];
      if (upper.find(row.name) != std::string::npos) {
        ApplyRow(row, element, upper, *elements, &i, settings);
      }
    }
    settings->last_element_upper = upper;
  }
  MakeLocationAbsolute(&settings->scratch_path);
  MakeLocationAbsolute(&settings->bootstrap_location);
}

std::vector<OptionDescription> DescribeOptions() {
  std::vector<OptionDescription> options;
  for (const ValueOption& option : kValueOptions) {
    options.push_back({option.name, "exact case; the value runs to the next \" -\"", ""});
  }
  for (std::size_t r = 0; r < kOptionCount; ++r) {
    const OptionRow& row = kOptionTable[r];
    std::string how = "any case, anywhere in an argument";
    switch (row.action) {
      case OptionAction::kFlag:
        break;
      case OptionAction::kBootstrapLocation:
      case OptionAction::kPrereqConfigLocation:
      case OptionAction::kFromLocation:
        how += "; NAME=value, made absolute";
        break;
      case OptionAction::kPrereqLogLocation:
        how = "an argument of its own, then the next argument is the value";
        break;
    }
    std::string effect;
    if (row.sets_silent) effect = "runs silently";
    if (row.log_prefix != nullptr) {
      effect += std::string(effect.empty() ? "" : "; ") + "log file prefix " + row.log_prefix;
    }
    options.push_back({row.name, how, effect});
  }
  return options;
}
