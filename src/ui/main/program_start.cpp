#include "ui/main/program_start.h"

#include <QString>

namespace qv {

bool LoadProgramTextOrExplain(ProgramTextStore& texts, std::string_view folder, MessageService& messages) {
  const LoadResult loaded = LoadProgramText(texts, folder, kProgramTextFileName);
  if (loaded.ok) return true;
  messages.Show(nullptr, MessageRequest{QString(), QString::fromStdString(loaded.message), MessageIcon::Stop,
                                        MessageButtons::Ok, MessageAnswer::Ok});
  return false;
}

}  // namespace qv
