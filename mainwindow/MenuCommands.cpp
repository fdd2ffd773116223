#include "mainwindow/MenuCommands.h"

#include <algorithm>
#include <array>

#include <QString>

#include "foundation/CommandKeys.h"
#include "foundation/ModPublic.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/MenuCommandHandlers.h"
#include "platform/forms/MsgBox.h"

namespace MenuCommands {

namespace {

namespace K = CommandKeys;
namespace H = Handlers;

const std::array kCommands{
    Command{K::File_New, H::FileCommand},
    Command{K::File_Open, H::FileCommand},
    Command{K::File_Save, H::Save},
    Command{K::File_SaveAs, H::FileCommand},
    Command{K::File_Savecopy, H::FileCommand},
    Command{K::File_Import, H::FileCommand},
    Command{K::File_ImportLib, H::FileCommand},
    Command{K::File_Fav, H::SendToStampLibrary},
    Command{K::File_Print, H::Print, Ask::SaveFirst},
    Command{K::File_Exit, H::Exit},
    Command{K::Edit_Undo, H::Undo},
    Command{K::Edit_Redo, H::Redo},
    Command{K::Edit_All, H::SelectAll},
    Command{K::Edit_Deselect, H::Deselect},
    Command{K::Edit_Clearselect, H::ClearSelection},
    Command{K::Edit_Inverse, H::Inverse},
    Command{K::Edit_Rasterize, H::Rasterize},
    Command{K::Edit_Copy, H::Copy},
    Command{K::Edit_Paste, H::Paste, Ask::Nothing, true},
    Command{K::Edit_Delete, H::Delete},
    Command{K::Edit_Rename, H::FileTask},
    Command{K::Edit_Copyto, H::FileTask},
    Command{K::Edit_Moveto, H::FileTask},
    Command{K::Edit_Resize, H::ResizeImage},
    Command{K::Edit_Resizec, H::ResizeCanvas},
    Command{K::Edit_Hflip, H::Filter},
    Command{K::Edit_Vflip, H::Filter},
    Command{K::Edit_Clockwise, H::Filter},
    Command{K::Edit_Crcolockwise, H::Filter},
    Command{K::Edit_Filter, H::PanelSection},
    Command{K::Edit_Fav, H::PanelSection},
    Command{K::Edit_Keyword, H::PanelSection},
    Command{K::Edit_Prop, H::PanelSection},
    Command{K::View_Fullmode, H::FullView},
    Command{K::View_Fitmode, H::Fit},
    Command{K::View_Zoomout, H::Step, Ask::BeforeLeaving},
    Command{K::View_Zoomin, H::Step, Ask::BeforeLeaving},
    Command{K::View_Sortname, H::Sort},
    Command{K::View_Sortsize, H::Sort},
    Command{K::View_Sorttype, H::Sort},
    Command{K::View_Sortcreate, H::Sort},
    Command{K::View_Sortmodify, H::Sort},
    Command{K::View_Sortstar, H::Sort},
    Command{K::View_Addstar, H::Star},
    Command{K::View_Removestar, H::Star},
    Command{K::View_Slideshow, H::Slideshow},
    Command{K::View_Properties, H::Properties},
    Command{K::View_Thumbpane, H::ThumbnailPane},
    Command{K::Filter_Browse, H::Adjustment},
    Command{K::Filter_Select, H::Selection},
    Command{K::Filter_EllipSelect, H::Selection},
    Command{K::Filter_FreeSelect, H::Selection},
    Command{K::Filter_EraserTool, H::Brush},
    Command{K::Filter_DodgeTool, H::Brush},
    Command{K::Filter_BurnTool, H::Brush},
    Command{K::Filter_Airbrush, H::Brush},
    Command{K::Filter_SmudgeTool, H::Brush},
    Command{K::Filter_SoftenTool, H::Brush},
    Command{K::Filter_SharpenTool, H::Brush},
    Command{K::Filter_SaturationTool, H::Brush},
    Command{K::Filter_Redeye, H::Adjustment},
    Command{K::Filter_Crop, H::Adjustment},
    Command{K::Filter_Straight, H::Adjustment},
    Command{K::Filter_Irradiation, H::Effect},
    Command{K::Filter_Text, H::Adjustment},
    Command{K::Filter_Cal, H::Adjustment},
    Command{K::Filter_Patten, H::Adjustment},
    Command{K::Filter_Line, H::Shape},
    Command{K::Filter_Rectblank, H::Shape},
    Command{K::Filter_Ellipse, H::Shape},
    Command{K::Filter_Rectangle, H::Shape},
    Command{K::Filter_Circular, H::Shape},
    Command{K::Line_1, H::LineWidth},
    Command{K::Line_3, H::LineWidth},
    Command{K::Line_5, H::LineWidth},
    Command{K::Line_7, H::LineWidth},
    Command{K::Line_9, H::LineWidth},
    Command{K::Line_11, H::LineWidth},
    Command{K::Line_13, H::LineWidth},
    Command{K::Line_15, H::LineWidth},
    Command{K::Line_17, H::LineWidth},
    Command{K::Line_19, H::LineWidth},
    Command{K::Line_21, H::LineWidth},
    Command{K::Line_23, H::LineWidth},
    Command{K::Line_25, H::LineWidth},
    Command{K::Effect_Color, H::Adjustment},
    Command{K::Effect_Gamma, H::Adjustment},
    Command{K::Effect_Contrast, H::Adjustment},
    Command{K::Effect_Grey, H::Adjustment},
    Command{K::Effect_Card, H::Adjustment},
    Command{K::Effect_Blur, H::Filter},
    Command{K::Effect_Sharpe, H::Filter},
    Command{K::Effect_Soften, H::Filter},
    Command{K::Effect_Antialias, H::Filter},
    Command{K::Effect_Ripple, H::Filter},
    Command{K::Effect_Contour, H::Filter},
    Command{K::Effect_Bubble, H::Effect},
    Command{K::Effect_Firefly, H::Effect},
    Command{K::Effect_Rain, H::Effect},
    Command{K::Effect_Snow, H::Effect},
    Command{K::Effect_Flower, H::Effect},
    Command{K::Effect_Cloud, H::Effect},
    Command{K::Effect_Moon, H::Effect},
    Command{K::Effect_Lensflare, H::Effect},
    Command{K::Effect_Mist, H::Effect},
    Command{K::Create_Desktop, H::DesktopWallpaper},
    Command{K::Create_Desktopbg, H::DesktopColour},
    Command{K::Create_Scr, H::ScreensaverExport},
    Command{K::Help_Index, H::Help},
    Command{K::Help_Website, H::Help},
    Command{K::Help_User, H::Help},
    Command{K::Help_Update, H::Help},
    Command{K::Zoom_Small, H::ThumbnailSize},
    Command{K::Zoom_Normal, H::ThumbnailSize},
    Command{K::Zoom_Middle, H::ThumbnailSize},
    Command{K::Zoom_Large, H::ThumbnailSize},
    Command{K::Zoom_Maximal, H::ThumbnailSize},
    Command{K::Stamp_Brusheraser, H::Eraser},
    Command{K::Stamp_Pencileraser, H::Eraser},
    Command{K::Stamp_Blockeraser, H::Eraser},
    Command{K::Stamp_Size, H::StampSize},
    Command{K::Stamp_Send, H::SendToStampLibrary},
    Command{K::Stamp_Brush1, H::BrushSize},
    Command{K::Stamp_Brush2, H::BrushSize},
    Command{K::Stamp_Brush3, H::BrushSize},
    Command{K::Stamp_Brush4, H::BrushSize},
    Command{K::Stamp_Brush5, H::BrushSize},
    Command{K::Stamp_Brush6, H::BrushSize},
    Command{K::Stamp_Brush7, H::BrushSize},
    Command{K::Stamp_Brush8, H::BrushSize},
    Command{K::Stamp_Brush9, H::BrushSize},
    Command{K::Stamp_Brush10, H::BrushSize},
    Command{K::Stamp_Brush11, H::BrushSize},
    Command{K::Stamp_Undo, H::StampHistory},
    Command{K::Stamp_Redo, H::StampHistory},
    Command{K::Vector_Single, H::FillStyle},
    Command{K::Vector_Linear, H::FillStyle},
    Command{K::Vector_Radial, H::FillStyle},
};

// The stamp library's delete has its own button on the side panel; the star rows belong
// to a pop-up menu nothing opens.
constexpr std::array kDocumentedNoOps{K::File_Favdec, K::Star_Add, K::Star_Remove};

}  // namespace

std::span<const Command> Table() { return kCommands; }
std::span<const std::string_view> DocumentedNoOps() { return kDocumentedNoOps; }
std::span<const std::string_view> Pending() { return {}; }

const Command* FindKey(std::string_view key) {
  const auto found = std::find_if(kCommands.begin(), kCommands.end(), [&](const Command& c) { return c.key == key; });
  return found == kCommands.end() ? nullptr : &*found;
}

const Command* Find(const QString& key) {
  const QByteArray latin = key.toLatin1();
  // Latin-1 drops nothing a key holds; a key with other letters matches no row.
  if (QString::fromLatin1(latin) != key) {
    return nullptr;
  }
  return FindKey(std::string_view(latin.constData(), std::size_t(latin.size())));
}

namespace {

// Whether the command may run after its question about unsaved changes, if it has one.
// A key skips only the save-first question: leaving the picture asks by every route.
bool MayRun(Ask ask, Route route) {
  if (ask == Ask::Nothing || (ask == Ask::SaveFirst && route == Route::Key)) {
    return true;
  }
  const int answer = ModPublic::AskSaveChanges();
  return ask == Ask::SaveFirst || answer != Forms::vbCancel;
}

}  // namespace

bool Run(FrmMain& window, std::string_view key, Route route) {
  const Command* command = FindKey(key);
  if (command == nullptr) {
    return false;
  }
  if (!MayRun(command->ask, route)) {
    return true;
  }
  if (command->marksFirstCommand && route != Route::Menu) {
    window.ApplyFirstLRule(true);
  }
  command->handler(window, command->key);
  return true;
}

}  // namespace MenuCommands
