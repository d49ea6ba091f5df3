// Procedural drawing records: relief grids, bitmap and palette files, point
// lists, polygons and meshes.
#include <cstring>
#include <string>

#include "bgltext/procedural_handlers.h"
#include "bgltext/record_io.h"
#include "bgltext/record_texts.h"

namespace bgltext {
namespace {

// An 8-byte name and a 4-byte extension, each cut at a 0 byte and trailing
// blanks, joined with a dot; the name alone when the extension is empty.
std::string FileName(BglImage& img) {
  char name[8], ext[4];
  img.ReadBytes(sizeof name, name);
  img.ReadBytes(sizeof ext, ext);
  auto trimmed = [](const char* p, size_t n) {
    size_t len = 0;
    while (len < n && p[len] != 0) ++len;
    while (len > 0 && p[len - 1] == ' ') --len;
    return std::string(p, len);
  };
  std::string out = trimmed(name, sizeof name);
  std::string e = trimmed(ext, sizeof ext);
  if (!e.empty()) out += "." + e;
  return out;
}

// The mesh header shared by MeshWith1Tex and MeshWithTexList; returns rows,
// cols, cx and cy for the grid and the texture list.
struct MeshHeader {
  int16_t rows, cols;
  int cx, cy;
};

MeshHeader ReadMeshHeader(BglRun& run, const OpcodeRow& row) {
  BglImage& img = run.image;
  SkipHighByte(run);
  MeshHeader m{};
  m.rows = img.SWord();
  m.cols = img.SWord();
  int v[4];
  for (int& x : v) x = img.SWord();
  img.Word();
  img.Word();
  int g = static_cast<int8_t>(img.Byte());
  int h = static_cast<int8_t>(img.Byte());
  img.Byte();
  m.cx = img.Byte();
  img.Byte();
  m.cy = img.Byte();
  Print<"\t%s( %d %d %d %d %d %d %d %d %f %f\n\t\t">(run, row.name, m.rows, m.cols, v[0], v[1],
                                                     v[2], v[3], g, h, m.cx / 16.0, m.cy / 4.0);
  return m;
}

// rows + 1 lines of cols + 1 signed words, unless bit 15 of rows is set; a
// line has no words when bit 15 of cols is set. Lines without words are only
// text, so a pass that writes none skips them: every step then reads a byte
// or writes one.
void ReadMeshGrid(BglRun& run, const MeshHeader& m) {
  if (m.rows < 0 || (m.cols < 0 && !run.Text())) return;
  for (int r = 0; r <= m.rows; ++r) {
    if (m.cols >= 0)
      for (int c = 0; c <= m.cols; ++c) Print<kValue>(run, run.image.SWord());
    Print<kListLineStart>(run);
  }
}

}  // namespace

void TexRelief(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  unsigned n = img.Word(), m = img.Word();
  int v[4];
  for (int& x : v) x = img.SWord();
  img.Word();
  img.Word();
  Print<"\t%s( %d %d %d %d %d %d\n">(run, row.name, n, m, v[0], v[1], v[2], v[3]);
  for (unsigned r = 0; r <= n; ++r) {
    for (unsigned c = 0; c <= m; ++c) {
      int a = img.Byte(), b = img.Byte();
      int e = img.SWord();
      Print<kPointLine>(run, a, b, e);
    }
    Print<kLineEnd>(run);
  }
  Print<kCloseLine>(run);
}

void BitmapFile(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  int v[4];
  for (int& x : v) x = img.SWord();
  std::string name = FileName(img);
  img.Word();
  Print<"\t%s( %s %d %d %d %d )\n">(run, row.name, name, v[0], v[1], v[2], v[3]);
}

void PaletteFile(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  SkipHighByte(run);
  std::string name = FileName(run.image);
  run.image.Word();
  Print<kNameText>(run, row.name, name);
}

void PointList(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  unsigned first = img.Word(), count = img.Word();
  Print<kNameFirstOfList>(run, row.name, first);
  for (unsigned i = 0; i < count; ++i) {
    int x = img.SWord(), y = img.SWord(), z = img.SWord();
    Print<kPointLine>(run, x, y, z);
  }
  Print<kCloseLine>(run);
}

void VectorPolygon(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  unsigned count = img.Word();
  int v[6];
  for (int& x : v) x = img.SWord();
  Print<"\t%s( m  %d %d %d  %d %d %d\n\t\t">(run, row.name, v[0], v[1], v[2], v[3], v[4], v[5]);
  for (unsigned i = 0; i < count; ++i) Print<kValue>(run, img.Word());
  Print<kClose>(run);
}

// The vertices of a textured polygon, three unsigned words each, and its close.
static void TexturedVertices(BglRun& run, unsigned count) {
  BglImage& img = run.image;
  for (unsigned i = 0; i < count; ++i) {
    int a = img.Word(), b = img.Word(), c = img.Word();
    Print<kPointLine>(run, a, b, c);
  }
  Print<kCloseLine>(run);
}

void TexturedVectorPolygon(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  unsigned count = img.Word();
  int v[6];
  for (int& x : v) x = img.SWord();
  Print<"\t%s( m  %d %d %d  %d %d %d\n">(run, row.name, v[0], v[1], v[2], v[3], v[4], v[5]);
  TexturedVertices(run, count);
}

void TexturedPolygon(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  unsigned count = img.Word();
  int x = img.SWord(), y = img.SWord(), z = img.SWord();
  int32_t f = img.SDword();
  Print<"\t%s( m %d %d %d %.2f">(run, row.name, x, y, z, f / 32768.0);
  TexturedVertices(run, count);
}

void Polygon(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  unsigned count = img.Word();
  int x = img.SWord(), y = img.SWord(), z = img.SWord();
  int32_t f = img.SDword();
  Print<kNamePolygon>(run, row.name, x, y, z, f / 32767.0);
  for (unsigned i = 0; i < count; ++i) Print<kValue>(run, img.SWord());
  Print<kClose>(run);
}

void PolyM(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  unsigned count = img.Word();
  int x = img.SWord(), y = img.SWord(), z = img.SWord();
  int32_t f = img.SDword();
  img.Word();
  Print<kNamePolygon>(run, row.name, x, y, z, f / 32767.0);
  for (unsigned i = 0; i < count; ++i) {
    int b = img.Byte();
    if (b >= 128)
      Print<"-%d ">(run, b - 128);
    else
      Print<kValue>(run, b);
  }
  Print<kClose>(run);
}

void VecPoints(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  unsigned a = img.Word(), count = img.Word();
  Print<kNameFirstOfList>(run, row.name, a);
  for (unsigned i = 0; i < count; ++i) {
    int v[6];
    for (int& x : v) x = img.SWord();
    Print<"\t\t%d %d %d   %d %d %d\n">(run, v[0], v[1], v[2], v[3], v[4], v[5]);
  }
  Print<kCloseLine>(run);
}

void MeshWith1Tex(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  MeshHeader m = ReadMeshHeader(run, row);
  ReadMeshGrid(run, m);
  Print<kClose>(run);
}

void MeshWithTexList(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  MeshHeader m = ReadMeshHeader(run, row);
  ReadMeshGrid(run, m);
  // The texture index list: T + 1 lines of U + 1 bytes (lines without
  // bytes skipped by a pass that writes no text, as in the grid).
  const long t = (static_cast<long>(m.rows) - 1) * m.cx / 16;
  const long u = (static_cast<long>(m.cols) - 1) * m.cy / 4;
  for (long i = 0; u >= 0 || run.Text(); ++i) {
    Print<kListLineStart>(run);
    if (i > t) break;
    if (u >= 0)
      for (long j = 0; j <= u; ++j) Print<kHexValue>(run, run.image.Byte());
  }
  Print<kClose>(run);
}

}  // namespace bgltext
