// A script: the segments of a presentation in order (indices from 1) and the
// name of the file it came from or was last saved to.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/script/write_file.h"
#include "app/script/segment.h"

namespace veltrim {

// What became of a save: written, or the reason it failed, for the user to read.
using Save_result = WriteResult;

class Script {
 public:
  // The file name, without trailing blanks; empty for an untitled script.
  const std::string& filename() const { return filename_; }
  void set_filename(std::string_view name);

  std::span<Segment> segments() { return segments_; }
  std::span<const Segment> segments() const { return segments_; }
  // The segment at `index`, from 1.
  Segment& segment(std::int32_t index) { return segments_.at(static_cast<std::size_t>(index - 1)); }
  const Segment& segment(std::int32_t index) const { return segments_.at(static_cast<std::size_t>(index - 1)); }

  // No file name and no segments.
  void script_empty();
  bool script_is_empty() const { return segments_.empty(); }
  std::int32_t script_number_segments() const { return static_cast<std::int32_t>(segments_.size()); }
  // Sum of the lengths from segment `from` to the last; 0 beyond the last.
  std::int32_t script_runtime(std::int32_t from = 1) const;
  // After an import: forgets the file name, so that the next save asks for
  // one. Nothing of an imported script is on disk as a script yet, so one with
  // segments counts as unsaved until it is saved.
  void script_set_untitled() {
    filename_.clear();
    if (!segments_.empty()) changed_ = true;
  }

  // Appends the segment, or a "New Segment" when none is given.
  void script_add_segment(std::optional<Segment> segment = std::nullopt);
  // Appends an empty 60-second segment titled "Segment #" and its index.
  void script_add_new_segment();
  // Removes the segment; later ones move up. An index out of range changes nothing.
  void script_remove_segment(std::int32_t index);
  // Exchanges two segments when both indices are in range.
  void script_swap_segments(std::int32_t i, std::int32_t j);
  void script_move_segment_up(std::int32_t index) { script_swap_segments(index - 1, index); }
  void script_move_segment_down(std::int32_t index) { script_swap_segments(index, index + 1); }
  // Rebuilds the lines of every segment that has content.
  void script_update();

  // Writes the script file (see script_file.h) so that a crash or a full disk
  // never leaves half a script. A given name becomes the script's file name
  // even when nothing is written; a script without segments writes nothing.
  Save_result script_save(std::optional<std::string_view> filename = std::nullopt);

  // Whether the script changed since it was loaded or last saved, so that
  // nothing is dropped without asking. Edits mark it; a successful save clears it.
  bool changed() const { return changed_; }
  void mark_changed() { changed_ = true; }
  void mark_saved() { changed_ = false; }

 private:
  std::string filename_;
  bool changed_ = false;
  std::vector<Segment> segments_;
};

}  // namespace veltrim
