#include "prereq/prereq_rules.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/classic_space.h"
#include "platform/text_buffer.h"

namespace {

std::vector<std::string> CommaPieces(const std::string& list) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  while (start <= list.size()) {
    std::size_t end = list.find(',', start);
    if (end == std::string::npos) end = list.size();
    if (end > start) pieces.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return pieces;
}

}  // namespace

std::string FormatVersionList(const std::string& list) {
  std::vector<std::string> pieces = CommaPieces(list);
  std::string text;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) text += i + 1 == pieces.size() ? " or " : ", ";
    text += pieces[i];
  }
  return text;
}

bool ListContains(const std::string& list, const std::string& word) {
  for (const std::string& piece : CommaPieces(list)) {
    if (piece == word) return true;
  }
  return false;
}

std::string ServicePackNumber(const std::string& csd_version) {
  int word = 0;
  std::size_t start = 0;
  while (start < csd_version.size()) {
    std::size_t end = csd_version.find(' ', start);
    if (end == std::string::npos) end = csd_version.size();
    if (end > start && ++word == 3) return csd_version.substr(start, end - start);
    start = end + 1;
  }
  return std::string();
}

bool ServicePackAccepted(const std::string& requirement, const std::string& number) {
  if (ListContains(requirement, number)) return true;
  if (requirement.find(',') != std::string::npos) return false;
  // Compared as text, byte by byte: "6a" is not below "3", "10" is below "9".
  return number.compare(requirement) >= 0;
}

std::string ColourCountText(int bits) {
  switch (bits) {
    case 4:
      return "16";
    case 8:
      return "256";
    case 15:
      return "32768";
    case 16:
      return "65536";
    case 24:
      return "16777216";
    case 32:
      return "4294967296";
    case 48:
      return "281474976710656";
    case 64:
      return "18446744073709551616";
    default:
      break;
  }
  char text[400];
  // Powers of two are exact in a double up to 2^1023.
  std::snprintf(text, sizeof text, bits < 32 ? "%f" : "%.0f", std::ldexp(1.0, bits));
  return text;
}

Verdict CheckColours(const std::string& requirement, int bits) {
  double required = LeadingNumber(requirement);
  if (!(required > 0)) return Verdict::kNone;
  if (bits >= 32) return Verdict::kPassed;
  return required - 1 > std::ldexp(1.0, bits) ? Verdict::kFailed : Verdict::kPassed;
}

Verdict CheckClock(const std::string& requirement, int clock_mhz) {
  int required = LeadingInteger(requirement);
  if (required <= 0) return Verdict::kNone;
  return clock_mhz >= required ? Verdict::kPassed : Verdict::kFailed;
}

int LeadingInteger(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && IsClassicSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}

double LeadingNumber(const std::string& text) {
  double value = std::strtod(text.c_str(), nullptr);
  return std::isfinite(value) ? value : 0.0;
}

void AppendFailureMessage(std::string* failure_text, const std::string& message) {
  if (message.empty()) return;
  failure_text->append("\n\n").append(message);
  if (failure_text->size() > kMaxTextLength) failure_text->resize(kMaxTextLength);
}

Answer ClassifyAnswer(const char* line) {
  if (line == nullptr) return Answer::kNo;
  switch (line[0]) {
    case 'y':
    case 'Y':
      return Answer::kYes;
    case 'n':
    case 'N':
    case '\n':
      return Answer::kNo;
    default:
      return Answer::kAgain;
  }
}

const PrereqCheckInfo* FindPrereqCheck(const std::string& key) {
  for (const PrereqCheckInfo& check : kPrereqChecks) {
    if (key == check.key) return &check;
  }
  return nullptr;
}
