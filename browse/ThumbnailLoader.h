#pragma once
// Decodes the thumbnails of the sheet on a pool of worker threads and keeps the decoded
// pictures in memory. A batch of requests is worked in the order given (the sheet puts
// the rows on screen first); starting another batch or cancelling drops whatever the
// old batch has not delivered yet, so a result never lands on a table it was not meant for.

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include <QCache>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QThreadPool>

#include "browse/MemoryGate.h"
#include "foundation/MemoryBudgets.h"
#include "platform/gdiplus/Codecs.h"

// A picture of one file, made to fit a box.
struct ThumbPicture {
  QSize Source{0, 0};  // the image's own size; 0 x 0 when it could not be decoded
  QImage Thumb;  // null when it could not be decoded
  Gdip::LoadFailure Failure = Gdip::LoadFailure::None;  // why Thumb is null
};

struct ThumbRequest {
  int Row = 0;
  QString Path;
  QSize Box;  // the cell the picture is fitted into
  // What the file looked like when it was listed; a cached picture is reused only for
  // the same size and modification time.
  std::int64_t Bytes = 0;
  std::int64_t Modified = 0;
};

class ThumbnailLoader : public QObject {
  Q_OBJECT

 public:
  explicit ThumbnailLoader(QObject* parent = nullptr);
  ~ThumbnailLoader() override;

  // Reads the file and makes its thumbnail at the size the image takes when it is fitted
  // into `box` (never enlarged); the size comes from the file's header and JPEGs are
  // scaled while they are decoded. A file that cannot be read gives an empty picture
  // with the reason. The file is opened and read once. With a gate, a decode that holds
  // the whole picture's coefficients (a progressive JPEG) waits for its share of the
  // budget once the header has told how much it needs.
  static ThumbPicture Decode(const QString& path, QSize box, MemoryGate* decodeMemory = nullptr);

  // The cached picture of a request, when one was made from the same file state.
  const ThumbPicture* Cached(const ThumbRequest& request) const;
  // Keeps a picture for later batches.
  void Remember(const ThumbRequest& request, const ThumbPicture& picture);
  // Forgets every picture of a file (it changed on disk).
  void Forget(const QString& path);

  // Cancels the running batch and starts decoding these requests: those at the indexes
  // in `first` before the others, the rest in their order.
  void Start(std::vector<ThumbRequest> requests, const std::vector<int>& first = {});
  // Puts the requests at these indexes (into the batch given to Start) at the head of
  // the queue, the rest after them; requests already taken by a worker stay where they are.
  void Prioritize(const std::vector<int>& first);
  // Drops the running batch: nothing of it is delivered any more.
  void Cancel();
  bool Busy() const { return m_batch != nullptr; }
  // How many files the workers have decoded so far.
  int Decodes() const { return m_decodes.load(); }

 signals:
  // One picture of the current batch, delivered on the thread the loader lives in.
  void Delivered(int Row, const ThumbPicture& picture);
  // The current batch has delivered every picture.
  void Finished();

 private:
  struct Batch;
  void QueueInOrder(const std::vector<int>& first);
  void Queue(const std::shared_ptr<Batch>& batch, int index);
  void Deliver(const std::shared_ptr<Batch>& batch, int index, const ThumbPicture& picture);

  // Progressive JPEGs are decoded through a buffer of the whole picture; the gate keeps
  // the workers from holding more of those at once than the budget.
  MemoryGate m_decodeMemory{MemoryBudgets::kThumbnailDecodeBytes};
  QThreadPool m_pool;
  std::shared_ptr<Batch> m_batch;
  std::atomic<int> m_decodes{0};

  struct CacheEntry {
    std::int64_t Bytes = 0;
    std::int64_t Modified = 0;
    ThumbPicture Picture;
  };
  QCache<QString, CacheEntry> m_cache;
};
