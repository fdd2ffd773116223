// The folder history reader: every input is a whole "History.tmp", read into the menu.
#include "controls/FolderHistory.h"
#include "controls/MenuModel.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString path = FuzzSupport::AsFile(data, size, "History.tmp");
  if (path.isEmpty()) {
    return 0;
  }
  MenuModel model;
  FolderHistory::UpdateHistory(model, FolderHistory::ReadHistoryFile(path));
  FolderHistory::HistoryCreate(model, QStringLiteral("/home/someone/Pictures"));
  return 0;
}
