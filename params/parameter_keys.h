// Reading the keys of velparam.ini's Velmor section, in their order, with their defaults.
//
// Every value comes through a key reader (the file in use, read by the system profile
// reader's rules, params/profile_text.h): at most 1023 characters, blanks and one pair of quotes
// removed. A missing key and an empty value both give the default. A flag keeps its first character
// only. In distribution mode the three component locations default to the staged layout under
// ..\stage\Components, and BOOTSTRAP is forced to "TRUE".
#ifndef PARAMS_PARAMETER_KEYS_H_
#define PARAMS_PARAMETER_KEYS_H_

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct ParameterSettings;

// What the command line says that some keys give way to.
struct ParameterOverrides {
  bool jre_location_given = false;  // -jreLoc
  // PREREQ_CONFIG_LOCATION=... on the command line; when it came from FROM_LOCATION=
  // instead, the file's own key still decides.
  std::string prereq_config_location;
  bool prereq_config_from_source = false;
};

// How a key's value is read.
enum class ValueKind {
  kText,
  kFlag,    // keeps its first character; on only when that is an upper-case 'T'
  kSwitch,  // on only when it is exactly "TRUE"
  kNumber,  // a decimal number
  kList,    // comma-separated entries
};

// The keys of velparam.ini's Velmor section, by name: VelmorKey::TAV_VERSION.
enum class VelmorKey {
#define VELMOR_KEY(name, ...) name,
#include "params/velmor_key_list.def"
};

// One key of the Velmor section that the launcher reads.
struct VelmorKeyInfo {
  VelmorKey key;
  const char* name;
  ValueKind kind;
  // The value of a missing key; the computed ones are described in `note`.
  const char* default_value;
  // The setting the key's value fills.
  std::string& (*field)(ParameterSettings& settings);
  // What the key does, or how its default is found, in a line.
  const char* note;
};

// Every key the launcher reads from the Velmor section, in the order it reads them.
extern const VelmorKeyInfo kVelmorKeys[];
extern const std::size_t kVelmorKeyCount;

// The row of `key`.
const VelmorKeyInfo& VelmorKeyRow(VelmorKey key);

// The key of that name, compared without regard to ASCII case as the profile reader
// does; null for a key the launcher does not read.
const VelmorKeyInfo* FindVelmorKey(std::string_view name);

// Returns the value of `key` in section Velmor, or `default_value` when it is missing.
using KeyReader = std::function<std::string(const char* key, const std::string& default_value)>;

// One key: the reader's value, the default when that is empty, at most 1023
// characters, cut to its first character for a flag.
std::string ReadVelmorKey(const KeyReader& read, const char* key, const std::string& default_value,
                          ValueKind kind);

// A key of the table with the table's default and kind.
std::string ReadTableKey(const KeyReader& read, VelmorKey key);

// Splits BOOTSTRAP_COMPS at commas as strtok does, skipping empty entries, into at most
// 16 entries: "a:1,,b:2" -> {"a:1", "b:2"}.
std::vector<std::string> SplitBootstrapComponents(const std::string& text);

// Reads every key of the Velmor section into `*params`. `launcher_dir` is the default
// of the component locations outside distribution mode; `params->locations.jre` holds the
// -jreLoc value on entry and is replaced by JRE_LOCATION unless -jreLoc was given.
void ReadParameterKeys(const KeyReader& read, const ParameterOverrides& overrides,
                       const std::string& launcher_dir, const std::string& scratch_path,
                       ParameterSettings* params);

#endif  // PARAMS_PARAMETER_KEYS_H_
