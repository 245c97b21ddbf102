// The entry names of a zip (jar) archive, read from its central directory.
#ifndef TOOLS_VELCHECK_ZIP_LISTING_H_
#define TOOLS_VELCHECK_ZIP_LISTING_H_

#include <string>
#include <string_view>
#include <vector>

// The names of the entries of the archive `bytes`, in central-directory order. False
// when `bytes` hold no readable central directory (not a zip archive, or a damaged one).
bool ListZipEntries(std::string_view bytes, std::vector<std::string>* names);

#endif  // TOOLS_VELCHECK_ZIP_LISTING_H_
