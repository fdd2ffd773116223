#pragma once
// The folder picker control: the host sets a caption, a start folder and the switches,
// calls Browse and reads the chosen folder from FullName. It shows nothing itself; the
// folder chooser is its face. Its host is the file task dialog.

#include <array>
#include <cstdint>

#include <QString>
#include <QVariantMap>
#include <QWidget>

class Browsefolder : public QWidget {
  Q_OBJECT

 public:
  static constexpr int FixedSide = 390;

  // The eight switches, in the order of their rows in the switch table.
  enum Switch {
    OnlyFileSystemDirectoriesSwitch,
    DontGoBelowDomainSwitch,
    AllowEditBoxSwitch,
    ValidateSelectionSwitch,
    UseNewUISwitch,
    BrowseForComputerSwitch,
    BrowseForPrinterSwitch,
    IncludeFilesSwitch,
    SwitchCount
  };

  explicit Browsefolder(QWidget* parent = nullptr);

  // Shows the folder chooser; true when a folder was chosen, its path then in FullName
  // (which is empty otherwise).
  bool Browse();
  // The OR of the flags of the switches that are on.
  std::uint32_t BrowseFlags() const;

  // Settable properties.
  bool Enabled() const { return m_enabled; }
  void SetEnabled(bool value) { m_enabled = value; }
  QString StartDirectory() const { return m_startDirectory; }
  void SetStartDirectory(const QString& value) { m_startDirectory = value; }
  QString Caption() const { return m_caption; }
  void SetCaption(const QString& value) { m_caption = value; }
  bool SwitchOn(Switch which) const { return m_switches[which]; }
  void SetSwitch(Switch which, bool on) { m_switches[which] = on; }
  bool OnlyFileSystemDirectories() const { return SwitchOn(OnlyFileSystemDirectoriesSwitch); }
  void SetOnlyFileSystemDirectories(bool value) { SetSwitch(OnlyFileSystemDirectoriesSwitch, value); }
  bool DontGoBelowDomain() const { return SwitchOn(DontGoBelowDomainSwitch); }
  void SetDontGoBelowDomain(bool value) { SetSwitch(DontGoBelowDomainSwitch, value); }
  bool AllowEditBox() const { return SwitchOn(AllowEditBoxSwitch); }
  void SetAllowEditBox(bool value) { SetSwitch(AllowEditBoxSwitch, value); }
  bool ValidateSelection() const { return SwitchOn(ValidateSelectionSwitch); }
  void SetValidateSelection(bool value) { SetSwitch(ValidateSelectionSwitch, value); }
  bool UseNewUI() const { return SwitchOn(UseNewUISwitch); }
  void SetUseNewUI(bool value) { SetSwitch(UseNewUISwitch, value); }
  bool BrowseForComputer() const { return SwitchOn(BrowseForComputerSwitch); }
  void SetBrowseForComputer(bool value) { SetSwitch(BrowseForComputerSwitch, value); }
  bool BrowseForPrinter() const { return SwitchOn(BrowseForPrinterSwitch); }
  void SetBrowseForPrinter(bool value) { SetSwitch(BrowseForPrinterSwitch, value); }
  bool IncludeFiles() const { return SwitchOn(IncludeFilesSwitch); }
  void SetIncludeFiles(bool value) { SetSwitch(IncludeFilesSwitch, value); }

  // Result properties: read only. Browse fills FullName; the others keep what the
  // property bag gave them.
  QString FolderName() const { return m_folderName; }
  QString Filename() const { return m_filename; }
  QString FullName() const { return m_fullName; }
  QString DisplayName() const { return m_displayName; }
  bool FileReadOnly() const { return m_fileFlags[0]; }
  bool FileHidden() const { return m_fileFlags[1]; }
  bool FileSystem() const { return m_fileFlags[2]; }
  bool FileCompressed() const { return m_fileFlags[3]; }
  bool FileArchived() const { return m_fileFlags[4]; }

  // The property bag: every property under its key; keys missing from the bag take
  // their defaults.
  void ReadProperties(const QVariantMap& bag);
  QVariantMap WriteProperties() const;

 private:
  bool m_enabled = true;
  QString m_startDirectory;
  QString m_caption;
  std::array<bool, SwitchCount> m_switches{};
  QString m_folderName;
  QString m_filename;
  QString m_fullName;
  QString m_displayName;
  std::array<bool, 5> m_fileFlags{};
};
