#pragma once
// The canvas: the control that holds, shows and edits one image. The main window hosts
// one, as SingleqzPreview, and drives it through the members below; the canvas answers
// with its signals.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QWidget>

#include "canvas/CanvasCursors.h"
#include "canvas/CanvasLayout.h"
#include "canvas/CanvasStamp.h"
#include "canvas/CanvasView.h"
#include "canvas/ClsCalendar.h"
#include "canvas/DisplayCache.h"
#include "canvas/SnapshotFolder.h"
#include "canvas/StampSnapshots.h"
#include "canvas/TextChoices.h"
#include "canvas/ToolModes.h"
#include "canvas/ToolSlider.h"
#include "canvas/UndoPlace.h"
#include "canvas/UndoSnapshots.h"
#include "canvas/tools/PointerUnits.h"
#include "effects/ModEffectsApply.h"
#include "foundation/GdiDIB.h"
#include "foundation/MainWindowServices.h"
#include "foundation/SecondaryWindowServices.h"

class ClsSelect;
class DIBsave;
class QFrame;
class QPainter;
class QPlainTextEdit;
class QScrollBar;
namespace Gdip {
class Bitmap;
class Graphics;
}
namespace ModEffects {
class EffectClock;
}
namespace TextLayer {
struct Text;
}
namespace ToolCommit {
struct Input;
}

// The brushes, font and overlay pictures the canvas draws with, made by CreateBrush.
struct CanvasKit {
  QColor LightPanel;
  QColor DarkPanel;
  QColor WhiteTranslucent;
  QColor Shade;
  QFont Font;
  QImage Knob;    // "ScrollTop.png"
  QImage Back;    // "Back.png", 26 x 26
  QImage Next;    // "Next.png", 26 x 26
  QImage Picker;  // "ColorPicker.png", 125 x 130
};

class Imageqzviewer : public QWidget, public CanvasSaveServices {
  Q_OBJECT

 public:
  static constexpr int Background = 224;  // grey level of the empty canvas
  static constexpr int KnobWidth = 15;    // width of the slider knob picture the slider maths assumes

  explicit Imageqzviewer(QWidget* parent = nullptr);
  ~Imageqzviewer() override;

  // An earlier / a later image snapshot exists.
  bool UndoE() const { return m_undo.canUndo; }
  bool RedoE() const { return m_undo.canRedo; }
  // The file shown; after NewImage the blank "Tempnewimage.png" in the program folder.
  QString CurFilename;
  // The picture being edited.
  GdiDIB ImgDIB;

  // Unsaved changes are SaveState false together with AppliedEffect true.
  bool SaveState() const override { return m_saveState; }
  void SetSaveState(bool value) override { m_saveState = value; }
  bool AppliedEffect() const override { return m_appliedEffect; }
  void SetAppliedEffect(bool value) override { m_appliedEffect = value; }
  bool SaveOnly() override;
  bool HasFileOfItsOwn() const override;

  // Set before a new file is loaded: the next layout records undo position 0.
  void SetFirstL(bool value) { m_firstL = value; }
  bool FirstL() const { return m_firstL; }
  // The tool or effect mode, 0 (viewing) to 53, as the settings and the side panel store
  // it. Does not repaint.
  int Effect() const override { return int(m_mode); }
  void SetEffect(int value) { m_mode = ToolModes::Mode(value); }
  ToolModes::Mode CurrentMode() const { return m_mode; }
  void SetMode(ToolModes::Mode mode) { m_mode = mode; }
  // Arms a tool as its row says: the selection dropped when it starts without one, the
  // slider's range, the mode, the fit, and the stamp or text box made ready. Does not
  // lay out or repaint; the caller's Relayout does.
  void ArmTool(ToolModes::Mode mode);
  // Sets the slider's bounds and, unless the range keeps it, its value.
  void SetRange(const ToolModes::Range& range);
  // The picture's size as text, "640".
  QString ShowImgWidth() const override;
  QString ShowImgHeight() const override;
  QString ShownFilename() const override { return CurFilename; }
  double HorizontalResolution() const override;
  int BrushSize() const { return m_stamp.brushSize; }
  void SetBrushSize(int value) { m_stamp.brushSize = value; }
  bool DefaultStampsize() const { return m_stamp.defaultSize; }
  void SetDefaultStampsize(bool value) { m_stamp.defaultSize = value; }
  int StampUndoIndex() const { return m_stampSnapshots.Index(); }
  int UndoIndex() const { return m_undo.index; }

