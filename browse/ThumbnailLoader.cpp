#include "browse/ThumbnailLoader.h"

#include <malloc.h>

#include <QRunnable>
#include <QThread>

#include "foundation/GdiDIB.h"
#include "foundation/MemoryBudgets.h"
#include "foundation/Numbers.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/JpegDecoder.h"
#include "platform/gdiplus/LittleEndian.h"

namespace {

// Decoded thumbnails kept for re-sorts, filters and searches: about 1,300 pictures of
// 160 pixels, their share of the sheet's budget.
constexpr int kCacheKilobytes = static_cast<int>(MemoryBudgets::kThumbnailCacheBytes / 1024);
constexpr int kLargeBlockBytes = 1 << 20;

QString CacheKey(const QString& path, QSize box) {
  return path + u'\n' + QString::number(box.width()) + u'x' + QString::number(box.height());
}

// The whole-pixel size an image of size `source` takes inside `box`.
QSize FittedSize(QSize source, QSize box) {
  float x = 0;
  float y = 0;
  float w = 0;
  float h = 0;
  GdiDIB::GetBestFitInfo(static_cast<float>(source.width()), static_cast<float>(source.height()),
                         static_cast<float>(box.width()), static_cast<float>(box.height()), x, y, w, h);
  return {Numbers::RoundToInt(w), Numbers::RoundToInt(h)};
}

// Pictures are painted many times and decoded once, so they are kept in the format
// the screen paints fastest.
QImage ForPainting(QImage image, QSize size) {
  if (image.size() != size) {
    image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
}

ThumbPicture Failed(Gdip::LoadFailure failure) {
  ThumbPicture picture;
  picture.Failure = failure;
  return picture;
}

// The thumbnail of a loaded picture, or the reason there is none.
ThumbPicture Fitted(Gdip::LoadResult loaded, QSize source, QSize fitted) {
  if (!loaded.Image) {
    return Failed(loaded.Failure);
  }
  return {source, ForPainting(loaded.Image->Image(), fitted)};
}

// Files whose header tells no size are decoded whole first.
ThumbPicture DecodeWhole(std::span<const std::uint8_t> bytes, QSize box) {
  Gdip::LoadResult loaded = Gdip::LoadImageWithReason(bytes);
  const QSize source = loaded.Image ? QSize(loaded.Image->Width(), loaded.Image->Height()) : QSize();
  const QSize fitted = FittedSize(source, box);
  if (loaded.Image && fitted.isEmpty()) {
    return Failed(Gdip::LoadFailure::Damaged);
  }
  return Fitted(std::move(loaded), source, fitted);
}

}  // namespace

// One batch of requests. Workers claim a request before decoding it, so a request that
// is queued twice (after a re-prioritisation) is decoded once.
struct ThumbnailLoader::Batch {
  explicit Batch(std::vector<ThumbRequest> r) : Requests(std::move(r)), Claimed(Requests.size()) {}
  std::vector<ThumbRequest> Requests;
  std::vector<std::atomic<bool>> Claimed;
  std::atomic<bool> Cancelled{false};
  std::size_t Delivered = 0;  // counted on the loader's thread only
};

ThumbnailLoader::ThumbnailLoader(QObject* parent) : QObject(parent), m_cache(kCacheKilobytes) {
  // Each worker thread gets its own heap, and glibc raises its threshold for serving
  // large blocks straight from the system after the first few are freed: the file
  // buffers and decoded pictures then stay behind in those heaps as hundreds of MB of
  // free but kept memory. A fixed threshold hands every block of a megabyte or more
  // back the moment it is freed.
  static const bool bounded = mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes) == 1;
  (void)bounded;
  m_pool.setMaxThreadCount(QThread::idealThreadCount());
  // Every core decodes, but the window's own thread comes first so that scrolling and
  // clicks stay smooth while a large folder is drawn.
  m_pool.setThreadPriority(QThread::LowPriority);
}

ThumbnailLoader::~ThumbnailLoader() {
  Cancel();
  // Workers post their results to this object; none may still be running when it goes.
  m_pool.waitForDone();
}

