#pragma once
// Pictures to and from the clipboard, and the stamp temporary file, the hand-over point
// for floating pictures.

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>

#include <QObject>
#include <QString>
#include <QThreadPool>

#include "platform/forms/HourglassCursor.h"

class GdiDIB;
namespace Gdip {
class Bitmap;
}

namespace ModGDI {

// The picture last taken from the clipboard; made on first use, it lives for the run.
// It owns its image: callers borrow it through DIB().
GdiDIB& ClipboardImage();

// The stamp temporary file "Librarians/Stamptemp.tmp" in the program folder.
QString StampTempPath();

// Puts a W x H opaque copy of the image on the clipboard, the image drawn into
// (X, Y, W, H) over black (so transparency turns black, as on a screen). False when W or
// H is not positive or there is no clipboard.
bool CopyImageToClipboard(const Gdip::Bitmap& img, int X, int Y, int W, int H);

// Takes the clipboard's picture into ClipboardImage for a paste without holding up the
// window. The bytes another program offers are taken on the window's thread, where the
// clipboard lives; a worker decodes and converts them (a 12-megapixel PNG takes about
// half a second), and the busy cursor shows meanwhile.
class ClipboardPaste {
 public:
  // arrived runs on this thread each time a pasted picture is there.
  explicit ClipboardPaste(std::function<void()> arrived);
  // Waits for a decode under way; its picture never arrives.
  ~ClipboardPaste();
  ClipboardPaste(const ClipboardPaste&) = delete;
  ClipboardPaste& operator=(const ClipboardPaste&) = delete;

  // Empties ClipboardImage and starts taking the clipboard's picture into it; false, with
  // nothing started, when the clipboard holds none. A picture that cannot be decoded
  // leaves the holder empty and does not arrive. A paste started while an earlier one
  // still arrives replaces it: only the newest picture arrives.
  bool Start();
  bool Arriving() const { return m_busy.has_value(); }

 private:
  void Arrive(std::uint64_t paste, const QImage& picture);

  QObject m_receiver;  // the arrivals are queued to it, so they never outlive this
  const std::function<void()> m_arrived;
  std::optional<Forms::HourglassCursor> m_busy;
  std::atomic<std::uint64_t> m_latest = 0;
  QThreadPool m_workers;  // last: its end waits for the workers, which use the rest
};

// Writes the stamp temporary file as a PNG: ClipboardImage's picture at its own size when
// FromClipboard, else img at W x H. With nothing to write (an empty holder, no image, a
// size of zero) or a failed write, returns false and leaves any old stamp file as it
// was, so the caller never takes an old stamp for a new one.
bool SaveClipboardStamp(bool FromClipboard, const Gdip::Bitmap* img, int W, int H);

}  // namespace ModGDI
