#include "windows/FrmScroll.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>

#include "controls/Transparent.h"
#include "foundation/ModDraw.h"
#include "foundation/ModPublic.h"
#include "foundation/ModqzReg.h"
#include "foundation/SelectedFiles.h"
#include "platform/forms/HourglassCursor.h"
#include "platform/forms/MsgBox.h"
#include "platform/gdiplus/GdipTypes.h"
#include "windows/ScrExport.h"
#include "windows/SkinBackground.h"

namespace {

constexpr QRect kProgressBar(16, 64, 225, 9);
// The window stands this far below the top of the screen.
constexpr int kTopOffset = 100;
constexpr std::uint32_t kMagentaOle = 0x00FF00FF;  // RGB(255, 0, 255), red in the lowest byte
constexpr QStringView kAppPathName = u"Apppath";

}  // namespace

FrmScroll::FrmScroll(SelectedFiles& selection, QString programFolder, QString exe, Installer install,
                     QWidget* owner)
    : SkinSurface(owner),
      m_selection(selection),
      m_programFolder(std::move(programFolder)),
      m_exe(std::move(exe)),
      m_install(std::move(install)),
      m_progress(new QProgressBar(this)),
      m_transparent(new Transparent(this)) {
  setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  setFixedSize(kSize);
  setFont(QFont(QStringLiteral("Tahoma"), 8));
  m_progress->setGeometry(kProgressBar);
  m_progress->setTextVisible(false);
  // The shaped-window control only cuts the window; the window draws its own picture.
  m_transparent->hide();
  m_transparent->SetMaskColor(kMagentaOle);
}

FrmScroll::~FrmScroll() = default;

QString FrmScroll::PictureFolder() const { return QDir(m_programFolder).filePath(QStringLiteral("ScrDatas")); }

void FrmScroll::Start() {
  if (m_formT == 0) {
    LoadSkin();
  }
}

void FrmScroll::LoadSkin() {
  const Forms::HourglassCursor hourglass;
  m_skin = CreateSkinBackground(size()).convertToFormat(QImage::Format_ARGB32);
  BackBuffer() = m_skin;
  m_transparent->SetMaskPicture(m_skin);
  update();
}

void FrmScroll::showEvent(QShowEvent* event) {
  // The right edge touches the screen's right edge.
  if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(area.x() + area.width() - width(), area.y() + kTopOffset);
  }
  SkinSurface::showEvent(event);
}

void FrmScroll::closeEvent(QCloseEvent* event) {
  // The export runs to its end; it closes the window itself.
  if (IsBusy()) {
    event->ignore();
    return;
  }
  SkinSurface::closeEvent(event);
}

void FrmScroll::ShowText(const QString& text) {
  BackBuffer() = m_skin;
  ModGDI::DrawTextGdip(BackBuffer(), text, 15, 40, QStringLiteral("Tahoma"), 8, 0xFF000000, Gdip::FontStyleBold,
                       false, 200);
  update();
}

void FrmScroll::CopyFiles() {
  if (IsBusy()) {
    return;
  }
  const QStringList files = ScrExport::FilesToExport(m_selection.Files(), m_selection.FromOpenDialog());
  if (files.isEmpty()) {
    End(false);
    return;
  }
  ShowText(QStringLiteral("Initialize..."));
  m_export = std::make_unique<ScrExport>(PictureFolder(), files);
  m_progress->setRange(0, int(files.size()));
  m_progress->setValue(0);
  if (!m_export->Prepare()) {
    Fail();
    return;
  }
  QTimer::singleShot(0, this, &FrmScroll::CopyStep);
}

void FrmScroll::CopyStep() {
  if (m_export->AtEnd()) {
    Complete();
    return;
  }
  ShowText(ModPublic::GetFileName(m_export->NextFile()));
  if (!m_export->CopyNext()) {
    Fail();
    return;
  }
  m_progress->setValue(m_export->Copied());
  QTimer::singleShot(0, this, &FrmScroll::CopyStep);
}

void FrmScroll::Complete() {
  if (!m_export->Commit()) {
    Fail();
    return;
  }
  m_progress->setValue(m_progress->maximum());
  // The screensaver finds the set through the program folder written here.
  ModqzReg::SaveRegString(ModqzReg::HKEY_CURRENT_USER, ModqzReg::LorvaneKey, kAppPathName, m_programFolder);
  Forms::MsgBox(RegistrationNews(), Forms::vbInformation);
  End(true);
}

// Registers the screensaver program when it is there and says what the user can do next.
QString FrmScroll::RegistrationNews() {
  const QString pictures = QDir::toNativeSeparators(PictureFolder());
  // A build that made only the main program has no screensaver to register.
  if (!QFileInfo(m_exe).isExecutable()) {
    return QStringLiteral("The screensaver program %1 is missing, so no screensaver was registered. The screensaver "
                          "pictures are in %2.")
        .arg(QDir::toNativeSeparators(m_exe), pictures);
  }
  if (m_install && m_install(m_exe)) {
    return QStringLiteral("The screensaver \"LorvaneScr\" is registered with xscreensaver. Choose it in "
                          "xscreensaver-settings (xscreensaver-demo in older versions).");
  }
  return QStringLiteral("The screensaver pictures are in %1. Run lorvanescr /S to show them.").arg(pictures);
}

void FrmScroll::Fail() {
  Forms::MsgBox(QStringLiteral("The screensaver pictures could not be copied: %1").arg(m_export->FailedFile()),
                Forms::vbExclamation);
  End(false);
}

void FrmScroll::End(bool exported) {
  m_export.reset();
  hide();
  emit Finished(exported);
}