  // The text tool's font and colour; each change repaints.
  QString FontA() const { return m_text.font; }
  void SetFontA(const QString& value);
  int FontSizeA() const { return m_text.size; }
  void SetFontSizeA(int value);
  int FontStyleA() const { return m_text.style; }
  void SetFontStyleA(int value);
  int FontRenderA() const { return m_text.render; }
  void SetFontRenderA(int value);
  // An RGB colour reference, red in the lowest byte.
  std::uint32_t TextColor() const { return m_text.colour; }
  void SetTextColor(std::uint32_t value) override;

  // The display scale when not fitting. The zoom slider and the zoom commands set it in
  // slider units (55 is 100 %); the factor is kept to hundredths and never below 0.12.
  float Zoom() const { return m_view.zoom; }
  void SetZoomFromSlider(int sliderValue);
  // Fit the picture into the window; storing it does not repaint.
  bool FitMode() const { return m_view.fit; }
  void SetFitMode(bool value) { m_view.fit = value; }

  // The armed tool's value range and value (the on-canvas slider moves the value).
  int Max() const { return m_slider.max; }
  void SetMax(int value) { m_slider.max = value; }
  int Min() const { return m_slider.min; }
  void SetMin(int value) { m_slider.min = value; }
  int ValueRange() const { return m_slider.Range(); }
  // The value rounded half to even. Setting it also sets the shade brush's alpha
  // (kept within 0..255) and clears ScreenButtonEnabled.
  int Value() const { return m_slider.Value(); }
  void SetValue(int value);

  // True when no picture is loaded; hasImage says the same the other way round.
  bool NoOpen() const { return !hasImage(); }
  bool hasImage() const;
  // The pointer is on the command bar's knob or one of its buttons.
  bool ScreenButtonEnabled() const { return m_hit.BarShown; }

  // Shows the text tool's edit box in the rectangle, or hides it when it is shown.
  void ShowHidetext(float X, float Y, float W, float H);
  void HideText1();
  bool TextBoxShown() const { return m_textBoxShown; }
  QPlainTextEdit* Text1() const { return m_text1; }
  QFrame* TextBackground() const { return m_textBackground; }
  // The text layer (mode 4): drawn over the canvas from the edit box's text, or with
  // isExport burnt into the picture as one undo step.
  void TextPainting(bool isExport);
  // The armed tool's layer (text, fill or shape) becomes the floating stamp, lying where
  // the layer lay; in a mode without a layer the stamp is empty.
  void Rasterize();

  // Empties the selection; with isSelectAll the whole picture is selected.
  void CleanCroprect(bool isSelectAll = false);
  // Makes the drawing kit and loads the overlay pictures from the data folder.
  void CreateBrush();
  const CanvasKit& Kit() const { return m_kit; }

  // Asks a task dialog of the factory for a new canvas size and colour and, on OK, places
  // the picture unscaled in the middle of a new one of that size as one undo step. Without
  // a dialog, a picture, or with a size that cannot be made, nothing changes.
  void ResizeCanvas(TaskDialogFactory& dialogs);
  // Makes a blank W x H picture of an RGB colour and loads it; false when it cannot be made.
  bool NewImage(float W, float H, std::uint32_t Color);
  // Opens a file as a new picture: no undo steps, nothing to save, shown fitted or from
  // its middle at 100 %. False when the file could not be decoded: the canvas is then empty.
  bool Open(const QString& path);
  // Reads back the file the picture was just saved to, keeping the undo steps and flags.
  bool ReloadSaved(const QString& path);
  // Lays the picture shown out again for the window and the armed tool, keeping the view.
  void Relayout();
  // "This file could not be opened: <reason>." after an Open that gave no picture,
  // else empty. The empty canvas shows it.
  QString OpenFailureText() const;
  // What a paint makes again besides the back buffer.
  enum class PaintKind {
    Plain,        // the view as it is, scaled quickly: something is moving
    Smooth,       // the view has come to rest: scaled smoothly
    Refit,        // the picture or its fit changed: the fitted preview is made again
    RefitSmooth,  // both
  };
  // Paints the back buffer and shows it.
  void Painting(PaintKind kind = PaintKind::Plain);
  // The colour-picker swatch; picks the colour under the pointer while the swatch is hot.
  void ColorControl();

