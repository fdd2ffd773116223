#include "platform/Clipboard.h"

#include <utility>

#include <QClipboard>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>

#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/LittleEndian.h"

namespace Clipboard {

namespace {

// Null without a running application (the clipboard lives in the platform integration).
QClipboard* SystemClipboard() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

// The image type to take from another program: PNG, lossless and what most offer, else
// the first it offers that can be read. Empty for a picture this program put there, which
// is held as a picture and offered in no encoded type.
QString EncodedType(const QMimeData& data) {
  const QStringList offered = data.formats();
  if (offered.contains(QLatin1String("image/png"))) {
    return QStringLiteral("image/png");
  }
  const QList<QByteArray> readable = QImageReader::supportedMimeTypes();
  for (const QString& type : offered) {
    if (type.startsWith(QLatin1String("image/")) && readable.contains(type.toLatin1())) {
      return type;
    }
  }
  return {};
}

}  // namespace

bool SetImage(const QImage& picture) {
  QClipboard* clipboard = SystemClipboard();
  if (clipboard == nullptr || picture.isNull()) {
    return false;
  }
  clipboard->setImage(picture);
  return true;
}

bool HasImage() {
  QClipboard* clipboard = SystemClipboard();
  const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
  return data != nullptr && data->hasImage();
}

Offer TakeOffer() {
  QClipboard* clipboard = SystemClipboard();
  const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
  if (data == nullptr || !data->hasImage()) {
    return {};
  }
  // Asking Qt for the picture would decode another program's file right here.
  if (const QString type = EncodedType(*data); !type.isEmpty()) {
    return {data->data(type), {}};
  }
  return {{}, qvariant_cast<QImage>(data->imageData())};
}

QImage Decode(const Offer& offer) {
  if (!offer.encoded.isEmpty()) {
    const auto bitmap = Gdip::LoadImageFromMemory(Gdip::AsBytes(offer.encoded));
    return bitmap ? std::move(bitmap->Image()).convertToFormat(QImage::Format_ARGB32) : QImage();
  }
  return offer.picture.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace Clipboard
