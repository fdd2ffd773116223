// Bringing a picture onto the canvas and taking it out again: the file dialogs, opening a
// file, a new picture, the floating stamp, the zoom steps, the full view, and stepping
// through the sheet.
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include <QDir>
#include <QFileInfo>

#include "browse/ScrollControl.h"
#include "browse/ThumViewer.h"
#include "canvas/Imageqzviewer.h"
#include "canvas/ToolModes.h"
#include "controls/YDSTextControl.h"
#include "controls/ZpYSkinMenu.h"
#include "foundation/ModClipboard.h"
#include "foundation/ModPublic.h"
#include "foundation/ModqzReg.h"
#include "foundation/SelectedFiles.h"
#include "mainwindow/FileChooser.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/MenuCommandHandlers.h"
#include "platform/Printer.h"
#include "platform/forms/MsgBox.h"
#include "platform/gdiplus/AtomicFile.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"

namespace {

const QString kOpenFilter = QStringLiteral(
    "All Supported files|*.bmp;*.gif;*.jpg;*.jpeg;*.png;*.tif;*.tiff;*.wmf;*.emf"
    "|BMP Windows Bitmap (*.BMP;*.DIB;*.RLE)|*.bmp;*.dib;*.rle"
    "|EMF Windows Enhanced Metafile (*.EMF)|*.emf"
    "|GIF CompuServe GIF (*.GIF)|*.gif"
    "|JPEG Files (*.JPG;*.JPEG)|*.jpg;*.jpeg"
    "|PNG Portable Network Graphics (*.PNG)|*.png"
    "|TIFF Tag Image File Format (*.TIF;*.TIFF)|*.tif;*.tiff"
    "|WMF Windows Metafile (*.WMF)|*.wmf");
const QString kSaveFilter = QStringLiteral(
    "BMP (Windows Bitmap)|*.bmp"
    "|GIF (CompuServe GIF)|*.gif"
    "|JPG (JPEG)|*.jpg"
    "|PNG (Portable Network Graphics)|*.png"
    "|TIFF (Tag Image File Format)|*.tif");

constexpr int kOpen = 0;
constexpr int kSaveAs = 1;
constexpr int kSaveCopy = 2;
constexpr int kStampFromFile = 3;
constexpr int kImportToLibrary = 4;
constexpr int kCanvasSizeTask = 3;
constexpr int kStampNameTask = 4;
constexpr int kStampLibrarySection = 1;
// The buttons a picture enables, in the order they are switched on.
constexpr std::array kImageButtons{ImageToolbarButton::SaveAs, ImageToolbarButton::Slideshow, ImageToolbarButton::Fit,
                                   ImageToolbarButton::Next, ImageToolbarButton::Previous};
constexpr int kJpeg = 1;
// The size a stamp's file is decoded at to tell whether it gives a picture at all.
constexpr QSize kStampCheckSize(64, 64);
constexpr float kZoomStep = 0.02F;
constexpr float kZoomMax = 2.0F;
constexpr float kZoomMin = 0.12F;

struct Format {
  QStringView name;
  int type;
};

// The save-as types by their pattern, and save-a-copy's by the file's extension.
constexpr std::array<Format, 5> kPatternFormats{
    {{u"*.bmp", 0}, {u"*.gif", 2}, {u"*.jpg", kJpeg}, {u"*.png", 6}, {u"*.tif", 5}}};
constexpr std::array<Format, 7> kExtensionFormats{
    {{u"bmp", 0}, {u"gif", 2}, {u"jpg", kJpeg}, {u"jpeg", kJpeg}, {u"png", 6}, {u"tif", 5}, {u"tiff", 5}}};

template <std::size_t N>
std::optional<int> FormatOf(const std::array<Format, N>& formats, const QString& name) {
  const auto found = std::find_if(formats.begin(), formats.end(), [&](const Format& f) {
    return name.compare(f.name, Qt::CaseInsensitive) == 0;
  });
  return found == formats.end() ? std::nullopt : std::optional<int>(found->type);
}

// The name ends as the chosen type's pattern does (".jpg" of "*.jpg"), in any case.
QString WithPatternExtension(const QString& name, const QString& pattern) {
  const QString ending = pattern.right(4);
  return name.right(4).compare(ending, Qt::CaseInsensitive) == 0 ? name : name + ending;
}

int JpegQualityPercent() { return ModqzReg::JpegQuality * 10; }

bool HasUnsavedChanges(const Imageqzviewer& canvas) { return canvas.AppliedEffect() && !canvas.SaveState(); }

// The stamp temporary file becomes a copy of a file, after the canvas's own writes of it.
bool ReplaceStampFile(Imageqzviewer& canvas, const QString& source) {
  canvas.WaitForStampFiles();
  return Gdip::CopyFileAtomically(source, ModGDI::StampTempPath());
}

}  // namespace

