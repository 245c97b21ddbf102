// A medium's seal: the SHA-256 of its list of files (velseal.sha256, beside setup.exe),
// kept in a section of setup.exe's own, ".velseal", which the build leaves zero (so two
// builds stay byte for byte the same) and sealing fills in place. Zeroes mean unsealed.
#ifndef PLATFORM_MEDIUM_SEAL_H_
#define PLATFORM_MEDIUM_SEAL_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/sha256.h"

// The section's name: the eight characters a PE section name may have.
constexpr char kSealSectionName[] = ".velseal";
// What the section holds: the format (a little-endian 32-bit number), then the digest;
// the rest is zero.
constexpr std::size_t kSealSize = 64;
constexpr std::uint32_t kSealFormat = 1;
using SealBytes = std::array<unsigned char, kSealSize>;
// The list whose digest the seal holds, beside setup.exe.
constexpr char kSealListName[] = "velseal.sha256";

enum class SealState { kUnsealed, kSealed, kUnknownFormat };

// The seal of a list whose digest is `list_digest`.
SealBytes MakeSeal(const Sha256Digest& list_digest);

// What `seal` says: unsealed (all zero), sealed with `*list_digest`, or a format this
// launcher does not know (which must not be taken as unsealed).
SealState ReadSeal(const SealBytes& seal, Sha256Digest* list_digest);

// Where the PE image `image` keeps the raw data of its section `name`: its offset in the
// file and its size. False when `image` is no PE file or has no such section within it.
bool FindPeSection(std::string_view image, std::string_view name, std::size_t* offset,
                   std::size_t* size);

#endif  // PLATFORM_MEDIUM_SEAL_H_
