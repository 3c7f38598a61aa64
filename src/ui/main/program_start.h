#pragma once
// The first step of the window program: its program texts. Without them it cannot say anything
// sensible, so a failure is explained in a stop box (empty title, OK) and the program ends.
#include <string_view>

#include "lang/program_text.h"
#include "platform/message_service.h"

namespace qv {

// Loads qrv_e.dat from `folder` into `texts`. On failure shows the load message with the stop
// icon and returns false; the caller then ends with a non-zero exit status.
bool LoadProgramTextOrExplain(ProgramTextStore& texts, std::string_view folder, MessageService& messages);

}  // namespace qv
