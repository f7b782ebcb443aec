#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <optional>

#include "korvid/dialogs.h"
#include "korvid/internal/draw_state.h"
#include "korvid/internal/file_dialog.h"
#include "korvid/internal/image_complete.h"
#include "korvid/internal/window_data.h"
#include "korvid/internal/window_table.h"

namespace korvid {
namespace {

// Anything larger is refused before it is decoded: a few bytes of header must
// not be able to claim gigabytes of memory.
constexpr std::int64_t max_image_pixels = 100'000'000;
// Qt's own ceiling on one decode, in MiB: room for the largest picture we
// accept at four bytes a pixel.
constexpr int decode_limit_mib = 400;
// Files are read whole before decoding; none we accept needs more than this
// (an uncompressed 100-megapixel bitmap at four bytes a pixel, with room to spare).
constexpr qint64 max_file_bytes = qint64{512} << 20;

bool accepted_format(const QByteArray& format) {
  return format == "bmp" || format == "png" || format == "jpeg" || format == "jpg" ||
         format == "gif";
}

// The whole file, or nothing when it cannot be read or is larger than any
// picture we accept could need.
std::optional<QByteArray> read_file(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > max_file_bytes) return std::nullopt;
  QByteArray bytes = file.readAll();
  if (bytes.size() != file.size()) return std::nullopt;
  return bytes;
}

// The picture in `path` (the first frame of an animation), or a null image
// when the file is missing, of another kind, incomplete or too large. The
// temporary Qt objects here live and die on the calling thread, which keeps
// the window thread free to paint while a large picture decodes.
QImage read_picture(const QString& path) {
  static std::once_flag limit_set;
  std::call_once(limit_set, [] { QImageReader::setAllocationLimit(decode_limit_mib); });
  std::optional<QByteArray> bytes = read_file(path);
  if (!bytes) return {};
  const std::string_view all(bytes->constData(), static_cast<std::size_t>(bytes->size()));
  if (!detail::picture_complete(all)) return {};
  QBuffer buffer(&*bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  if (!reader.canRead() || !accepted_format(reader.format())) return {};
  const QSize size = reader.size();
  if (!size.isValid() || std::int64_t{size.width()} * size.height() > max_image_pixels) return {};
  QImage image;
  if (!reader.read(&image) || image.isNull()) return {};
  if (std::int64_t{image.width()} * image.height() > max_image_pixels) return {};
  return image;
}

struct Placement {
  QRectF target;  // on the page, inside it
  QRectF source;  // the part of the picture that lands there
};

// Where a picture of `picture` size stretched to `width` x `height` at (x, y)
// lands on a page of `page` size. Worked in 64 bits and clipped here, so a
// rectangle reaching far past the page (the default corner) neither overflows
// nor asks the painter for an enormous scale.
std::optional<Placement> place(QSize picture, QSize page, std::int64_t x, std::int64_t y,
                               std::int64_t width, std::int64_t height) {
  const std::int64_t left = std::max<std::int64_t>(x, 0);
  const std::int64_t top = std::max<std::int64_t>(y, 0);
  const std::int64_t right = std::min<std::int64_t>(x + width, page.width());
  const std::int64_t bottom = std::min<std::int64_t>(y + height, page.height());
  if (left >= right || top >= bottom) return std::nullopt;
  const double scale_x = static_cast<double>(picture.width()) / static_cast<double>(width);
  const double scale_y = static_cast<double>(picture.height()) / static_cast<double>(height);
  Placement placement;
  placement.target = QRectF(static_cast<double>(left), static_cast<double>(top),
                            static_cast<double>(right - left), static_cast<double>(bottom - top));
  placement.source = QRectF(
      static_cast<double>(left - x) * scale_x, static_cast<double>(top - y) * scale_y,
      static_cast<double>(right - left) * scale_x, static_cast<double>(bottom - top) * scale_y);
  return placement;
}

std::optional<std::string> ask_for_image() {
  detail::FileRequest request;
  request.must_exist = true;
  request.title = "Open File";
  request.filters = {"Image files (*.bmp *.gif *.jpg *.jpeg *.png *.BMP *.GIF *.JPG *.JPEG *.PNG)"};
  return detail::choose_file(request);
}

}  // namespace

bool readimagefile(std::string_view filename, int left, int top, int right, int bottom) {
  auto window = detail::current_window_shared();
  std::string path(filename);
  if (path.empty()) {
    std::optional<std::string> chosen = ask_for_image();
    if (!chosen) return false;
    path = std::move(*chosen);
  }
  const QImage picture = read_picture(QString::fromStdString(path));
  if (picture.isNull()) return false;

  // The picture's corner is the first corner given, whichever way round the
  // rectangle was written; both corners count, hence the + 1.
  const std::int64_t width = std::abs(std::int64_t{left} - right) + 1;
  const std::int64_t height = std::abs(std::int64_t{top} - bottom) + 1;
  QRect touched;
  {
    std::lock_guard lock(window->page_lock);
    QImage& page = detail::active_page_image(*window);
    const QPoint origin = detail::page_origin(*window);
    const auto placement = place(picture.size(), page.size(), std::int64_t{left} + origin.x(),
                                 std::int64_t{top} + origin.y(), width, height);
    if (placement) {
      QPainter painter(&page);
      painter.drawImage(placement->target, picture, placement->source);
      touched = placement->target.toRect();
    }
  }
  if (!touched.isEmpty()) detail::refresh_device_rect(*window, touched, true);
  return true;
}

}  // namespace korvid
