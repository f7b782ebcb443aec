// Builds small .pptx decks for the slidetext tests and benchmark: zip archives
// written with libzip from XML parts made here, so every structural feature the
// converter relies on (order through relationships, hidden slides, notes,
// placeholders, tables) is under the test's control.
#pragma once

#include <zip.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace deck {

inline const std::string xml_head = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
inline const std::string ns =
    " xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\""
    " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\""
    " xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\"";

// One paragraph. level >= 0 adds <a:pPr lvl=...>; bullet 1 an explicit
// <a:buChar>, -1 an explicit <a:buNone>.
inline std::string para(const std::string& text, int level = -1, int bullet = 0) {
  std::string p = "<a:p>";
  if (level >= 0 || bullet != 0) {
    p += "<a:pPr" + (level >= 0 ? " lvl=\"" + std::to_string(level) + "\"" : std::string()) + ">";
    p += bullet > 0 ? "<a:buChar char=\"&#8226;\"/>" : bullet < 0 ? "<a:buNone/>" : "";
    p += "</a:pPr>";
  }
  if (!text.empty()) p += "<a:r><a:t>" + text + "</a:t></a:r>";
  return p + "</a:p>";
}

// A shape; ph_type "" for a text box, "obj" for a placeholder without a type.
inline std::string shape(const std::string& ph_type, const std::string& paragraphs) {
  const std::string ph = ph_type.empty()    ? ""
                         : ph_type == "obj" ? "<p:ph idx=\"1\"/>"
                                            : "<p:ph type=\"" + ph_type + "\"/>";
  return "<p:sp><p:nvSpPr><p:cNvPr id=\"2\" name=\"S\"/><p:cNvSpPr/><p:nvPr>" + ph +
         "</p:nvPr></p:nvSpPr><p:spPr/><p:txBody><a:bodyPr/>" + paragraphs + "</p:txBody></p:sp>";
}

inline std::string title(const std::string& text, const std::string& type = "title") { return shape(type, para(text)); }

// A table; a cell "<hmerge>" is one covered by a horizontal merge.
inline std::string table(const std::vector<std::vector<std::string>>& rows, bool first_row_header) {
  std::string t = "<p:graphicFrame><p:nvGraphicFramePr><p:nvPr/></p:nvGraphicFramePr><a:graphic><a:graphicData>";
  t += first_row_header ? "<a:tbl><a:tblPr firstRow=\"1\"/>" : "<a:tbl><a:tblPr/>";
  for (const auto& row : rows) {
    t += "<a:tr>";
    for (const auto& cell : row)
      t += cell == "<hmerge>" ? "<a:tc hMerge=\"1\"><a:txBody>" + para("x") + "</a:txBody></a:tc>"
                              : "<a:tc><a:txBody>" + para(cell) + "</a:txBody></a:tc>";
    t += "</a:tr>";
  }
  return t + "</a:tbl></a:graphicData></a:graphic></p:graphicFrame>";
}

inline std::string slide(const std::string& shapes, bool hidden = false) {
  return xml_head + "<p:sld" + ns + (hidden ? " show=\"0\"" : "") + "><p:cSld><p:spTree>" + shapes +
         "</p:spTree></p:cSld></p:sld>";
}

// A notes slide: the slide image, the body placeholder with the paragraphs, and
// a slide-number placeholder whose text must never appear.
inline std::string notes(const std::string& paragraphs, const std::string& slide_number = "7") {
  return xml_head + "<p:notes" + ns + "><p:cSld><p:spTree>" + shape("sldImg", "") + shape("body", paragraphs) +
         shape("sldNum", para(slide_number)) + "</p:spTree></p:cSld></p:notes>";
}

struct Slide {
  std::string file;   // part name under ppt/slides/, e.g. "slide3.xml"
  std::string xml;    // the slide part
  std::string notes;  // the notes part, empty for none
};

