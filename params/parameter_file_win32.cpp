#include "params/parameter_file.h"

#include "params/profile_text.h"
#include "params/section_reader.h"
#include "platform/file_text.h"
#include "platform/text_buffer.h"
#include "platform/windows_prelude.h"

KeyReader ProfileKeyReader(const std::string& path) {
  // The file is read once, and every key answered from its text by the system reader's
  // rules; the system would open it again for each key. Only a file that cannot be read
  // whole, or is UTF-16, is left to the system.
  std::string bytes;
  std::string text;
  if (LoadSectionFile(path, &bytes) && ProfileTextOf(bytes, &text)) {
    // The system's reader would decode a legacy file as UTF-8 when that is the process's
    // code page: such a file's text is converted first.
    if (GetACP() == CP_UTF8 && IsLegacyText(text)) text = FileTextToSystemText(text);
    return [text](const char* key, const std::string& default_value) {
      return ReadProfileValue(text, "Velmor", key, default_value);
    };
  }
  return [path](const char* key, const std::string& default_value) {
    // Zeroed: a cut inside a character leaves a byte unwritten.
    char value[kTextBufferSize] = {};
    GetPrivateProfileStringA("Velmor", key, default_value.c_str(), value, sizeof value,
                             path.c_str());
    return std::string(value);
  };
}