  // Undo snapshot files are written in the background; this waits until every one asked
  // for is on disk. Anything that reads or counts the snapshot files calls it first.
  void WaitForSnapshot();
  // How many "*.udo" files the canvas's snapshot folder holds.
  int UndoListCount();
  // The path of the image snapshot of a position, in this running program's own folder.
  static QString UndoFilePath(int index);
  // The copy of a deleted file that the canvas shows after a delete.
  QString DeleteCopyPath() const { return m_snapshotFolder.Path() + QStringLiteral("Tempdelete.tmp"); }

  // The commit every finished edit ends in: the edited picture becomes the next undo
  // position (the newest is replaced once 50 is reached), is shown, and counts as unsaved.
  void CommitUndoStep(const QImage& edited);
  // Applies the armed tool or effect to the picture at its own resolution as one undo
  // step, then returns to viewing. A mode whose picture cannot be made commits nothing
  // and keeps the picture and its flags.
  void SaveUndo();
  // Sets a mode and commits it at once (a filter, a flip, a turn, grey, an at-once effect).
  void ApplyAtOnce(ToolModes::Mode mode);
  // Arms a whole-picture filter (12 to 16, or 45) and commits it.
  void ThirdEffect(int new_Effect) { ApplyAtOnce(ToolModes::Mode(new_Effect)); }
  // Commits the one-shot effect set in Effect (grey or a flip).
  void GreyEffect();

  // The Edit commands on the selection. Each changes nothing while no picture is shown.
  // Clears the selection to transparency as one undo step, switching the selection sense.
  void CallDrawDeleteSelect();
  // Puts the selection on the clipboard, or the whole picture when no selection is shown.
  void DrawtoClipboard();
  // The picture last taken from the clipboard becomes the floating stamp.
  void CreateStampfromClipboard();
  // Selects the whole picture and hands it over as the floating stamp, for editing a
  // stamp-library picture.
  void EditingStampLib();
  // Where the floating stamp lies now, in picture pixels, and whether the stamp tool has
  // yet to take it as its frame (after a hand-over, "Default Size" or a new layout).
  QRectF StampRect() const { return m_stamp.rect; }
  bool StampRectPending() const { return m_stamp.rectPending; }

  // The floating stamp (mode 38). Loads the stamp from a file; with SaveUndo0 its history
  // starts again from that file, with DefSize it lies at the picture's origin at its own
  // size. False when the file gives no picture: the stamp is then empty.
  bool CreateStampImg(const QString& Filename, bool SaveUndo0, bool DefSize);
  // Back to moving and sizing the stamp, framed again where it was handed over ("Default
  // Size").
  void ResetStampsize(bool value);
  // The stamp's sub-tool: 0 move and size, 1 eraser, 2-6 retouch, 7 smudge, 8 airbrush.
  void StampOptions(int subTool);
  int StampSubTool() const { return m_stamp.subTool; }
  // Sets the sub-tool alone and repaints.
  void StampToolSelect(int new_Tool);
  // The eraser's kind: 0 brush, 1 pencil, 2 block.
  void EraserOptions(int new_Eoption) { m_stamp.eraserMode = new_Eoption; }
  int EraserMode() const { return m_stamp.eraserMode; }
  // Filters or flips the stamp (1 blur, 2 sharpen, 3 soften, 4 and 5 the maximum filters,
  // 6 vertical and 7 horizontal flip) as one stamp undo step; other numbers change nothing.
  void Stampeffect(int new_Filter);
  // The stamp snapshot file of the current stamp undo position.
  QString StampSnapshotFile() { return m_stampSnapshots.CurrentFile(); }
  // Waits until the stamp's files asked for are written, the stamp temporary file of a
  // paste among them. Whatever writes or removes that file itself calls it first, so a
  // write still queued never lands over the newer file.
  void WaitForStampFiles() { m_stampSnapshots.WaitForWrites(); }
  const QImage& StampCanvas() const { return m_stamp.picture; }
  // The stamp's frame on the canvas when it was last shown.
  QRectF StampFrame() const { return m_stamp.frame; }
  // The clock the timed weather effects run against; null for the machine's own.
  void SetEffectClock(ModEffects::EffectClock* clock) { m_effectClock = clock; }
  // The drawn menu the command bar's Option button opens (the window's, which outlives the
  // canvas); without one the button does nothing.
  void UseSkinMenu(SkinMenuServices& menu) { m_skinMenu = &menu; }
  // Where the picture lies on the canvas: the fitted box, or the zoomed view.
  QRectF DisplayedRect() const { return m_view.Displayed(); }

