#include "platform/gdiplus/JpegCoefficientMemory.h"

#include <cstdint>
#include <new>

#include <jerror.h>

#include "platform/gdiplus/PictureMemory.h"

namespace Gdip {

namespace {

// Reports through the decompressor's error handler, which does not return.
void Fail(j_common_ptr cinfo, int code) {
  cinfo->err->msg_code = code;
  (*cinfo->err->error_exit)(cinfo);
}

}  // namespace

struct JpegCoefficientMemory::Array {
  JDIMENSION blocksPerRow = 0;
  JDIMENSION rows = 0;
  bool zeroed = false;
  MemoryBlock block;
  std::vector<JBLOCKROW> rowStarts;
};

JpegCoefficientMemory::JpegCoefficientMemory() = default;
JpegCoefficientMemory::~JpegCoefficientMemory() = default;

void JpegCoefficientMemory::Serve(jpeg_decompress_struct& cinfo) {
  cinfo.client_data = this;
  m_library = *cinfo.mem;
  cinfo.mem->request_virt_barray = Request;
  cinfo.mem->realize_virt_arrays = Realize;
  cinfo.mem->access_virt_barray = Access;
}

JpegCoefficientMemory& JpegCoefficientMemory::Of(j_common_ptr cinfo) {
  return *static_cast<JpegCoefficientMemory*>(cinfo->client_data);
}

jvirt_barray_ptr JpegCoefficientMemory::Request(j_common_ptr cinfo, int pool, boolean zeroed, JDIMENSION blocksPerRow,
                                                JDIMENSION rows, JDIMENSION rowsPerAccess) {
  JpegCoefficientMemory& self = Of(cinfo);
  // Small arrays stay on libjpeg's heap, whose blocks are aligned for its vector code
  // as a mapping's are.
  const std::uint64_t bytes = std::uint64_t{blocksPerRow} * rows * sizeof(JBLOCK);
  if (pool != JPOOL_IMAGE || bytes < kMappedBlockBytes) {
    return self.m_library.request_virt_barray(cinfo, pool, zeroed, blocksPerRow, rows, rowsPerAccess);
  }
  Array* made = nullptr;
  try {
    made = self.m_arrays.emplace_back(std::make_unique<Array>(Array{blocksPerRow, rows, zeroed != FALSE, {}, {}})).get();
  } catch (const std::bad_alloc&) {
  }
  if (made == nullptr) {
    Fail(cinfo, JERR_OUT_OF_MEMORY);
  }
  return reinterpret_cast<jvirt_barray_ptr>(made);
}

bool JpegCoefficientMemory::Allocate() {
  for (const std::unique_ptr<Array>& array : m_arrays) {
    if (!array->block.empty()) {
      continue;
    }
    const std::size_t rowBytes = std::size_t{array->blocksPerRow} * sizeof(JBLOCK);
    const std::size_t bytes = rowBytes * array->rows;
    array->block = array->zeroed ? ZeroedBlock(bytes) : MemoryBlock(bytes);
    if (array->block.empty()) {
      return false;
    }
    array->rowStarts.resize(array->rows);
    for (JDIMENSION row = 0; row < array->rows; ++row) {
      array->rowStarts[row] = reinterpret_cast<JBLOCKROW>(array->block.data() + rowBytes * row);
    }
  }
  return true;
}

void JpegCoefficientMemory::Realize(j_common_ptr cinfo) {
  JpegCoefficientMemory& self = Of(cinfo);
  bool allocated = false;
  try {
    allocated = self.Allocate();
  } catch (const std::bad_alloc&) {
  }
  if (!allocated) {
    Fail(cinfo, JERR_OUT_OF_MEMORY);
    return;
  }
  self.m_library.realize_virt_arrays(cinfo);
}

JBLOCKARRAY JpegCoefficientMemory::Access(j_common_ptr cinfo, jvirt_barray_ptr handle, JDIMENSION firstRow,
                                          JDIMENSION rows, boolean writable) {
  JpegCoefficientMemory& self = Of(cinfo);
  for (const std::unique_ptr<Array>& array : self.m_arrays) {
    if (reinterpret_cast<jvirt_barray_ptr>(array.get()) != handle) {
      continue;
    }
    if (array->rowStarts.empty() || std::uint64_t{firstRow} + rows > array->rows) {
      Fail(cinfo, JERR_BAD_VIRTUAL_ACCESS);
      return nullptr;
    }
    return array->rowStarts.data() + firstRow;
  }
  return self.m_library.access_virt_barray(cinfo, handle, firstRow, rows, writable);
}

}  // namespace Gdip
