#include "app/rehearsal/rehearsal_csv.h"

#include <array>
#include <charconv>
#include <vector>

namespace veltrim {
namespace {

using Record = std::vector<std::string>;

constexpr std::size_t column_count = 9;
constexpr std::string_view total_label = "total";

// A field in quotes when it holds a comma, a quote or a line end; its quotes doubled.
std::string quoted(std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(field);
  std::string text = "\"";
  for (const char c : field) {
    if (c == '"') text += '"';
    text += c;
  }
  return text + '"';
}

void append_row(std::string& text, std::string_view index, const Rehearsal_row& row, std::int32_t pace) {
  text += index;
  text += ',' + quoted(row.title);
  for (const std::int32_t value : {row.planned, row.actual, row.added, row.taken, row.paused, row.words, pace}) {
    text += ',' + std::to_string(value);
  }
  text += '\n';
}

// Splits the text into records of fields. A quote opens a quoted field only at
// the field's start; inside, two quotes stand for one. An unclosed quote makes
// the text unreadable.
std::optional<std::vector<Record>> split_records(std::string_view text) {
  std::vector<Record> records;
  Record record;
  std::string field;
  bool in_quotes = false;
  bool field_begun = false;
  const auto end_field = [&] {
    record.push_back(std::move(field));
    field.clear();
    field_begun = false;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (in_quotes) {
      if (c != '"') {
        field += c;
      } else if (i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else {
        in_quotes = false;
      }
    } else if (c == '"' && !field_begun) {
      in_quotes = field_begun = true;
    } else if (c == ',') {
      end_field();
    } else if (c == '\n') {
      end_field();
      records.push_back(std::move(record));
      record.clear();
    } else if (c != '\r' || i + 1 >= text.size() || text[i + 1] != '\n') {
      field += c;
      field_begun = true;
    }
  }
  if (in_quotes) return std::nullopt;
  if (field_begun || !record.empty()) {
    end_field();
    records.push_back(std::move(record));
  }
  return records;
}

std::optional<std::int32_t> number(const std::string& field) {
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc() || end != field.data() + field.size() || field.empty()) return std::nullopt;
  return value;
}

std::optional<Rehearsal_row> parse_row(const Record& record) {
  if (record.size() != column_count) return std::nullopt;
  std::array<std::int32_t, 8> values{};
  for (std::size_t i = 0; i < values.size(); ++i) {
    const auto value = number(record[i == 0 ? 0 : i + 1]);
    if (!value) return std::nullopt;
    values[i] = *value;
  }
  if (values[0] < 1) return std::nullopt;
  return Rehearsal_row{values[0], record[1], values[1], values[2], values[3], values[4], values[5], values[6]};
}

Record header_fields() {
  Record fields;
  std::string_view rest = rehearsal_csv_header;
  for (std::size_t comma; (comma = rest.find(',')) != std::string_view::npos; rest.remove_prefix(comma + 1)) {
    fields.emplace_back(rest.substr(0, comma));
  }
  fields.emplace_back(rest);
  return fields;
}

}  // namespace

std::string rehearsal_csv(const Rehearsal& run) {
  std::string text(rehearsal_csv_header);
  text += '\n';
  for (const Rehearsal_row& row : run.rows) append_row(text, std::to_string(row.index), row, row.words_per_minute());
  append_row(text, total_label, run.total(), run.total_words_per_minute());
  return text;
}

std::optional<Rehearsal> parse_rehearsal_csv(std::string_view text) {
  const auto records = split_records(text);
  if (!records || records->empty() || records->front() != header_fields()) return std::nullopt;
  Rehearsal run;
  for (std::size_t i = 1; i < records->size(); ++i) {
    const Record& record = (*records)[i];
    if (!record.empty() && record.front() == total_label) break;
    auto row = parse_row(record);
    if (!row) return std::nullopt;
    run.rows.push_back(std::move(*row));
  }
  return run;
}

}  // namespace veltrim