  // Steps the picture one undo position back (isUndo) or forward and shows it. A step
  // with nowhere to go, or onto a snapshot that cannot be read, changes nothing.
  void UndoAndRedo(bool isUndo);
  // The same for the stamp picture of the stamp tool.
  void UndoStampRedo(bool isUndo);
  bool StampUndoEnabled() const { return m_stamp.undoEnabled; }
  bool StampRedoEnabled() const { return m_stamp.redoEnabled; }
  // Redraws only the picture, without overlays, at the current view, smoothly.
  void UnRedoPaint();

  // Writes the picture to a file in a format 0 (BMP) to 6 (PNG), with a JPEG quality;
  // on success the picture counts as saved. A failed write leaves an existing file as it was.
  bool SaveImage(const QString& Filename, int Types, int Quality);
  // Moves the file shown to the trash after asking and goes on showing the picture from a
  // copy; true when it went. A refusal or failure leaves everything as it was.
  bool DeleteImage();
  // Lets go of the picture; the canvas paints nothing until the next Open.
  void DisposeImgDIB() override;
  void ImportImage(const QString& Filename) override { Open(Filename); }

  // The view, as the mouse tools and tests see it.
  const QImage& BackBuffer() const { return m_backBuffer; }
  QRectF FitRect() const { return m_view.fitRect; }
  QSize DisplaySize() const { return m_view.displaySize; }
  QPoint ViewOffset() const { return m_view.offset; }
  void SetViewOffset(QPoint offset) { m_view.offset = offset; }
  const CanvasLayout::HitRects& HitRectangles() const { return m_rects; }
  const CanvasLayout::HitState& Hit() const { return m_hit; }
  const PointerTools::PointerState& Pointer() const { return m_ptr; }
  QScrollBar* HorizontalScroll() const { return m_horizontalScroll; }
  QScrollBar* VerticalScroll() const { return m_verticalScroll; }
  // The colours the picker took, RGB references: the second is the one the tools draw
  // with, the first a blended fill's surround.
  std::uint32_t PickColor1() const { return m_pickColor1; }
  std::uint32_t PickColor2() const { return m_pickColor2; }
  // The shape tools' pen width in picture pixels.
  float LineWidth() const { return m_lineWidth; }
  void LineWidthValue(int LineWidth);
  // Draws the dragged shape (DrawType 1 line, 2 rectangle outline, 3 ellipse outline):
  // the preview in canvas pixels, its points first held inside the fitted picture, or
  // with isExport in picture pixels onto the picture's graphics.
  void LineDrawing(int DrawType, bool isExport, Gdip::Graphics& MGraphics);
  // Loads the side panel's pattern picture; nothing draws it yet.
  void CreatePattenImg(const QString& Filename);
  const QImage& PatternImage() const { return m_patternImage; }
  // The calendar layer (mode 10): the month of the slider's value in the text tool's font
  // and colour, drawn at the layer's anchor (first the picture's top-left corner); the
  // layer's rectangle is left where the layer drag finds it.
  void CalenderPaint(Gdip::Graphics& graphics);
  // The calendar layer alone on a transparent picture, at scale times its size on the
  // canvas; null before the layer has been drawn.
  QImage CalendarLayerPicture(float scale) const;

