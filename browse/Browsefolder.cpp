#include "browse/Browsefolder.h"

#include "browse/ModShellFolder.h"

namespace {

struct SwitchRow {
  Browsefolder::Switch Which;
  const char* Key;
  bool Default;
  std::uint32_t Flag;
};

constexpr SwitchRow kSwitches[] = {
    {Browsefolder::OnlyFileSystemDirectoriesSwitch, "OnlyFileSystemDirectories", false,
     ModShellFolder::BIF_RETURNONLYFSDIRS},
    {Browsefolder::DontGoBelowDomainSwitch, "DontGoBelowDomain", true, ModShellFolder::BIF_DONTGOBELOWDOMAIN},
    {Browsefolder::AllowEditBoxSwitch, "AllowEditBox", false, ModShellFolder::BIF_EDITBOX},
    {Browsefolder::ValidateSelectionSwitch, "ValidateSelection", true, ModShellFolder::BIF_VALIDATE},
    {Browsefolder::UseNewUISwitch, "UseNewUI", false, ModShellFolder::BIF_NEWDIALOGSTYLE},
    {Browsefolder::BrowseForComputerSwitch, "BrowseForComputer", false, ModShellFolder::BIF_BROWSEFORCOMPUTER},
    {Browsefolder::BrowseForPrinterSwitch, "BrowseForPrinter", false, ModShellFolder::BIF_BROWSEFORPRINTER},
    {Browsefolder::IncludeFilesSwitch, "IncludeFiles", false, ModShellFolder::BIF_BROWSEINCLUDEFILES},
};

// The result flags FileReadOnly to FileArchived, in order.
constexpr const char* kFileFlagKeys[] = {"FileReadOnly", "FileHidden", "FileSystem", "FileCompressed",
                                         "FileArchived"};

const QString kDefaultCaption = QStringLiteral("Folder Browser");

QString TextOf(const QVariantMap& bag, const char* key, const QString& fallback = {}) {
  return bag.value(QString::fromLatin1(key), fallback).toString();
}

bool FlagOf(const QVariantMap& bag, const char* key, bool fallback) {
  return bag.value(QString::fromLatin1(key), fallback).toBool();
}

}  // namespace

Browsefolder::Browsefolder(QWidget* parent) : QWidget(parent) {
  ReadProperties({});
  // The control keeps its size whatever its container asks.
  setFixedSize(FixedSide, FixedSide);
  // The control is only a holder of settings for its dialog; nothing of it is seen.
  hide();
}

bool Browsefolder::Browse() {
  ModShellFolder::BrowseInfo info;
  info.Owner = window();
  info.Root = m_startDirectory;
  info.Title = m_caption;
  info.Flags = BrowseFlags();
  m_fullName = ModShellFolder::RunFolderPicker(info);
  return !m_fullName.isEmpty();
}

std::uint32_t Browsefolder::BrowseFlags() const {
  std::uint32_t flags = 0;
  for (const SwitchRow& row : kSwitches) {
    if (m_switches[row.Which]) {
      flags |= row.Flag;
    }
  }
  return flags;
}

void Browsefolder::ReadProperties(const QVariantMap& bag) {
  m_enabled = FlagOf(bag, "Enabled", true);
  m_folderName = TextOf(bag, "FolderName");
  m_filename = TextOf(bag, "FileName");
  m_fullName = TextOf(bag, "FullName");
  m_displayName = TextOf(bag, "DisplayName");
  for (std::size_t i = 0; i < m_fileFlags.size(); ++i) {
    m_fileFlags[i] = FlagOf(bag, kFileFlagKeys[i], false);
  }
  m_startDirectory = TextOf(bag, "StartDirectory");
  m_caption = TextOf(bag, "Caption", kDefaultCaption);
  for (const SwitchRow& row : kSwitches) {
    m_switches[row.Which] = FlagOf(bag, row.Key, row.Default);
  }
}

QVariantMap Browsefolder::WriteProperties() const {
  QVariantMap bag{{"Enabled", m_enabled},          {"FolderName", m_folderName},
                  {"FileName", m_filename},        {"FullName", m_fullName},
                  {"DisplayName", m_displayName},  {"StartDirectory", m_startDirectory},
                  {"Caption", m_caption}};
  for (std::size_t i = 0; i < m_fileFlags.size(); ++i) {
    bag.insert(QString::fromLatin1(kFileFlagKeys[i]), m_fileFlags[i]);
  }
  for (const SwitchRow& row : kSwitches) {
    bag.insert(QString::fromLatin1(row.Key), m_switches[row.Which]);
  }
  return bag;
}
