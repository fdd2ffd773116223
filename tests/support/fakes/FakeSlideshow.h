#pragma once
// A slideshow window that records what the main window asked of it.

#include <QImage>
#include <QString>
#include <QStringList>

#include "foundation/SecondaryWindowServices.h"

namespace Fakes {

class FakeSlideshow final : public SlideshowServices {
 public:
  void SetisFullView(bool value) override { fullView = value; }
  void Show() override { ++shows; }
  bool StartSlideshow(const QString& Filename, const QImage* MemDIB) override {
    started.push_back(Filename);
    shownImage = MemDIB != nullptr ? *MemDIB : QImage();
    return true;
  }
  void Start() override { ++starts; }
  void Clean() override { ++cleans; }
  void Unload() override { ++unloads; }

  bool fullView = false;
  int shows = 0;
  int starts = 0;
  int cleans = 0;
  int unloads = 0;
  QStringList started;
  QImage shownImage;
};

}  // namespace Fakes
