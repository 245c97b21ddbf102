// The Java main class that each mode starts, and what the mode does to staging.
#ifndef LAUNCHER_MAIN_CLASS_H_
#define LAUNCHER_MAIN_CLASS_H_

#include <string>

struct LaunchSettings;
struct ParameterSettings;

// Whether a mode turns staging (BOOTSTRAP) off.
enum class BootstrapForcing {
  kNever,
  kAlways,
  // Attach home stages only from a distribution medium: BOOTSTRAP goes off when
  // DISTRIBUTION, read again from the parameter file, is off.
  kUnlessDistribution,
};

struct ModeChoice {
  std::string main_class;
  BootstrapForcing forcing = BootstrapForcing::kNever;
  // Modes that work on an installed home and must not run from a distribution medium.
  bool refuses_distribution = false;
};

// Of the modes given, the one of lowest rank in the option table decides; without one
// it is INSTALL_CLASS.
// -ADDNODE starts INSTALL_CLASS, -ONECLICK INSTALL_ONECLICK_CLASS (the built-in
// installer class when -HELP is given too).
ModeChoice ChooseMainClass(const LaunchSettings& launch, const ParameterSettings& params);

#endif  // LAUNCHER_MAIN_CLASS_H_
