// The paging files that the registry's PagingFiles value lists.
#ifndef PREREQ_PAGING_FILES_H_
#define PREREQ_PAGING_FILES_H_

#include <cstddef>

// The sum of the maximum sizes (MB) of the entries of a PagingFiles value: `size`
// bytes of a multi-string such as "C:\pagefile.sys 1024 2048\0D:\pagefile.sys 512
// 1024\0" give 3072. Zero bytes read as blanks; the text is split at ":" (empty pieces
// skipped), the first piece (the first drive letter) is skipped, and each further piece
// is read as a file name, an initial and a maximum size. A piece that does not read so
// adds what it has (nothing, or 0). Sizes are clamped to the int range.
double SumPagingFileMaxima(const char* bytes, std::size_t size);

#endif  // PREREQ_PAGING_FILES_H_
