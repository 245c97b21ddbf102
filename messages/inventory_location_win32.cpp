#include "messages/inventory_location.h"

#include "platform/environment_block.h"
#include "platform/scoped_reg_key_win32.h"
#include "platform/system_environment_win32.h"
#include "platform/system_text.h"
#include "platform/text_buffer.h"
#include "platform/wide_text_win32.h"

std::string ReadRegisteredInventoryLocation() {
  ScopedRegKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\VELMOR", KEY_QUERY_VALUE) &&
      !key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\WOW6432NODE\\VELMOR", KEY_QUERY_VALUE)) {
    return std::string();
  }
  char value[kTextBufferSize] = "";
  DWORD size = sizeof value - 1;  // room for a terminator the registry may not store
  DWORD type = 0;
  if (RegQueryValueExA(key.get(), "inst_loc", nullptr, &type, reinterpret_cast<BYTE*>(value),
                       &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::string();
  }
  value[size < sizeof value ? size : sizeof value - 1] = '\0';
  if (type == REG_SZ) return value;
  // "%SystemDrive%\Inventory": the system's variables only, never the user's, which a
  // program of the user's could point anywhere.
  std::string expanded = ExpandVariables(SystemTextToUtf8(value), SystemEnvironment());
  std::string text = WideToSystemText(Utf8ToWide(expanded.c_str()).c_str());
  return text.size() <= kMaxTextLength ? text : std::string();  // too long for the buffers
}
