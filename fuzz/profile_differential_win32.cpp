// Differential fuzzing of the Velmor section's reader: random velparam.ini files, every
// key read by the system (GetPrivateProfileStringA on the file) and by ReadProfileValue
// (on the text ProfileTextOf makes of the file's bytes). The first difference is printed
// with the file, and fails. Built with the launcher's manifest, so that the "A" call
// works in UTF-8 as the launcher's does.
//
//   profile_differential [ITERATIONS [SEED]]
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "params/profile_text.h"
#include "platform/text_buffer.h"
#include "platform/windows_prelude.h"

namespace {

const char* const kKeys[] = {"TAV_VERSION", "tav_version", "K", "JRE_LOCATION", "X Y", ";K"};
const char* const kHeaders[] = {"[Velmor]",  "[velmor]", "  [ Velmor ]  ", "[Other]",
                                "[Velmor]x", "[Velmor",  "[Vel]mor]",      "[]"};
const char* const kSeparators[] = {"=", " = ", "\t=\t", "==", ""};
const char* const kValues[] = {"11.2", "\"quoted\"", "'single'",   "\"open", "\"\"",
                               "'x\"", "a = b",      "  spaced  ", ";semi",  "\t tab ",
                               "",     "\"a\" b",    "é ü",        "\"'\"",  "=x"};
const char* const kEnds[] = {"\n", "\r\n", "\r\n", "\n", "\r"};

std::string RandomFile(std::mt19937& random) {
  auto pick = [&random](const auto& table) {
    return std::string(table[random() % (sizeof table / sizeof table[0])]);
  };
  std::string file = random() % 8 == 0 ? "\xEF\xBB\xBF" : "";
  int lines = 1 + static_cast<int>(random() % 12);
  for (int i = 0; i < lines; ++i) {
    switch (random() % 7) {
      case 0:
        file += pick(kHeaders);
        break;
      case 1:
        file += (random() % 2 ? ";" : "#") + pick(kKeys) + "=" + pick(kValues);
        break;
      case 2:
        file += std::string(random() % 3, ' ');
        break;
      case 3: {
        // Around the 1023-byte cut, in one-byte and two-byte characters.
        std::string unit = random() % 2 ? "a" : "\xC3\xA9";
        std::string value;
        std::size_t length = 1000 + random() % 60;
        while (value.size() < length) value += unit;
        file += pick(kKeys) + "=" + value;
        break;
      }
      default:
        file += std::string(random() % 2, ' ') + pick(kKeys) + pick(kSeparators) + pick(kValues);
        break;
    }
    if (i + 1 < lines || random() % 2) file += pick(kEnds);
  }
  return file;
}

// `text` with bytes outside printable ASCII escaped; a long text shows its two ends.
std::string Printable(const std::string& text) {
  if (text.size() > 120) {
    return Printable(text.substr(0, 40)) + "<" + std::to_string(text.size() - 80) + " bytes>" +
           Printable(text.substr(text.size() - 40));
  }
  std::string shown;
  for (unsigned char c : text) {
    if (c == '\n' || (c >= 0x20 && c < 0x7F)) {
      shown += static_cast<char>(c);
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", c);
      shown += escape;
    }
  }
  return shown;
}

}  // namespace

int main(int argc, char** argv) {
  int iterations = argc > 1 ? std::atoi(argv[1]) : 2000;
  unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 20101105;
  std::mt19937 random(seed);
  char temp[MAX_PATH];
  if (GetTempPathA(MAX_PATH, temp) == 0) return 2;
  std::string path =
      std::string(temp) + "vel_profile_differential_" + std::to_string(GetCurrentProcessId());
  const std::string kDefault = "<default>";
  int status = 0;
  for (int i = 0; i < iterations && status == 0; ++i) {
    std::string bytes = RandomFile(random);
    // A new name each time: the system keeps the files it read lately.
    std::string file = path + "_" + std::to_string(i) + ".ini";
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr) return 2;
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
    std::string text;
    bool readable = ProfileTextOf(bytes, &text);
    for (const char* key : kKeys) {
      // Zeroed: where the length cut falls inside a character, Wine's reader leaves the
      // byte before the cut unwritten, and the value ends before it.
      char value[kTextBufferSize] = {};
      GetPrivateProfileStringA("Velmor", key, kDefault.c_str(), value, sizeof value, file.c_str());
      std::string ours = readable ? ReadProfileValue(text, "Velmor", key, kDefault) : value;
      if (ours != value) {
        std::printf(
            "file %d (seed %u), key \"%s\":\n  system (%zu bytes): \"%s\"\n"
            "  ours (%zu bytes):   \"%s\"\n%s\n",
            i, seed, key, std::string(value).size(), Printable(value).c_str(), ours.size(),
            Printable(ours).c_str(), Printable(bytes).c_str());
        status = 1;
        break;
      }
    }
    DeleteFileA(file.c_str());
  }
  if (status == 0) std::printf("%d files, every key the same both ways\n", iterations);
  return status;
}
