#include "prereq/prereq_checks.h"

#include "platform/text_buffer.h"
#include "platform/windows_prelude.h"
#include "prereq/swap_space.h"
#include "prereq/system_info.h"

namespace {

// The profile reader's answer, as the certified-version list was always read.
std::string ReadProfileValueOf(const std::string& file, const char* section, const char* key) {
  char value[kTextBufferSize] = "";
  GetPrivateProfileStringA(section, key, "", value, sizeof value, file.c_str());
  return value;
}

bool CheckSwapSpaceHere(const std::string& requirement) { return CheckSwapSpace(requirement); }

const PrereqMachine kThisMachine = {ReadProfileValueOf,  ReadOsVersion,     HasQ246009Hotfix,
                                    DisplayBitsPerPixel, ProcessorClockMhz, CheckSwapSpaceHere};

}  // namespace

int CheckPrereqPass(PrereqPassState* state, bool required_category, bool first_pass) {
  return CheckPrereqPass(state, required_category, first_pass, kThisMachine);
}
