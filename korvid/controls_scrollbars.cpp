// Scroll bars with a range and a page: the thumb covers `page` positions, so
// the bar stops at maximum - page + 1. Qt's slider range is the range of
// positions the thumb can take, so the bar keeps the program's own range and
// page and gives Qt the reachable part.
//
// The callback runs on the window thread with the new position, for every
// step, page, drag and release the user makes.
#include <QScrollBar>

#include <algorithm>

#include "korvid/controls.h"
#include "korvid/internal/control_state.h"
#include "korvid/internal/window_data.h"

namespace korvid {
namespace {

using detail::Family;
using detail::WindowData;

class ScrollBar final : public detail::Contained<QScrollBar> {
 public:
  ScrollBar(Qt::Orientation orientation, QWidget* parent) : Contained<QScrollBar>(orientation, parent) {
    setSingleStep(1);
    apply();
  }

  void set_range(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    apply();
  }

  void set_page(int page) {
    page_ = page;
    apply();
  }

 private:
  void apply() {
    const long long span = static_cast<long long>(maximum_) - minimum_ + 1;
    const int page = static_cast<int>(std::clamp<long long>(page_, 0, span));
    const int last = static_cast<int>(std::max<long long>(minimum_, maximum_ - std::max(page - 1, 0)));
    setPageStep(page);
    setRange(minimum_, last);  // also brings the position back into range
  }

  int minimum_ = 0;
  int maximum_ = 100;
  int page_ = 10;
};

// Reports the bar's position to its callback. The position is settled first,
// so a callback that asks for it gets the value it was given.
void report(QScrollBar& bar, const std::weak_ptr<WindowData>& weak, int index) {
  auto window = weak.lock();
  if (!window) return;
  bar.setValue(bar.sliderPosition());
  if (detail::ScrollCallback callback = detail::control_scroll_callback(*window, index)) {
    callback(bar.value());
  }
}

void connect_scroll(QWidget& widget, const std::weak_ptr<WindowData>& window, int index) {
  auto& bar = static_cast<QScrollBar&>(widget);
  // `actionTriggered` is the user's (arrows, page clicks, keys, wheel, drag);
  // setValue from the program never emits it.
  QObject::connect(&bar, &QAbstractSlider::actionTriggered, &bar, [&bar, window, index](int action) {
    if (action != QAbstractSlider::SliderNoAction) report(bar, window, index);
  });
  QObject::connect(&bar, &QAbstractSlider::sliderReleased, &bar,
                   [&bar, window, index] { report(bar, window, index); });
}

template <class Fn>
void with_bar(int id, Fn&& fn) {
  detail::act_on_control<ScrollBar>(Family::scroll_bar, id, std::forward<Fn>(fn));
}

}  // namespace

int createscrollbar(int x, int y, int width, int height, bool vertical, ScrollCallback callback) {
  auto make = [vertical](WindowData&, QWidget& parent) -> QWidget* {
    return new ScrollBar(vertical ? Qt::Vertical : Qt::Horizontal, &parent);
  };
  return detail::create_control(Family::scroll_bar, QRect(x, y, width, height), make, {},
                                std::move(callback), connect_scroll);
}

void setscrollrange(int id, int minimum, int maximum) {
  with_bar(id, [&](ScrollBar& bar) { bar.set_range(minimum, maximum); });
}

void setscrollpagesize(int id, int page) {
  with_bar(id, [&](ScrollBar& bar) { bar.set_page(page); });
}

void setscrollposition(int id, int position) {
  with_bar(id, [&](ScrollBar& bar) { bar.setValue(position); });
}

int getscrollposition(int id) {
  return detail::query_control<ScrollBar>(Family::scroll_bar, id, [](ScrollBar& bar) {
           return bar.value();
         }).value_or(-1);
}

void removescrollbar(int id) { detail::remove_control(Family::scroll_bar, id); }

}  // namespace korvid
