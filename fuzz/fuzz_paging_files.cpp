// Feeds arbitrary PagingFiles values (up to the 1024 bytes the registry read takes) to
// the paging-file sum.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "prereq/paging_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 1024) size = 1024;
  double total = SumPagingFileMaxima(reinterpret_cast<const char*>(data), size);
  // At most one entry per two bytes, each within the int range.
  if (!std::isfinite(total) || std::fabs(total) > 512.0 * 2147483648.0) __builtin_trap();
  return 0;
}