 signals:
  void MouseDown(int Button, int Shift, float X, float Y);
  void MouseMove(int Button, int Shift, float X, float Y);
  void MouseUp(int Button, int Shift, float X, float Y);
  void DblClick();
  // Whether an undo and a redo step can be taken (UndoE and RedoE) was worked out anew.
  void UndoStateChanged(bool canUndo, bool canRedo);
  // A button of the tool's command bar was pressed: the picture no longer shows fitted as
  // the browser's fit button had it.
  void FitLeft();
  // A commit, or a tool left without one, brought the canvas back to browsing.
  void ToolFinished();
  // A text or calendar layer was burnt into the picture: its text strip is done with.
  void LayerCommitted();
  // The stamp file holds a new stamp to float (a cut selection, a rasterized layer or a
  // pasted picture): the stamp tool should take it up.
  void StampHandedOver();
  // A key the canvas has no use for, as a virtual-key code and the 1/2/4 shift bits.
  void ShortcutKeyPressed(int keyCode, int shift);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QSize ClientSize() const { return size(); }
  QSizeF PictureSize() const { return QSizeF(ImgDIB.Width(), ImgDIB.Height()); }
  void EnsureBackBuffer();
  // The empty canvas: background and inset frame.
  void ClearSurface();
  void PaintOpenFailure(QPainter& painter);
  void DrawInsetFrame(Gdip::Graphics& graphics, const QRectF& area);
  void PurgeUndo();
  // Reads a picture into the holder and says why when it gives none; true when it gave one.
  bool ReadPicture(const QString& path);
  // How a layout treats a zoomed view: kept as it is, or started again at 100 % for a
  // picture just read.
  enum class ViewStart { Kept, ActualSize };
  // Lays the picture out for the window and the armed tool, paints, and records undo
  // position 0 when due.
  void LayOut(ViewStart start, PaintKind kind);
  // Loads a picture to open; a large JPEG shows a scaled decode while the full one runs.
  GdiDIB LoadShowingPreview(const QString& path);
  void PushUndoSnapshot(const QImage& edited);
  void RefreshUndoState();
  // Reads the canvas-size dialog once it has closed and lets go of it.
  void FinishResizeCanvas();
  // The armed tool's state as the commit and the rasterizing take it.
  ToolCommit::Input CommitInput() const;
  // The text layer from the edit box and the text settings, in canvas pixels.
  TextLayer::Text TextLayerState() const;
  // Where the text or calendar layer lies: where a press fixed it, else on the picture as
  // it is laid out now.
  QPointF LayerAnchor() const;
  void PaintTextLayer(Gdip::Graphics& graphics);
  // After a layer is burnt in: the drag ends and the text strip goes.
  void EndLayerCommit();
  // What every commit ends with, the modes that draw nothing included.
  void CommitCommonEnd();
  // The canvas's calendar with the text settings and month of now, its anchor placed.
  ClsCalendar& CalendarLayerReady();
  // In the calendar tool, the calendar layer joins what the commit and rasterizing take.
  void AddCalendarLayer(ToolCommit::Input& input);
  void RefreshStampUndoState();
  void ShowSnapshot(const QImage& picture);
  void KeepFirstSnapshot();
  void RemakeWorkingCanvas();
  void PaintPicture(Gdip::Graphics& graphics, bool smooth);
  void PaintNavigator(Gdip::Graphics& graphics);
  void PaintOverlays(Gdip::Graphics& graphics);
  void PaintStatusText(Gdip::Graphics& graphics);
  void PaintMagnifier(Gdip::Graphics& graphics);
  // The polygon so far with its rubber band, while it is open.
  void PaintOpenPolygon();
  // The tool rectangle with its shading, outline and live preview, and its handles.
  void PaintToolOverlay(Gdip::Graphics& graphics);
  // The tool rectangle follows the drag in progress.
  void UpdateToolRect();
  void PaintRedEyePreview(Gdip::Graphics& graphics);
  // The floating stamp in its frame, with its handles.
  void PaintFloatingStamp(Gdip::Graphics& graphics);
  // The frame the stamp is shown in: the cut's place while it is pending, else the tool
  // rectangle following the handles.
  QRectF FloatingFrame();
  // One dab of the stamp's brush at the stamp point, and the stroke kept as a stamp undo step.
  void PaintOnStamp();
  void KeepStampStroke();
  // Cuts the selection into the stamp file and hands it to the main window as the
  // floating stamp, framed where the selection was.
  void HandOverSelection();
  // The selection of the armed tool is shown: a closed polygon, or a tool rectangle.
  bool SelectionShown() const;
  void PaintParticles(Gdip::Graphics& graphics);
  void PaintIrradiation(Gdip::Graphics& graphics);
  // The on-canvas slider and buttons. keepKnob leaves a knob left of the track where it
  // is; noRefresh leaves showing the result to the caller.
  void DrawCommandBar(Gdip::Graphics& graphics, bool keepKnob, bool noRefresh);
  void DrawBarBox(Gdip::Graphics& graphics, const QRectF& box);
  void DrawCaption(Gdip::Graphics& graphics, const QString& text, QPointF at, int pointSize, bool bold);
  void ColorControl(Gdip::Graphics& graphics);
  void HitTestCanvas(QPointF point);
  // The pointer handlers of the tool modes; the events are raised after them.
  void PointerDown(int button, int shift, QPointF at);
  void PointerMove(int button, int shift, QPointF at);
  void PointerUp(int button, int shift, QPointF at);
  PointerTools::PointerEvent EventAt(int button, int shift, QPointF at);
  void DoFollow(const PointerTools::Follow& follow);
  // The stamp back to moving and sizing, with no brush tool armed.
  void PutDownStampBrush();
  void RotationPreview();
  void ColourPreview();
  void DrawPolygon(QPointF from, QPointF to);
  // The slider value follows a dragged knob.
  void FollowKnob();
  int KnobImageWidth() const;
  // The on-canvas buttons: 1 apply, 2 close with a save prompt, 4 options, 5 and 6 stamp undo and redo.
  void PressBarButton(int button);
  void ShowToolOptions();
  // Commits the tool, or for the selection tools turns the selection into a floating stamp.
  void ApplyCurrentTool();
  // Leaves the tool without changing the picture.
  void CancelCurrentTool();
  // The text tool's edit box, shown with the text to type over selected.
  void OpenTextBox();
  void OnHorizontalScroll(int value);
  void OnVerticalScroll(int value);
  void EndOfLife();
  bool NavigatorShown() const;

