// Changes the user has not saved are never dropped without asking.
#pragma once

#include "app/script/script.h"

namespace veltrim {

// The question asked before New, Open..., Import... or closing the window drops a
// changed script: "Discard the unsaved changes to <name>?".
std::string discard_question(const Script& script);

// True when the script has nothing unsaved, or the user agreed to drop it.
bool confirm_discard_changes(const Script& script);

// The window's close box: ends the program when nothing would be lost or the
// user agrees; otherwise returns and everything stays as it was.
void end_program_if_confirmed(const Script& script);

}  // namespace veltrim
