#include "platform/Dialogs.h"

#include <QColor>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPalette>

namespace Dialogs {

namespace {

COLORREF ToColorRef(const QColor& color) {
  return COLORREF(color.red()) | (COLORREF(color.green()) << 8) | (COLORREF(color.blue()) << 16);
}

QColor FromColorRef(COLORREF rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

// Qt's colour dialog, not the desktop's, so it behaves the same everywhere. Qt keeps
// custom colours for the whole application, so they are seeded before each dialog and
// read back after it.
class QtColorChooser final : public ColorChooser {
 public:
  std::optional<COLORREF> ChooseColor(QWidget* owner, COLORREF initial, CustomColors& custom, bool) override {
    for (int i = 0; i < static_cast<int>(custom.size()); ++i) {
      QColorDialog::setCustomColor(i, FromColorRef(custom[static_cast<std::size_t>(i)]));
    }
    QColorDialog dialog(FromColorRef(initial), owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    for (int i = 0; i < static_cast<int>(custom.size()); ++i) {
      custom[static_cast<std::size_t>(i)] = ToColorRef(QColorDialog::customColor(i));
    }
    if (!accepted) {
      return std::nullopt;
    }
    return ToColorRef(dialog.selectedColor());
  }
};

std::unique_ptr<ColorChooser>& Service() {
  static std::unique_ptr<ColorChooser> service = std::make_unique<QtColorChooser>();
  return service;
}

// Qt's directory dialog, not the desktop's, so it looks and behaves the same everywhere.
class QtFolderChooser final : public FolderChooser {
 public:
  std::optional<QString> ChooseFolder(QWidget* owner, const Request& request) override {
    const QString start = QDir(request.StartFolder).exists() && !request.StartFolder.isEmpty() ? request.StartFolder
                                                                                             : QDir::homePath();
    QFileDialog dialog(owner, request.Title, start);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, !request.IncludeFiles);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
      return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
  }
};

std::unique_ptr<FolderChooser>& FolderChooserSlot() {
  static std::unique_ptr<FolderChooser> service = std::make_unique<QtFolderChooser>();
  return service;
}

struct SystemColor {
  int index;
  QPalette::ColorRole role;
};

constexpr SystemColor kSystemColors[] = {
    {0, QPalette::Button},           {1, QPalette::Window},      {4, QPalette::Window},
    {5, QPalette::Base},             {6, QPalette::Shadow},      {7, QPalette::WindowText},
    {8, QPalette::Text},             {13, QPalette::Highlight},  {14, QPalette::HighlightedText},
    {15, QPalette::Button},          {16, QPalette::Dark},       {18, QPalette::ButtonText},
    {20, QPalette::Light},           {21, QPalette::Shadow},     {22, QPalette::Midlight},
    {23, QPalette::ToolTipText},     {24, QPalette::ToolTipBase},
};

}  // namespace

ColorChooser& ColorService() { return *Service(); }

std::unique_ptr<ColorChooser> SetColorService(std::unique_ptr<ColorChooser> chooser) {
  std::unique_ptr<ColorChooser> previous = std::move(Service());
  Service() = chooser ? std::move(chooser) : std::make_unique<QtColorChooser>();
  return previous;
}

FolderChooser& FolderService() { return *FolderChooserSlot(); }

std::unique_ptr<FolderChooser> SetFolderService(std::unique_ptr<FolderChooser> chooser) {
  std::unique_ptr<FolderChooser> previous = std::move(FolderChooserSlot());
  FolderChooserSlot() = chooser ? std::move(chooser) : std::make_unique<QtFolderChooser>();
  return previous;
}

COLORREF GetSysColor(int index) {
  const QPalette palette = QGuiApplication::palette();
  for (const SystemColor& entry : kSystemColors) {
    if (entry.index == index) {
      return ToColorRef(palette.color(QPalette::Active, entry.role));
    }
  }
  return ToColorRef(palette.color(QPalette::Active, QPalette::Window));
}

}  // namespace Dialogs