ThumbPicture ThumbnailLoader::Decode(const QString& path, QSize box, MemoryGate* decodeMemory) {
  const Gdip::FileRead read = Gdip::ReadImageFile(path);
  if (read.Failure != Gdip::LoadFailure::None) {
    return Failed(read.Failure);
  }
  const std::span<const std::uint8_t> bytes = read.Contents.Bytes();
  // The picture is decoded by the imaging layer, as the canvas decodes it, straight at
  // the fitted size: JPEGs shrink inside the decoder, which is most of the speed of the
  // sheet on a folder of photographs.
  const QSize source = Gdip::PictureSize(bytes);
  if (!source.isValid()) {
    return DecodeWhole(bytes, box);
  }
  const QSize fitted = FittedSize(source, box);
  if (fitted.isEmpty()) {
    return Failed(Gdip::LoadFailure::Damaged);
  }
  if (decodeMemory == nullptr) {
    return Fitted(Gdip::LoadImageWithReason(bytes, fitted), source, fitted);
  }
  // A single-scan picture needs nothing of the budget and goes ahead without waiting.
  const MemoryGate::Ticket memory = decodeMemory->Take(Gdip::JpegDecoder::WholePictureBytes(bytes));
  return Fitted(Gdip::LoadImageWithReason(bytes, fitted), source, fitted);
}

const ThumbPicture* ThumbnailLoader::Cached(const ThumbRequest& request) const {
  const CacheEntry* entry = m_cache.object(CacheKey(request.Path, request.Box));
  if (entry == nullptr || entry->Bytes != request.Bytes || entry->Modified != request.Modified) {
    return nullptr;
  }
  return &entry->Picture;
}

void ThumbnailLoader::Remember(const ThumbRequest& request, const ThumbPicture& picture) {
  const auto kilobytes = static_cast<qsizetype>(picture.Thumb.sizeInBytes() / 1024 + 1);
  m_cache.insert(CacheKey(request.Path, request.Box), new CacheEntry{request.Bytes, request.Modified, picture},
                 kilobytes);
}

void ThumbnailLoader::Forget(const QString& path) {
  const QString prefix = path + u'\n';
  const QList<QString> keys = m_cache.keys();
  for (const QString& key : keys) {
    if (key.startsWith(prefix)) {
      m_cache.remove(key);
    }
  }
}

void ThumbnailLoader::Start(std::vector<ThumbRequest> requests, const std::vector<int>& first) {
  Cancel();
  if (requests.empty()) {
    emit Finished();
    return;
  }
  m_batch = std::make_shared<Batch>(std::move(requests));
  QueueInOrder(first);
}

void ThumbnailLoader::Prioritize(const std::vector<int>& first) {
  if (!m_batch) {
    return;
  }
  // The stale queue entries are dropped from the pool and the requests still waiting
  // are queued again in the new order.
  m_pool.clear();
  QueueInOrder(first);
}

void ThumbnailLoader::QueueInOrder(const std::vector<int>& first) {
  std::vector<bool> queued(m_batch->Requests.size(), false);
  const auto queue = [this, &queued](int index) {
    if (!queued[index]) {
      queued[index] = true;
      Queue(m_batch, index);
    }
  };
  for (int index : first) {
    if (index >= 0 && index < static_cast<int>(queued.size())) {
      queue(index);
    }
  }
  for (int i = 0; i < static_cast<int>(queued.size()); ++i) {
    queue(i);
  }
}

void ThumbnailLoader::Cancel() {
  if (m_batch) {
    m_batch->Cancelled = true;
    m_batch.reset();
  }
  m_pool.clear();
}

void ThumbnailLoader::Queue(const std::shared_ptr<Batch>& batch, int index) {
  if (batch->Claimed[index].load()) {
    return;
  }
  m_pool.start(QRunnable::create([this, batch, index] {
    if (batch->Cancelled || batch->Claimed[index].exchange(true)) {
      return;
    }
    const ThumbRequest& request = batch->Requests[index];
    // Decodes that would not fit the budget wait in the order they were asked for, so
    // the first screenful still comes first.
    ThumbPicture picture = Decode(request.Path, request.Box, &m_decodeMemory);
    ++m_decodes;
    if (batch->Cancelled) {
      return;
    }
    QMetaObject::invokeMethod(
        this, [this, batch, index, picture = std::move(picture)] { Deliver(batch, index, picture); },
        Qt::QueuedConnection);
  }));
}

void ThumbnailLoader::Deliver(const std::shared_ptr<Batch>& batch, int index, const ThumbPicture& picture) {
  if (batch != m_batch) {
    return;
  }
  const ThumbRequest& request = batch->Requests[index];
  Remember(request, picture);
  emit Delivered(request.Row, picture);
  // The slot may have cancelled or replaced the batch.
  if (batch == m_batch && ++batch->Delivered == batch->Requests.size()) {
    m_batch.reset();
    // The smaller blocks the workers freed go back to the system too.
    malloc_trim(0);
    emit Finished();
  }
}
