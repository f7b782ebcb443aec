// Korvid: Veltrim's window and graphics library.
//
// An immediate-mode drawing interface with off-screen pages, native controls
// addressed by integer identifiers, dialogs, a clipboard, images, an idle wait
// and mutexes. Everything here uses standard C++ types only; the Qt world stays
// inside korvid/.
#pragma once

#include "korvid/controls.h"
#include "korvid/desktop.h"
#include "korvid/dialogs.h"
#include "korvid/draw.h"
#include "korvid/input.h"
#include "korvid/screen.h"
#include "korvid/window.h"
