#include "foundation/ModGDI.h"

#include "platform/gdiplus/Codecs.h"

namespace ModGDI {

int GetEncoderClsid(const QString& MimeType, QUuid& Clsid) {
  const auto encoders = Gdip::GetImageEncoders();
  for (std::size_t i = 0; i < encoders.size(); ++i) {
    if (encoders[i].MimeType.compare(MimeType, Qt::CaseInsensitive) == 0) {
      Clsid = encoders[i].Clsid;
      return static_cast<int>(i) + 1;
    }
  }
  return -1;
}

QUuid StringToClsid(const QString& text) { return QUuid(text); }

}  // namespace ModGDI
