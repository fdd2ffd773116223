#pragma once
// Writing the canvas's picture to files and deleting the file it shows: the parts of
// saving and deleting that need no widget.

#include <optional>

#include <QString>

namespace Gdip {
class Bitmap;
}

namespace CanvasSave {

// A format number of the off-screen canvas's save (0 BMP ... 6 PNG) with its quality.
struct SaveFormat {
  int Types;
  int Quality;
};

// The format a save in place uses for a lower-case extension; empty for extensions it
// cannot write ("wmf", "emf", none).
std::optional<SaveFormat> FormatForExtension(const QString& extension);

// Writes the picture as a canvas of its own pixel format holds it (32 bits for a palette
// picture, which takes no drawing: BMP, PNG and TIFF write it back at its own depth when
// its colours still fit, GIF reduces the colours again). A picture already stored in
// that form is encoded as it is, with no copy. The file is replaced only once the whole
// picture is written, so a failure leaves the old file as it was. False when nothing
// was written.
bool WritePicture(const Gdip::Bitmap& picture, const QString& Filename, int Types, int Quality);

// Whether a path is one of the canvas's own scratch files: the blank picture of a new
// image or the copy kept after a delete. Saving over them would save nowhere the user
// can find, and trashing them would throw away the only copy of what is shown.
bool IsScratchFile(const QString& path, const QString& deleteCopy);

// What DeleteFile did.
enum class DeleteOutcome {
  Trashed,   // the file is in the trash and its copy is at the scratch path
  Kept,      // refused, failed, or nothing to delete: the file is where it was
  Vanished,  // the file was already gone; nothing was asked or done
};

// Copies the file to the scratch path, then moves it to the trash after asking. The
// copy is removed again when the file stays.
DeleteOutcome DeleteFile(const QString& path, const QString& scratchCopy);

}  // namespace CanvasSave
