#include "screensaver/ScrSettings.h"

#include <algorithm>
#include <cstdlib>

#include <QDir>

#include "foundation/ModqzReg.h"
#include "platform/Registry.h"
#include "windows/SlideshowCore.h"

namespace ScrSettings {
namespace {

constexpr QStringView kIntervalName = u"ScrInterval";
constexpr QStringView kAppPathName = u"Apppath";
// The show drops each picture a little below the centre of the screen.
constexpr int kPictureDrop = 3;
// A pointer that trembles by this much does not end the show.
constexpr int kPointerSlack = 3;

}  // namespace

std::int32_t IntervalSeconds() {
  const auto value = Registry::QueryValue(ModqzReg::HKEY_CURRENT_USER, ModqzReg::LorvaneKey, kIntervalName);
  return value && value->Type == Registry::ValueType::Dword ? value->Number : 0;
}

void SaveIntervalSeconds(std::int32_t seconds) {
  Registry::SetValue(ModqzReg::HKEY_CURRENT_USER, ModqzReg::LorvaneKey, kIntervalName,
                     Registry::Value::Dword(seconds));
}

std::int64_t WaitMs(std::int32_t seconds) { return std::int64_t{std::max(seconds, 0)} * 1000; }

QString PictureFolder(const QString& screensaverFolder) {
  const auto value = Registry::QueryValue(ModqzReg::HKEY_CURRENT_USER, ModqzReg::LorvaneKey, kAppPathName);
  const bool stored = value && value->Type == Registry::ValueType::Sz && !value->Text.isEmpty();
  return QDir(stored ? value->Text : screensaverFolder).filePath(QStringLiteral("ScrDatas"));
}

QStringList ListPictures(const QString& folder) {
  const QDir dir(folder);
  QStringList paths;
  for (const QString& name : dir.entryList({QStringLiteral("*.dat")}, QDir::Files, QDir::Name | QDir::IgnoreCase)) {
    paths << dir.filePath(name);
  }
  return paths;
}

QRect ScreenFit(QSize picture, QSize screen) { return SlideshowCore::FitPicture(picture, screen, kPictureDrop); }

bool PointerEndsShow(QPoint start, QPoint now) {
  return std::abs(now.x() - start.x()) > kPointerSlack || std::abs(now.y() - start.y()) > kPointerSlack;
}

}  // namespace ScrSettings
