#include "tools/velcheck/finding_report.h"

#include <cstdio>

#include "platform/file_text.h"
#include "platform/system_text.h"

namespace {

// Code page 1252's characters for the bytes 0x80 to 0x9F; the five it leaves undefined
// map to the same code points, as the system's conversion maps them.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(char32_t code, std::string* text) {
  if (code < 0x80) {
    *text += static_cast<char>(code);
  } else if (code < 0x800) {
    *text += static_cast<char>(0xC0 | (code >> 6));
    *text += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    *text += static_cast<char>(0xE0 | (code >> 12));
    *text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *text += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::string Cp1252ToUtf8(const std::string& bytes) {
  std::string text;
  for (char c : bytes) {
    unsigned char u = static_cast<unsigned char>(c);
    AppendUtf8(u >= 0x80 && u < 0xA0 ? kCp1252High[u - 0x80] : u, &text);
  }
  return text;
}

std::string JsonString(const std::string& text) {
  std::string json = "\"";
  for (char c : TextAsUtf8(text)) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (u < 0x20 || u == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
      json += escaped;
    } else {
      json += c;
    }
  }
  return json + "\"";
}

}  // namespace

std::string TextAsUtf8(const std::string& text) {
  if (IsValidUtf8(text)) return text;
  // The system's conversion stops at a NUL, so a text holding one is not given to it.
  if (text.find('\0') == std::string::npos) {
    std::string converted = SystemTextToUtf8(text.c_str());
    if (IsValidUtf8(converted)) return converted;
  }
  return Cp1252ToUtf8(text);
}

std::string FormatFindingsText(const std::vector<Finding>& findings) {
  std::string text;
  for (const Finding& f : findings) {
    text += f.file;
    if (f.line > 0) text += ":" + std::to_string(f.line);
    text += f.severity == Severity::kError ? ": error: " : ": warning: ";
    if (!f.key.empty()) text += f.key + ": ";
    text += f.message + "\n";
  }
  return text;
}

std::string FormatFindingsJson(const std::string& medium, const std::vector<Finding>& findings) {
  std::string json = "{\"medium\": " + JsonString(medium) + ", \"findings\": [";
  const char* separator = "";
  for (const Finding& f : findings) {
    json += separator;
    json += "\n  {\"severity\": \"";
    json += f.severity == Severity::kError ? "error" : "warning";
    json += "\", \"file\": " + JsonString(f.file);
    json += ", \"line\": " + (f.line > 0 ? std::to_string(f.line) : std::string("null"));
    json += ", \"key\": " + (f.key.empty() ? std::string("null") : JsonString(f.key));
    json += ", \"message\": " + JsonString(f.message) + "}";
    separator = ",";
  }
  return json + (findings.empty() ? "" : "\n") + "]}\n";
}

int FindingsStatus(const std::vector<Finding>& findings) {
  int status = 0;
  for (const Finding& finding : findings) {
    if (finding.severity == Severity::kError) return 2;
    status = 1;
  }
  return status;
}
