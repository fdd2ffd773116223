#pragma once
// The file task dialog: one small skinned, shaped window for five tasks (copy or move
// the selected files to a folder, rename them, ask a canvas size, ask a stamp name),
// with drawn buttons. Copy, move and rename are done here on OK; the other two only
// return their values. Moved by its title band.

#include <array>
#include <functional>
#include <optional>

#include <QImage>
#include <QRectF>
#include <QStringList>

#include "foundation/SecondaryWindowServices.h"
#include "foundation/SkinSurface.h"
#include "platform/forms/HourglassCursor.h"

class Browsefolder;
class MainWindowServices;
class QLineEdit;
class SelectedFiles;
class Transparent;

class FrmShells : public SkinSurface, public TaskDialogServices {
  Q_OBJECT

 public:
  enum Button { CancelButton, OkButton, BrowseButton, ColourButton, kButtons };
  // The fixed inner size of the dialog.
  static constexpr QSize kSize{420, 170};

  FrmShells(MainWindowServices& host, SelectedFiles& selection, QWidget* owner = nullptr);
  ~FrmShells() override;

  int PublicShell() const { return m_publicShell; }
  // A new task starts with an empty box and no folder chosen.
  void SetPublicShell(int page) override;
  void SetTextControl(const QString& text) override;
  void StartPaint() override;
  void ShowModal(std::function<void()> Closed) override;
  void ShowModeless() override;
  int m_Rwidth() const override { return m_width; }
  int m_Rheight() const override { return m_height; }
  int ButtonState() const override { return m_buttonState; }
  std::uint32_t ShellColor() const override { return m_shellColor; }
  QString m_String() const override { return m_string; }

  // Builds the skinned background and shapes the window with it.
  void LoadSkin();

  // What the user sees and uses, for tests.
  QRectF ShellButtonRect(int button) const { return m_buttonRects[std::size_t(button)]; }
  QLineEdit* TextControl() const { return m_textControl; }
  QLineEdit* Text_Width() const { return m_textWidth; }
  QLineEdit* Text_Height() const { return m_textHeight; }
  QString TargetFolder() const { return m_targetFolder; }
  // True while a copy or move goes through its files.
  bool IsBusy() const { return m_pending.has_value(); }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  enum class Look { Normal, Hovered, Pressed };
  // A copy or move under way: the files still to go, one per turn of the event loop.
  struct Transfer {
    bool move = false;
    QString folder;
    QStringList files;
    int next = 0;
    Forms::HourglassCursor hourglass;
  };

  void LayoutButtons();
  bool ButtonInUse(int button) const;
  void DrawButton(int button, Look look);
  void DrawColourDot();
  void DrawTexts();
  void TrackButtons(QPointF point, bool pressed);
  void ButtonReleased(int button);
  void ChooseFolder();
  void ChooseColour();
  void Confirm();
  void Finish();

  // The tasks OK runs (FrmShellsTasks.cpp).
  // The folder OK copies or moves into: the one in the box, when it is an existing
  // folder given in full; nothing otherwise.
  std::optional<QString> FolderInBox() const;
  void StartTransfer(bool move);
  void TransferNext();
  void EndTransfer();
  // The name in the box ("Untitled" when empty); a name that is not a plain file name is
  // refused with a message and the dialog stays.
  std::optional<QString> TypedName() const;
  bool RenameFiles();
  bool ConfirmCanvasSize();
  // The canvas lets go of its picture while its file moves or is renamed. Before that
  // the save prompt asks about unsaved changes; false on Cancel.
  bool CanvasMayLetGo(const QStringList& files) const;
  // Moves a file into a folder or renames it to a path; the file's path afterwards.
  QString Relocate(const QString& file, const QString& target, bool move) const;

  MainWindowServices& m_host;
  SelectedFiles& m_selection;
  int m_publicShell = 0;
  int m_width = 0;
  int m_height = 0;
  int m_buttonState = 0;
  std::uint32_t m_shellColor = 0x00FFFFFF;
  QString m_string;
  QString m_targetFolder;
  std::array<QRectF, kButtons> m_buttonRects{};
  int m_lastButton = 1;
  int m_hotButton = -1;
  bool m_buttonHit = false;
  std::optional<QPoint> m_dragFrom;
  std::optional<Transfer> m_pending;
  std::function<void()> m_closed;
  QImage m_skin;
  QLineEdit* m_textControl;
  QLineEdit* m_textWidth;
  QLineEdit* m_textHeight;
  Browsefolder* m_browsefolder;
  Transparent* m_transparent;
};
