// The native window: paints the visual page and turns Qt's events into Korvid's
// mouse queues, key buffer, resize and close handling.
#pragma once

#include <QWidget>

#include <memory>

namespace korvid::detail {

struct WindowData;

class WindowWidget : public QWidget {
 public:
  explicit WindowWidget(std::weak_ptr<WindowData> data);

  // Offers a key pressed in the window (on `receiver`, the widget with the
  // focus) to the window's key handler; true when the handler took it.
  bool offer_key(const QKeyEvent& event, QWidget& receiver);

 protected:
  bool event(QEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  std::shared_ptr<WindowData> data() const { return data_.lock(); }
  std::weak_ptr<WindowData> data_;
};

// Destroys a window's widget and marks it destroyed. Window thread only.
void destroy_window_widget(WindowData& window);

}  // namespace korvid::detail