void FrmMain::FileDialog(int Index) {
  if (Index == kSaveAs) {
    SaveAsDialog();
    return;
  }
  if (Index == kSaveCopy) {
    SaveCopy();
    return;
  }
  if (Index != kOpen && Index != kStampFromFile && Index != kImportToLibrary) {
    return;
  }
  // Leaving the picture asks first; Cancel keeps it and opens nothing.
  if (Index == kOpen && ModPublic::AskSaveChanges() == Forms::vbCancel) {
    return;
  }
  m_fileChooser->ShowFileDialog(this,
                                {InStartFolder(m_lastOpened), kOpenFilter, 0, QStringLiteral("Import Image..."), true},
                                [this, Index](const FileChooser::Answer& answer) { OpenChosen(Index, answer.Path); });
}

void FrmMain::OpenChosen(int Index, const QString& path) {
  if (path.isEmpty()) {
    return;
  }
  m_lastOpened = path;
  SelectedFiles::Program().SetOpenedFile(path);
  if (Index == kOpen) {
    FileImport(path);
  } else if (Index == kStampFromFile) {
    StampFromFile(path);
  } else {
    ImportToLibrary(path);
  }
}

// The picture's own folder when it has a file of its own, else the folder the sheet shows:
// the dialogs start there rather than wherever the program was started from.
QString FrmMain::StartFolder() const {
  const QString shown = m_canvas->CurFilename;
  if (m_canvas->hasImage() && m_canvas->HasFileOfItsOwn()) {
    return QFileInfo(shown).absolutePath();
  }
  return m_sheet->FolderPath();
}

// The name a dialog pre-fills: a remembered full path as it is, so the dialog starts in
// its folder; an empty or bare name in the start folder.
QString FrmMain::InStartFolder(const QString& name) const {
  const QString folder = StartFolder();
  if (QFileInfo(name).isAbsolute() || folder.isEmpty()) {
    return name;
  }
  return ModPublic::AddBackslash(folder) + name;
}

void FrmMain::SaveAsDialog() {
  m_fileChooser->ShowFileDialog(
      this, {InStartFolder(m_lastFilename), kSaveFilter, 0, QStringLiteral("Save Image as..."), false},
      [this](const FileChooser::Answer& answer) { SaveAsChosen(answer.Path, answer.Pattern); });
}

void FrmMain::SaveAsChosen(const QString& path, const QString& pattern) {
  m_fileExt = pattern;
  if (path.isEmpty()) {
    return;
  }
  const QString name = WithPatternExtension(path, m_fileExt);
  if (const std::optional<int> type = FormatOf(kPatternFormats, m_fileExt)) {
    if (!m_canvas->SaveImage(name, *type, JpegQualityPercent())) {
      ModPublic::SayImageNotSaved();
    } else if (*type == 0) {
      m_lastFilename = name;
    }
  }
  m_fileChooser->ReleasePreviewDIB();
  m_sheet->RefreshThumSave();
}

// A copy beside the file: the picture itself stays as saved or unsaved as it was. A
// picture with no file of its own has no "beside": the user names the copy.
void FrmMain::SaveCopy() {
  if (!m_canvas->hasImage()) {
    return;
  }
  if (!m_canvas->HasFileOfItsOwn()) {
    SaveAsDialog();
    return;
  }
  const QFileInfo shown(m_canvas->CurFilename);
  const std::optional<int> type = FormatOf(kExtensionFormats, shown.suffix());
  const QString copy = shown.dir().filePath(shown.completeBaseName() + QStringLiteral("_Copy.") + shown.suffix());
  const bool saved = m_canvas->SaveState();
  const bool applied = m_canvas->AppliedEffect();
  const bool written = type && m_canvas->SaveImage(copy, *type, JpegQualityPercent());
  m_canvas->SetSaveState(saved);
  m_canvas->SetAppliedEffect(applied);
  if (!written) {
    ModPublic::SayImageNotSaved();
    return;
  }
  m_sheet->RefreshThumbnail();
}

void FrmMain::StampFromFile(const QString& file) {
  // A file that gives no picture is named with its reason, and no empty stamp is armed.
  // A small decode tells: the stamp itself is read from the copy.
  const Gdip::LoadResult read = Gdip::LoadImageWithReason(file, kStampCheckSize);
  if (read.Image == nullptr) {
    Forms::MsgBox(Gdip::CouldNotOpenText(read.Failure), Forms::vbExclamation);
    return;
  }
  if (ReplaceStampFile(*m_canvas, file)) {
    UseStamp(false, true);
  }
}

void FrmMain::ImportToLibrary(const QString& file) {
  RunModalTask(kStampNameTask, [this, file](TaskDialogServices& dialog) {
    const QString name = dialog.m_String();
    const std::optional<QString> target = MenuCommands::Handlers::LibraryFileFor(name);
    if (!target) {
      return;
    }
    if (!Gdip::CopyFileAtomically(file, *target)) {
      Forms::MsgBox(QStringLiteral("The stamp could not be saved."), Forms::vbExclamation);
      return;
    }
    m_sidePanelServices->Import(*target, name);
    m_sidePanelServices->RefreshFav();
  });
}

