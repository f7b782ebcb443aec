// Builds small .pptx decks for the slidetext tests and benchmark: zip archives
// written with libzip from XML parts made here, so every structural feature the
// converter relies on (presentation order through relationships, hidden slides,
// notes, placeholders, tables) is under the test's control.
#pragma once

#include <zip.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace deck {

inline const char* const ns =
    " xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\""
    " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\""
    " xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\"";

inline std::string escape(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

// One paragraph. level >= 0 adds <a:pPr lvl=...>; bullet: 0 none given,
// 1 explicit <a:buChar>, -1 explicit <a:buNone>.
inline std::string para(const std::string& text, int level = -1, int bullet = 0) {
  std::string p = "<a:p>";
  if (level >= 0 || bullet != 0) {
    p += "<a:pPr";
    if (level >= 0) p += " lvl=\"" + std::to_string(level) + "\"";
    p += ">";
    if (bullet > 0) p += "<a:buChar char=\"&#8226;\"/>";
    if (bullet < 0) p += "<a:buNone/>";
    p += "</a:pPr>";
  }
  if (!text.empty()) p += "<a:r><a:rPr lang=\"en-US\"/><a:t>" + escape(text) + "</a:t></a:r>";
  p += "<a:endParaRPr lang=\"en-US\"/></a:p>";
  return p;
}

// A shape; ph_type "" for a text box, "obj" for a typeless placeholder.
inline std::string shape(const std::string& ph_type, const std::string& paragraphs, int id = 2) {
  std::string ph;
  if (ph_type == "obj")
    ph = "<p:ph idx=\"1\"/>";
  else if (!ph_type.empty())
    ph = "<p:ph type=\"" + ph_type + "\"/>";
  return "<p:sp><p:nvSpPr><p:cNvPr id=\"" + std::to_string(id) + "\" name=\"Shape " +
         std::to_string(id) + "\"/><p:cNvSpPr" + (ph_type.empty() ? " txBox=\"1\"" : "") +
         "/><p:nvPr>" + ph + "</p:nvPr></p:nvSpPr><p:spPr/><p:txBody><a:bodyPr/><a:lstStyle/>" +
         paragraphs + "</p:txBody></p:sp>";
}

inline std::string title(const std::string& text, const std::string& type = "title") {
  return shape(type, para(text), 2);
}

inline std::string table(const std::vector<std::vector<std::string>>& rows, bool first_row_header) {
  std::string t =
      "<p:graphicFrame><p:nvGraphicFramePr><p:cNvPr id=\"9\" name=\"Table\"/><p:cNvGraphicFramePr/>"
      "<p:nvPr/></p:nvGraphicFramePr><p:xfrm/><a:graphic><a:graphicData "
      "uri=\"http://schemas.openxmlformats.org/drawingml/2006/table\"><a:tbl><a:tblPr";
  if (first_row_header) t += " firstRow=\"1\"";
  t += "/><a:tblGrid/>";
  for (const auto& row : rows) {
    t += "<a:tr h=\"100\">";
    for (const auto& cell : row) {
      if (cell == "<hmerge>") {
        t += "<a:tc hMerge=\"1\"><a:txBody><a:bodyPr/>" + para("") + "</a:txBody></a:tc>";
        continue;
      }
      t += "<a:tc><a:txBody><a:bodyPr/>" + para(cell) + "</a:txBody></a:tc>";
    }
    t += "</a:tr>";
  }
  t += "</a:tbl></a:graphicData></a:graphic></p:graphicFrame>";
  return t;
}

inline std::string slide(const std::string& shapes, bool hidden = false) {
  return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<p:sld") + ns +
         (hidden ? " show=\"0\"" : "") +
         "><p:cSld><p:spTree><p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/>"
         "</p:nvGrpSpPr><p:grpSpPr/>" +
         shapes + "</p:spTree></p:cSld><p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr></p:sld>";
}

// A notes slide: the slide image, the body placeholder with the given
// paragraphs, and a slide-number placeholder whose text must never appear.
inline std::string notes(const std::string& paragraphs, const std::string& slide_number = "7") {
  return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<p:notes") + ns +
         "><p:cSld><p:spTree><p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/>"
         "</p:nvGrpSpPr><p:grpSpPr/>"
         "<p:sp><p:nvSpPr><p:cNvPr id=\"2\" name=\"Slide Image\"/><p:cNvSpPr/><p:nvPr><p:ph "
         "type=\"sldImg\"/></p:nvPr></p:nvSpPr><p:spPr/></p:sp>" +
         shape("body", paragraphs, 3) +
         "<p:sp><p:nvSpPr><p:cNvPr id=\"4\" name=\"Slide Number\"/><p:cNvSpPr/><p:nvPr><p:ph "
         "type=\"sldNum\" idx=\"5\"/></p:nvPr></p:nvSpPr><p:spPr/><p:txBody><a:bodyPr/><a:p><a:fld "
         "id=\"{1}\" type=\"slidenum\"><a:t>" +
         slide_number + "</a:t></a:fld></a:p></p:txBody></p:sp></p:spTree></p:cSld></p:notes>";
}

struct Slide {
  std::string file;   // part name under ppt/slides/, e.g. "slide3.xml"
  std::string xml;    // the slide part
  std::string notes;  // the notes part, empty for none
};

struct Part {
  std::string name;
  std::string data;
  bool compress = true;
  bool encrypt = false;  // AES-256 with the password "secret"
};

// The parts of a deck whose slides come in the given order. The relationship
// ids are deliberately not in slide order, nor are the file names.
inline std::vector<Part> deck_parts(const std::vector<Slide>& slides) {
  std::vector<Part> parts;
  parts.push_back({"[Content_Types].xml",
                   "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types "
                   "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"><Default "
                   "Extension=\"xml\" ContentType=\"application/xml\"/></Types>"});
  parts.push_back({"_rels/.rels",
                   "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
                   "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship "
                   "Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                   "relationships/officeDocument\" Target=\"ppt/presentation.xml\"/></Relationships>"});
  std::string list;
  std::string rels =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
      "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  rels += "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
          "relationships/slideMaster\" Target=\"slideMasters/slideMaster1.xml\"/>";
  for (std::size_t i = 0; i < slides.size(); ++i) {
    const std::string rid = "rId" + std::to_string(100 - i);  // descending ids
    list += "<p:sldId id=\"" + std::to_string(256 + i) + "\" r:id=\"" + rid + "\"/>";
    rels += "<Relationship Id=\"" + rid +
            "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/slide\" "
            "Target=\"slides/" +
            slides[i].file + "\"/>";
    parts.push_back({"ppt/slides/" + slides[i].file, slides[i].xml});
    std::string slide_rels =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
        "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship "
        "Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
        "slideLayout\" Target=\"../slideLayouts/slideLayout1.xml\"/>";
    if (!slides[i].notes.empty()) {
      const std::string notes_file = "notes_for_" + slides[i].file;
      slide_rels += "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/"
                    "officeDocument/2006/relationships/notesSlide\" Target=\"../notesSlides/" +
                    notes_file + "\"/>";
      parts.push_back({"ppt/notesSlides/" + notes_file, slides[i].notes});
    }
    slide_rels += "</Relationships>";
    parts.push_back({"ppt/slides/_rels/" + slides[i].file + ".rels", slide_rels});
  }
  rels += "</Relationships>";
  parts.push_back({"ppt/presentation.xml",
                   std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                               "<p:presentation") +
                       ns +
                       "><p:sldMasterIdLst><p:sldMasterId id=\"2147483648\" r:id=\"rId1\"/>"
                       "</p:sldMasterIdLst><p:sldIdLst>" +
                       list +
                       "</p:sldIdLst><p:sldSz cx=\"9144000\" cy=\"6858000\"/><p:notesSz "
                       "cx=\"6858000\" cy=\"9144000\"/></p:presentation>"});
  parts.push_back({"ppt/_rels/presentation.xml.rels", rels});
  return parts;
}

