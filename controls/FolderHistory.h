#pragma once
// The folders the user has visited: menu 12 of the command table, kept across runs in
// "History.tmp" in the data folder, one UTF-8 path per CR LF line, newest first.

#include <vector>

#include <QString>

class MenuModel;

namespace FolderHistory {

// The list never holds more folders than this after an addition; the oldest go first.
inline constexpr int Limit = 15;

// The history file of a data folder (given with its trailing separator).
QString HistoryFile(const QString& dataFolder);
// The paths of the file, oldest first. Lines are read whole, so a path may hold commas;
// empty lines are skipped. A missing or unreadable file gives no paths.
std::vector<QString> ReadHistoryFile(const QString& file);
// Appends one history row per path, in the order given.
void UpdateHistory(MenuModel& model, const std::vector<QString>& paths);
// Adds a folder as the newest row, unless a row holds exactly that path (Linux folders
// may differ only in letter case). Returns whether a row was added.
bool HistoryCreate(MenuModel& model, const QString& path);
// Rewrites the file with the history rows, newest first. A failed write leaves the old
// file as it was and returns false.
bool WriteHistoryFile(const QString& file, const MenuModel& model);

}  // namespace FolderHistory
