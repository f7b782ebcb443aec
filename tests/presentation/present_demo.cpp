// A developer's way into the presentation before the program's own start-up
// exists: presents the script file named on the command line (or a short
// built-in one) in a window of its own, in real time, and says how it ended.
#include <cstdio>
#include <string>

#include "app/presentation_loop.h"
#include "app/program_events.h"
#include "app/render/kv_render.h"
#include "app/script_file.h"
#include "korvid/korvid.h"

namespace {

veltrim::Script built_in_script() {
  veltrim::Script script;
  for (const auto& [title, seconds] : {std::pair{"Welcome", 20}, std::pair{"The middle part", 40}}) {
    veltrim::Segment segment;
    segment.set_title(title);
    segment.set_time_number(seconds);
    segment.set_content("Click the dial to pause; Exit works while paused.\n"
                        "* The names below the dial lead to the neighbours.\n"
                        "=> https://example.org A link");
    script.script_add_segment(std::move(segment));
  }
  return script;
}

}  // namespace

int main(int argc, char** argv) {
  const int window = korvid::initwindow(800, 600, "Veltrim", korvid::default_position, korvid::default_position, true,
                                        true);
  if (window < 0) return 1;
  veltrim::ProgramEvents& events = veltrim::program_events();
  events.init_event_mutex();
  korvid::registermousehandler(korvid::mouse::left_up, [&events](int x, int y) { events.mouse_button_event(x, y); });
  korvid::enableresize([&events] { events.resize_event(); });
  veltrim::Korvid_renderer renderer(events);
  renderer.initialize(window);

  veltrim::Script script = built_in_script();
  if (argc == 2) {
    veltrim::Load_status status{};
    script = veltrim::load_script(argv[1], status);
  }
  veltrim::WindowClock clock;
  const int result = veltrim::run_presentation(script, renderer, veltrim::initial_preferences(korvid::scaledpi),
                                               clock, events);
  std::printf("result %d, title %s\n", result, korvid::getwindowtitle().c_str());
  std::fflush(stdout);
  korvid::closewindow();
  return 0;
}