inline Part* find(std::vector<Part>& parts, const std::string& name) {
  for (Part& p : parts)
    if (p.name == name) return &p;
  return nullptr;
}

inline void remove(std::vector<Part>& parts, const std::string& name) {
  for (auto it = parts.begin(); it != parts.end(); ++it)
    if (it->name == name) {
      parts.erase(it);
      return;
    }
}

inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Writes the parts as a zip file at path.
inline void write_zip(const std::string& path, const std::vector<Part>& parts) {
  int error = 0;
  zip_t* z = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (z == nullptr) throw std::runtime_error("zip_open failed");
  for (const Part& part : parts) {
    zip_source_t* src = zip_source_buffer(z, part.data.data(), part.data.size(), 0);
    const zip_int64_t index = zip_file_add(z, part.name.c_str(), src, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
    if (index < 0) {
      zip_source_free(src);
      zip_discard(z);
      throw std::runtime_error("zip_file_add failed");
    }
    zip_set_file_compression(z, static_cast<zip_uint64_t>(index),
                             part.compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 1);
    if (part.encrypt &&
        zip_file_set_encryption(z, static_cast<zip_uint64_t>(index), ZIP_EM_AES_256, "secret") != 0) {
      zip_discard(z);
      throw std::runtime_error("zip_file_set_encryption failed");
    }
  }
  if (zip_close(z) != 0) {
    zip_discard(z);
    throw std::runtime_error("zip_close failed");
  }
}

// A temporary folder removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir() {
    char pattern[] = "/tmp/veltrim-tools-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempDir() {
    const std::string command = "rm -rf '" + path_ + "'";
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "could not remove %s\n", path_.c_str());
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// The bytes of a zip made of the parts (through a temporary file).
inline std::string zip_bytes(const std::vector<Part>& parts) {
  TempDir dir;
  write_zip(dir.file("deck.pptx"), parts);
  return read_file(dir.file("deck.pptx"));
}

}  // namespace deck
