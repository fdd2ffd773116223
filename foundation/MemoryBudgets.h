#pragma once
// How much memory the program lets its caches and histories take, in one place: the
// sheet of thumbnails and the canvas's undo history stay within these whatever the
// folder or the picture.

#include <cstdint>

namespace MemoryBudgets {

// Everything the thumbnail sheet holds: the pictures of the rows on and near the
// screen, and the loader's cache of earlier pictures.
inline constexpr std::int64_t kSheetBytes = std::int64_t{256} << 20;
// The share of kSheetBytes the loader's cache may fill; the rest is the sheet's window.
inline constexpr std::int64_t kThumbnailCacheBytes = kSheetBytes / 2;
// The whole-picture buffers the thumbnail workers' decodes may hold at once: four
// progressive 12-megapixel JPEGs. Single-scan JPEGs and other formats are not counted.
inline constexpr std::int64_t kThumbnailDecodeBytes = std::int64_t{150} << 20;
// The rows kept decoded around those on screen, on either side, when the budget allows.
inline constexpr int kSheetMarginRows = 10;

// The undo history counts its memory in copies of the picture being edited, so it takes
// the same share whatever the picture's size. Every whole copy it holds counts against
// kUndoWholeCopies: the shown step and the steps either side of it (so that undo and
// redo each find their picture at once), snapshots still waiting for their files, and
// pictures being read back. The others are held compressed while their compressed bytes
// add up to no more than kUndoPackedCopies copies, and are read back from their files
// beyond that.
inline constexpr int kUndoWholeCopies = 3;
inline constexpr int kUndoPackedCopies = 1;

// Full-size copies of the open picture that may be alive at once, during a load and
// during a commit.
inline constexpr int kFullSizeCopies = 3;

}  // namespace MemoryBudgets
