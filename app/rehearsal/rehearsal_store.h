// Where rehearsals are kept: one folder per script inside the rehearsals
// folder, one CSV file per run named by the time the run started.
//
//   rehearsals/talk-1a2b3c4d/2024-05-01T18-30-00.csv
//
// A script's folder is named by its file's stem and the FNV-1a hash (32 bits,
// eight lower-case hexadecimal digits) of the bytes of its absolute path, so
// two scripts called talk.gmi in different folders keep their runs apart.
// Untitled scripts share the folder "untitled".
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/rehearsal/rehearsal.h"
#include "app/rehearsal/rehearsal_recorder.h"
#include "app/script/write_file.h"

namespace veltrim {

// FNV-1a, 32 bits: offset basis 2166136261, prime 16777619.
std::uint32_t fnv1a_32(std::string_view bytes);

// The folder inside `rehearsals` that keeps the runs of `script_file` (empty:
// an untitled script).
std::filesystem::path rehearsal_folder(const std::filesystem::path& rehearsals, std::string_view script_file);

// "2024-05-01T18-30-00.csv": `started` in local time.
std::string rehearsal_file_name(Wall_time started);

// Writes the run into `folder`, made when missing, so that a failure leaves no
// part of the file behind; the reason says why it failed.
WriteResult save_rehearsal(const std::filesystem::path& folder, Wall_time started, const Rehearsal& run);

// The runs kept in `folder`, oldest first. Files that are not rehearsals are
// passed over.
std::vector<Rehearsal> load_rehearsals(const std::filesystem::path& folder);

// The newest run kept in `folder` other than the one that started at
// `started`, which may be there already, kept when the close box was pressed.
std::optional<Rehearsal> previous_rehearsal(const std::filesystem::path& folder, Wall_time started);

}  // namespace veltrim
