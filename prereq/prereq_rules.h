// The prerequisite checks' decisions that need no system call.
#ifndef PREREQ_PREREQ_RULES_H_
#define PREREQ_PREREQ_RULES_H_

#include <string>

// The sections of velparam.ini the prerequisite run reads, and the keys of each.
inline constexpr char kCertifiedVersionsSection[] = "Certified Versions";
inline constexpr char kGenericPrereqsSection[] = "Generic Prereqs";
// "Windows-<major>.<minor>-required" and "-optional" hold the platform checks.
inline constexpr char kPlatformSectionPrefix[] = "Windows-";
// The keys of the certified-version section.
inline constexpr char kCertifiedWindowsKey[] = "Windows";
inline constexpr char kCertifiedFailureMessageKey[] = "CERTIFIED_VERSION_FAILURE_MESSAGE";
inline constexpr char kCertifiedWarnKey[] = "CERTIFIED_VERSION_WARN";
inline constexpr char kCertifiedLocationKey[] = "CERTIFIED_VERSION_LOCATION";

// The checks a prerequisite section holds, one row each, with the key of its failure
// message; the generic section (the first pass) checks all four, a platform section
// only those not limited to the first pass.
enum class PrereqCheck { kServicePack, kDisplayColours, kProcessor, kSwapSpace };
struct PrereqCheckInfo {
  PrereqCheck check;
  const char* key;
  const char* failure_message_key;
  bool first_pass_only;
};
inline constexpr PrereqCheckInfo kPrereqChecks[] = {
    {PrereqCheck::kServicePack, "SERVICE_PACK", "SERVICE_PACK_FAILURE_MESSAGE", false},
    {PrereqCheck::kDisplayColours, "MIN_DISPLAY_COLORS", "MIN_DISPLAY_COLORS_FAILURE_MESSAGE",
     true},
    {PrereqCheck::kProcessor, "CPU", "CPU_FAILURE_MESSAGE", false},
    {PrereqCheck::kSwapSpace, "SWAP_SPACE", "TEMP_SPACE_FAILURE_MESSAGE", true},
};

// The check a section entry's key names, exactly as written; null for any other key.
const PrereqCheckInfo* FindPrereqCheck(const std::string& key);

// A check's outcome; a requirement that is not a positive number gives no verdict.
enum class Verdict { kNone, kPassed, kFailed };

// The pieces of a comma list (empty ones skipped, blanks kept) joined with ", ", the
// last two with " or ": "5.0,5.1,5.2" gives "5.0, 5.1 or 5.2".
std::string FormatVersionList(const std::string& list);

// Whether a piece of the comma list equals `word` exactly ("5.1, 6.1" does not hold "6.1").
bool ListContains(const std::string& list, const std::string& word);

// The service-pack number of a CSD version text: its third blank-separated word
// ("Service Pack 6a" gives "6a"), empty when it has none.
std::string ServicePackNumber(const std::string& csd_version);

// SERVICE_PACK against the number: listed, or (for a single value) not smaller as text.
bool ServicePackAccepted(const std::string& requirement, const std::string& number);

// The number of colours a pixel depth gives, as shown to the user: "256" at 8 bits,
// "2.000000" at 1 bit; depths of 32 bits or more without a table entry give 2 to their
// power as a whole number.
std::string ColourCountText(int bits);

// MIN_DISPLAY_COLORS against the depth: depths of 32 bits or more always do.
Verdict CheckColours(const std::string& requirement, int bits);

// CPU (MHz, leading digits) against the clock.
Verdict CheckClock(const std::string& requirement, int clock_mhz);

// The leading decimal number of `text`, as atoi reads it, clamped to the int range.
int LeadingInteger(const std::string& text);

// The leading floating-point number of `text`, as atof reads it; 0 for none and for
// anything not finite.
double LeadingNumber(const std::string& text);

// Appends "\n\n" and `message` to the failure text, which never passes 1023 characters:
// what does not fit is cut. An empty message adds nothing.
void AppendFailureMessage(std::string* failure_text, const std::string& message);

// An answer to a yes/no question, by its first character: "y"/"Y" yes; "n"/"N" or an
// empty line no; anything else asks again. No line at all (the input has ended) is no,
// so that a question never repeats without end.
enum class Answer { kYes, kNo, kAgain };
Answer ClassifyAnswer(const char* line);

#endif  // PREREQ_PREREQ_RULES_H_
