// Loops split over cores work each row once, by exactly one band, whatever the count.
#include <atomic>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ParallelRows.h"

TEST(ParallelRowsTest, EveryRowIsWorkedExactlyOnce) {
  for (const int rows : {0, 1, 2, 31, 33, 1000, 4097}) {
    for (const int minRows : {1, 32}) {
      std::vector<std::atomic<int>> visits(std::size_t(rows + 2));
      Threads::ParallelRows(1, rows, [&](int first, int last) {
        for (int y = first; y <= last; ++y) {
          ++visits[std::size_t(y)];
        }
      }, minRows);
      for (int y = 0; y < rows + 2; ++y) {
        EXPECT_EQ(visits[std::size_t(y)], (y >= 1 && y <= rows) ? 1 : 0) << rows << " rows, row " << y;
      }
    }
  }
}
