// The record Korvid keeps for each window. Nothing outside korvid/ sees it.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRegion>

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "korvid/input.h"
#include "korvid/internal/sync.h"

namespace korvid::detail {

class WindowWidget;
struct DrawState;     // drawing settings, owned by the drawing half
struct ControlState;  // control tables, owned by the controls half

inline constexpr int mouse_kind_count = mouse::last - mouse::first + 1;

struct ThreadEntry {
  std::thread::id id;
  std::shared_ptr<std::atomic<bool>> finished;  // null for threads we do not track
};

struct WindowData : std::enable_shared_from_this<WindowData> {
  WindowData();
  ~WindowData();

  std::atomic<int> id{-1};  // set when the window joins the table, after its widget exists
  std::atomic<int> width{0};
  std::atomic<int> height{0};
  int left = 0;
  int top = 0;
  bool double_buffer = false;
  bool exit_on_close = true;
  std::thread::id creator_thread;

  std::mutex title_lock;
  std::string title;

  // Pages: QImages the size of the largest client area, made on first use.
  // `page_lock` orders drawing on them against painting from them.
  FairMutex page_lock;
  QSize page_size;
  std::array<std::unique_ptr<QImage>, 4> pages;
  std::atomic<int> visual_page{0};
  std::atomic<int> active_page{0};
  std::atomic<bool> refreshing{true};

  // Areas of the visual page waiting to be repainted, and whether a repaint
  // request is already on its way to the window thread.
  std::mutex dirty_lock;
  QRegion dirty;
  bool repaint_posted = false;
  std::uint64_t repaint_requests = 0;  // areas marked so far, for tests

  AutoResetEvent idle_event;

  // Input, written by the window thread and read by the program's threads.
  std::mutex input_lock;
  std::array<std::deque<QPoint>, mouse_kind_count> mouse_queue;  // oldest at the front
  std::array<bool, mouse_kind_count> mouse_queue_all{};
  std::array<MouseHandler, mouse_kind_count> mouse_handler;
  int mouse_x = 0;
  int mouse_y = 0;
  std::deque<unsigned char> keys;  // oldest at the front
  std::condition_variable key_event;
  // Wheel movement short of a whole notch (120): touchpads and smooth wheels
  // send small steps that only add up to notches. Window thread only.
  int wheel_remainder = 0;
  KeyHandler key_handler;
  std::function<void()> resize_handler;
  std::function<void()> close_callback;
  std::function<int()> system_close_callback;
  // Let Tab and Shift+Tab move the focus between controls.
  std::atomic<bool> dialog_hotkeys{false};

  // The threads that belong to the window: the one that opened it, the window
  // thread, and each callback thread (ended ones are pruned).
  std::mutex threads_lock;
  std::vector<ThreadEntry> threads;

  // Set on the window thread when the user closed an exit-on-close window; the
  // program thread ends the process at its next library call.
  std::atomic<bool> closing{false};
  std::atomic<bool> destroyed{false};
  // How long the program thread gets to end the process after that before the
  // library ends it itself (window-thread only).
  std::chrono::milliseconds close_grace{2000};

  // Counts the paints of the window, so a caller can wait until a change has
  // reached the screen.
  std::mutex frames_lock;
  std::condition_variable frame_painted;
  std::uint64_t frames_painted = 0;

  // Window-thread only.
  WindowWidget* widget = nullptr;
  int large_icon = -1;  // icon resources; negative: none
  int small_icon = -1;

  std::unique_ptr<DrawState> draw;
  std::unique_ptr<ControlState> controls;
};

// The active page's image, made on first use. Call with `page_lock` held.
QImage& active_page_image(WindowData& window);
QImage& page_image(WindowData& window, int page);

// Frees the pages of a closed window. Takes `page_lock`.
void release_pages(WindowData& window);

// Marks a rectangle of the active page (device pixels) for repainting; it only
// reaches the screen when the active page is the visual one and refreshing is on.
void refresh_device_rect(WindowData& window, const QRect& rect, bool ignore_refreshing = false);
// Repaints the whole window.
void repaint_all(WindowData& window);

// Runs `fn` on a new short-lived thread that counts as one of the window's
// threads (`getsignallingwindow`), so the window thread never waits for it.
void start_callback_thread(const std::shared_ptr<WindowData>& window, std::function<void()> fn);

}  // namespace korvid::detail