bool FrmMain::MayReplacePicture() { return ModPublic::AskSaveChanges() != Forms::vbCancel; }

void FrmMain::FileImport(const QString& Filename) {
  m_skinMenu->SetVisible(false);
  m_thumbnailBar->ResetPaint();
  // Every newly opened file starts its own undo history.
  m_canvas->SetFirstL(true);
  ClearFirstLDone();
  m_canvas->Open(Filename);
  m_sidePanelServices->RefreshProperties();
  EnableImageButtons();
}

void FrmMain::StartNewImage() {
  if (HasUnsavedChanges(*m_canvas) && ModPublic::AskSaveChanges() == Forms::vbCancel) {
    return;
  }
  RunModalTask(kCanvasSizeTask, [this](TaskDialogServices& dialog) {
    m_canvas->NewImage(float(dialog.m_Rwidth()), float(dialog.m_Rheight()), dialog.ShellColor());
    EnableImageButtons();
  });
}

void FrmMain::UseStamp(bool fromLibrary, bool sizeFlag) {
  m_skinMenu->SetVisible(false);
  if (fromLibrary && !ReplaceStampFile(*m_canvas, m_sidePanelServices->StampFilename())) {
    return;
  }
  m_canvas->CreateStampImg(ModGDI::StampTempPath(), true, sizeFlag);
  ApplyFirstLRule(false);
  m_sidePanelServices->SetToolselect(kStampLibrarySection);
  m_canvas->ArmTool(ToolModes::Mode::FloatingStamp);
  m_thumbnailBar->StartPaint(float(ModPublic::ThumBarDragPos), 0, true);
  m_canvas->Relayout();
  EnableImageButtons();
  if (!m_textStrip->isHidden()) {
    m_textStrip->SetVisible(false);
    m_canvas->HideText1();
    ArrangeMainPanes();
  }
}

void FrmMain::PublicZoomout() {
  m_zoomStep = std::min(m_zoomStep + kZoomStep, kZoomMax);
  ApplyZoomStep();
}

void FrmMain::PublicZoomin() {
  m_zoomStep = std::max(m_zoomStep - kZoomStep, kZoomMin);
  ApplyZoomStep();
}

// The bar's knob and the canvas both take the factor in hundredths, as the knob's drag does.
void FrmMain::ApplyZoomStep() {
  if (m_canvas->FitMode()) {
    m_canvas->SetFitMode(false);
    m_imageToolbarServices->PressDownID(ButtonId(ImageToolbarButton::Fit), false);
    m_canvas->Painting();
  }
  const int hundredths = int(std::lround(m_zoomStep * 100.0F));
  m_thumbnailBar->SetValue(hundredths);
  m_canvas->SetZoomFromSlider(hundredths);
}

void FrmMain::EnableImageButtons() {
  for (ImageToolbarButton button : kImageButtons) {
    m_imageToolbarServices->EnabledID(ButtonId(button), true);
  }
  m_imageToolbarServices->StartPaint();
}

void FrmMain::StepSheet(bool next) {
  const bool current = next ? m_sheet->PreviewNext() : m_sheet->PreviewBack();
  if (current && !m_sheet->SelectFile.isEmpty()) {
    m_canvas->Open(m_sheet->SelectFile);
  }
}

void FrmMain::ToggleFit() {
  const bool fit = !m_imageToolbarServices->Rpressdown(ButtonId(ImageToolbarButton::Fit));
  m_canvas->SetFitMode(fit);
  m_imageToolbarServices->PressDownID(ButtonId(ImageToolbarButton::Fit), fit);
  m_canvas->Painting(Imageqzviewer::PaintKind::Smooth);
}

void FrmMain::StartSlideshowWindow() {
  SlideshowServices& slideshow = Slideshow();
  slideshow.Show();
  slideshow.Start();
}

void FrmMain::PrintOrSayNoPrinters() {
  // The PDF printer counts: only with it switched off and no queue is there nothing to print on.
  if (Printing::AvailablePrinters().isEmpty()) {
    Forms::MsgBox(QStringLiteral("Sorry, no printers installed."), Forms::vbExclamation);
    return;
  }
  ShowPrintWindow();
}

void FrmMain::SaveInPlace() {
  if (!m_canvas->hasImage()) {
    return;
  }
  if (!m_canvas->HasFileOfItsOwn()) {
    SaveAsDialog();
    return;
  }
  // An unchanged picture is its file already; encoding it again would only lose quality.
  if (!HasUnsavedChanges(*m_canvas)) {
    return;
  }
  if (m_canvas->SaveOnly()) {
    m_canvas->SetSaveState(true);
    m_canvas->SetAppliedEffect(false);
  } else {
    // A format without a writer or a read-only file: the picture stays marked unsaved.
    ModPublic::SayImageNotSaved();
  }
  m_sheet->RefreshThumSave();
}