struct Part {
  std::string name;
  std::string data;
  bool encrypt = false;  // AES-256 with the password "secret"
};

// A relationships part from {id, type, target} triples.
inline std::string relationships(const std::vector<std::vector<std::string>>& rels) {
  std::string x = xml_head + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  for (const auto& r : rels)
    x += "<Relationship Id=\"" + r[0] + "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/" +
         "relationships/" + r[1] + "\" Target=\"" + r[2] + "\"/>";
  return x + "</Relationships>";
}

// The parts of a deck whose slides come in the given order. The relationship
// ids (rId100 first, then downwards) run against the slide order.
inline std::vector<Part> deck_parts(const std::vector<Slide>& slides) {
  std::vector<Part> parts = {{"_rels/.rels", relationships({{"rId1", "officeDocument", "ppt/presentation.xml"}})}};
  std::string list;
  std::vector<std::vector<std::string>> rels;
  for (std::size_t i = 0; i < slides.size(); ++i) {
    const std::string rid = "rId" + std::to_string(100 - i), file = slides[i].file;
    list += "<p:sldId id=\"" + std::to_string(256 + i) + "\" r:id=\"" + rid + "\"/>";
    rels.push_back({rid, "slide", "slides/" + file});
    parts.push_back({"ppt/slides/" + file, slides[i].xml});
    std::vector<std::vector<std::string>> slide_rels = {{"rId1", "slideLayout", "../slideLayouts/slideLayout1.xml"}};
    if (!slides[i].notes.empty()) {
      slide_rels.push_back({"rId2", "notesSlide", "../notesSlides/notes_for_" + file});
      parts.push_back({"ppt/notesSlides/notes_for_" + file, slides[i].notes});
    }
    parts.push_back({"ppt/slides/_rels/" + file + ".rels", relationships(slide_rels)});
  }
  parts.push_back({"ppt/presentation.xml", xml_head + "<p:presentation" + ns + "><p:sldIdLst>" + list +
                                               "</p:sldIdLst></p:presentation>"});
  parts.push_back({"ppt/_rels/presentation.xml.rels", relationships(rels)});
  return parts;
}

inline std::string& data_of(std::vector<Part>& parts, const std::string& name) {
  for (Part& p : parts)
    if (p.name == name) return p.data;
  throw std::logic_error("no part " + name);
}

inline void remove(std::vector<Part>& parts, const std::string& name) {
  std::erase_if(parts, [&](const Part& p) { return p.name == name; });
}

inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void write_zip(const std::string& path, const std::vector<Part>& parts) {
  int error = 0;
  zip_t* z = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (z == nullptr) throw std::runtime_error("zip_open failed");
  for (const Part& part : parts) {
    zip_source_t* src = zip_source_buffer(z, part.data.data(), part.data.size(), 0);
    const zip_int64_t index = zip_file_add(z, part.name.c_str(), src, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
    if (index < 0) zip_source_free(src);
    if (index < 0 || (part.encrypt && zip_file_set_encryption(z, index, ZIP_EM_AES_256, "secret") != 0)) {
      zip_discard(z);
      throw std::runtime_error("cannot add " + part.name);
    }
  }
  if (zip_close(z) != 0) {
    zip_discard(z);
    throw std::runtime_error("zip_close failed");
  }
}

// A temporary folder removed with everything in it when the object goes.
struct TempDir {
  std::string folder = (std::filesystem::temp_directory_path() / "veltrim-tools-XXXXXX").string();
  TempDir() { ::mkdtemp(folder.data()); }
  ~TempDir() { std::filesystem::remove_all(folder); }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return folder; }
  std::string file(const std::string& name) const { return folder + "/" + name; }
};

inline std::string zip_bytes(const std::vector<Part>& parts) {
  TempDir dir;
  write_zip(dir.file("deck.pptx"), parts);
  return read_file(dir.file("deck.pptx"));
}

}  // namespace deck