  bool m_saveState = true;
  bool m_appliedEffect = false;
  bool m_firstL = false;
  // The text of the last failed Open, shown on the empty canvas.
  QString m_openFailure;
  // Set by a new-file load: the next layout records undo position 0 of the loaded picture.
  bool m_snapshotDue = false;
  // Position 0 of the picture now loaded has been recorded.
  bool m_firstSnapshotKept = false;
  ToolModes::Mode m_mode = ToolModes::Mode::Browse;
  ToolSlider m_slider;
  UndoPlace m_undo;
  // Declared before the histories that keep their files in it, so it outlives them.
  SnapshotFolder m_snapshotFolder;
  UndoSnapshots m_undoSnapshots{m_snapshotFolder};
  StampSnapshots m_stampSnapshots{m_snapshotFolder, m_undoSnapshots};

  // The text strip's own defaults until it sets them.
  TextChoices m_text;
  bool m_textBoxShown = false;

  CanvasView m_view;
  CanvasLayout::HitRects m_rects;
  CanvasLayout::HitState m_hit;
  std::uint32_t m_pickColor1 = 0;
  std::uint32_t m_pickColor2 = 0;
  float m_lineWidth = 1;
  QImage m_patternImage;
  // The calendar layer's renderer, made on first use.
  std::optional<ClsCalendar> m_calendar;
  QPointF m_pointer;
  QPointF m_irradiationPoint;
  // The particles the last particle preview drew.
  ModEffects::ParticlePreview m_seenParticles;
  PointerTools::PointerState m_ptr;
  // The polygon selection's outline and cut.
  std::unique_ptr<ClsSelect> m_select;
  // The mode before a delete of the selection began; the cut takes its shape.
  ToolModes::Mode m_previousMode = ToolModes::Mode::Browse;
  CanvasStamp m_stamp;
  // A press on the canvas-resize grip is in progress (set by the mouse tools).
  bool m_resizePress = false;
  ModEffects::EffectClock* m_effectClock = nullptr;
  SkinMenuServices* m_skinMenu = nullptr;
  // The canvas-size dialog while it is open.
  std::unique_ptr<TaskDialogServices> m_taskDialog;

  // The picture at the fitted size while a tool is armed; the tools draw their previews on it.
  std::unique_ptr<DIBsave> m_workingCanvas;
  QImage m_previewThumbnail;
  QImage m_navigatorThumbnail;
  qint64 m_navigatorThumbnailKey = 0;
  DisplayCache m_displayCache;
  CanvasKit m_kit;
  QImage m_backBuffer;
  CanvasCursors m_cursors;

  QFrame* m_textBackground = nullptr;
  QPlainTextEdit* m_text1 = nullptr;
  // The horizontal bar moves the picture sideways, the vertical one up and down.
  QScrollBar* m_horizontalScroll = nullptr;
  QScrollBar* m_verticalScroll = nullptr;
};
