#pragma once
// The whole-picture coefficient arrays of a multi-scan JPEG decode (some 36 MB for 12
// megapixels), kept in picture memory instead of libjpeg's heap blocks. libjpeg asks
// for them zeroed and clears them itself, page by page: where a first touch of a 4 KB
// page is dear, that costs as much as decoding a progressive thumbnail. A fresh
// huge-page mapping reads as zeros already and faults 2 MB at a time.
//
// libjpeg's memory manager is an object of methods; this one takes over its block-array
// methods for one decompressor and hands arrays under a megabyte back to them.

#include <cstdio>
#include <memory>
#include <vector>

#include <jpeglib.h>

namespace Gdip {

class JpegCoefficientMemory {
 public:
  JpegCoefficientMemory();
  ~JpegCoefficientMemory();
  JpegCoefficientMemory(const JpegCoefficientMemory&) = delete;
  JpegCoefficientMemory& operator=(const JpegCoefficientMemory&) = delete;

  // Serves the block arrays of this decompressor from now on (its client data points
  // here). Called before its decode starts; the arrays live until this object goes,
  // which must be after the decompressor is destroyed.
  void Serve(jpeg_decompress_struct& cinfo);

 private:
  struct Array;
  static JpegCoefficientMemory& Of(j_common_ptr cinfo);
  static jvirt_barray_ptr Request(j_common_ptr cinfo, int pool, boolean zeroed, JDIMENSION blocksPerRow,
                                  JDIMENSION rows, JDIMENSION rowsPerAccess);
  static void Realize(j_common_ptr cinfo);
  static JBLOCKARRAY Access(j_common_ptr cinfo, jvirt_barray_ptr handle, JDIMENSION firstRow, JDIMENSION rows,
                            boolean writable);
  bool Allocate();

  std::vector<std::unique_ptr<Array>> m_arrays;
  // libjpeg's own methods, for the arrays it keeps.
  jpeg_memory_mgr m_library{};
};

}  // namespace Gdip
