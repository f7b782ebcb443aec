#include "app/program.h"

#include <cstdio>

#include "app/cli.h"
#include "app/events/event_codes.h"
#include "app/panel_sequence.h"
#include "app/system/platform.h"
#include "app/system/prefs.h"
#include "app/present/presentation_clock.h"
#include "app/events/program_events.h"
#include "app/events/program_keys.h"
#include "app/present/kv_render.h"
#include "korvid/korvid.h"

namespace veltrim {
namespace {

constexpr int program_icon = 10008;
constexpr int white = 0xFFFFFF;

}  // namespace

int open_program_window(ProgramEvents& events) {
  korvid::setapplicationdpiaware();
  const int window = korvid::initwindow(korvid::scaledpi(800), korvid::scaledpi(600), "Veltrim",
                                        korvid::default_position, korvid::default_position, true, true);
  if (window < 0) return window;
  korvid::setwindowlargeicon(program_icon);
  korvid::setwindowsmallicon(program_icon);
  events.init_event_mutex();
  korvid::enableresize([&events] { events.resize_event(); });
  korvid::registermousehandler(korvid::mouse::left_up, [&events](int x, int y) { events.mouse_button_event(x, y); });
  korvid::registerkeyhandler([&events](const korvid::KeyPress& key) { return offer_key(events, key); });
  // The close box asks before unsaved changes are lost: the question is put on
  // the program thread, which ends the program itself when the user agrees.
  korvid::setwindowsystemclosecallback([&events] {
    events.set_event(event::close_requested);
    return 0;
  });
  return window;
}

namespace {

void clear_both_pages() {
  korvid::setbkcolor(white);
  korvid::clearviewport();
  korvid::swapbuffers();
  korvid::clearviewport();
}

Preferences load_user_preferences(const Platform& platform) {
  ensure_settings_directory(platform.environment);
  return load_preferences(generate_prefs_filename(platform.environment),
                          [](int size) { return korvid::scaledpi(size); });
}

Script open_command_line_file(const std::optional<std::string>& file, const Preferences& preferences) {
  if (!file) return Script();
  Load_status status;
  Script script = load_command_line_file(*file, status, effective_words_per_minute(preferences));
  if (!status.ok()) {
    std::fprintf(stderr, "veltrim: cannot open %s: %s\n", file->c_str(), status.reason.c_str());
    return Script();
  }
  return script;
}

}  // namespace

int run_program(const std::optional<std::string>& file) {
  const Platform platform = current_platform();
  ProgramEvents events;
  const int window = open_program_window(events);
  if (window < 0) {
    std::fprintf(stderr, "veltrim: cannot open a window\n");
    return 1;
  }
  Preferences preferences = load_user_preferences(platform);
  clear_both_pages();
  Korvid_renderer renderer(events);
  renderer.initialize(window);
  Script script = open_command_line_file(file, preferences);
  WindowClock clock;
  ProgramState state{window, script, preferences, renderer, events, clock, platform};
  run_panel_sequence(state);
  korvid::closewindow(window);
  return 0;
}

}  // namespace veltrim
