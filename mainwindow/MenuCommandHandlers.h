#pragma once
// The dispatcher's handlers, one function per family of commands; the table in
// MenuCommands.cpp names them by key.

#include <optional>
#include <string_view>

#include <QString>

class FrmMain;

namespace MenuCommands::Handlers {

// File and Edit commands.
void Save(FrmMain& window, std::string_view key);
void Exit(FrmMain& window, std::string_view key);
void Print(FrmMain& window, std::string_view key);
void Undo(FrmMain& window, std::string_view key);
void Redo(FrmMain& window, std::string_view key);
void SelectAll(FrmMain& window, std::string_view key);
void Deselect(FrmMain& window, std::string_view key);
void ClearSelection(FrmMain& window, std::string_view key);
void Copy(FrmMain& window, std::string_view key);
void Paste(FrmMain& window, std::string_view key);
void Inverse(FrmMain& window, std::string_view key);
void Rasterize(FrmMain& window, std::string_view key);
void Delete(FrmMain& window, std::string_view key);
void ResizeImage(FrmMain& window, std::string_view key);
void ResizeCanvas(FrmMain& window, std::string_view key);
void PanelSection(FrmMain& window, std::string_view key);

// The file task dialog's commands. The name typed for a library stamp arrives once the
// dialog has closed.
void SendToStampLibrary(FrmMain& window, std::string_view key);
void StampLibraryNameChosen(FrmMain& window, const QString& name);
// The library file of a stamp name: none for a name that is not a plain file name, or
// when the user keeps a stamp of that name.
std::optional<QString> LibraryFileFor(const QString& name);
// The file dialogs and the new picture.
void FileCommand(FrmMain& window, std::string_view key);
void FileTask(FrmMain& window, std::string_view key);

// Browse commands.
void FullView(FrmMain& window, std::string_view key);
void Fit(FrmMain& window, std::string_view key);
void Step(FrmMain& window, std::string_view key);
void Sort(FrmMain& window, std::string_view key);
void Star(FrmMain& window, std::string_view key);
void Slideshow(FrmMain& window, std::string_view key);
void Properties(FrmMain& window, std::string_view key);
void ThumbnailPane(FrmMain& window, std::string_view key);

// Create and Help commands.
void DesktopWallpaper(FrmMain& window, std::string_view key);
void DesktopColour(FrmMain& window, std::string_view key);
void ScreensaverExport(FrmMain& window, std::string_view key);
void Help(FrmMain& window, std::string_view key);

// Pop-up menu commands.
void ThumbnailSize(FrmMain& window, std::string_view key);
void FillStyle(FrmMain& window, std::string_view key);
void BrushSize(FrmMain& window, std::string_view key);
void Eraser(FrmMain& window, std::string_view key);
void StampSize(FrmMain& window, std::string_view key);
void StampHistory(FrmMain& window, std::string_view key);

// Image Tool and Effect commands.
void Shape(FrmMain& window, std::string_view key);
void LineWidth(FrmMain& window, std::string_view key);
void Selection(FrmMain& window, std::string_view key);
void Brush(FrmMain& window, std::string_view key);
void Adjustment(FrmMain& window, std::string_view key);
void Filter(FrmMain& window, std::string_view key);
void Effect(FrmMain& window, std::string_view key);

}  // namespace MenuCommands::Handlers
