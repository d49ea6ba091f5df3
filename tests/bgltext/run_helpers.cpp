// Helpers for bgltext tests.
#include "tests/bgltext/run_helpers.h"

namespace bgltest {

bgltext::MemoryRunResult RunBgl(const std::vector<uint8_t>& file, bgltext::RunOptions options) {
  if (options.inputPath.empty()) options.inputPath = "in.bgl";
  return bgltext::RunOnBytes(file, options);
}

bgltext::MemoryRunResult RunMulti(const BglBuilder& b, bool seq) {
  bgltext::RunOptions options = MultiOptions();
  options.sequencedLabels = seq;
  bgltext::MemoryRunResult r = RunBgl(b.Build(), options);
  EXPECT_EQ(r.status, 0) << r.console;
  return r;
}

static std::string Lf(const std::string& crlf) {
  std::string out;
  for (size_t i = 0; i < crlf.size(); ++i)
    if (crlf[i] != '\r' || i + 1 == crlf.size() || crlf[i + 1] != '\n') out.push_back(crlf[i]);
  return out;
}

std::string Output(const bgltext::MemoryRunResult& r, const std::string& path) {
  auto it = r.files.find(path);
  return it == r.files.end() ? std::string() : Lf(it->second);
}

::testing::AssertionResult EndsWith(const std::string& text, const std::string& tail) {
  if (text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "\"" << text << "\" does not end with \"" << tail << "\"";
}

BglBuilder UsualBuilder() {
  BglBuilder b;
  b.SceneryId(0x1a2b).Bounds(5000875, -2000350, 0x20000000u, 0xA8000000u);
  return b;
}

BglBuilder WalkBuilder() {
  BglBuilder b = UsualBuilder();
  b.Extended({0x00, 0x01, 0x0a, 0xab, 0x10, 0xff, 0x7f, 0x80, 0, 0, 0, 0, 0, 0, 0x5, 0xc0}, 0x2a);
  b.Slot(7, 168).Slot(21, 168).ExtendedField(156, 168).ExtendedField(164, 168);
  b.Body().U32(0).U32(0);
  return b;
}

std::vector<unsigned> Slots(std::initializer_list<std::pair<int, unsigned>> set) {
  std::vector<unsigned> slots(22, 0);
  for (auto [n, v] : set) slots[n] = v;
  return slots;
}

std::string HeaderLines(const std::vector<unsigned>& slots, unsigned id, const char* bounds,
                        unsigned minFreq, unsigned maxFreq, unsigned value0) {
  char n[20], s[20], e[20], w[20];
  std::sscanf(bounds, "%19s %19s %19s %19s", n, s, e, w);
  std::string t = ";;; Disassembled by bgltext ver 2.2\n;;; BGL header info\n" +
                  Fmt(";scenery id:\t0x%x\n", id) + ";max north:\t" + n + "\n;min north:\t" + s +
                  "\n;max east:\t" + e + "\n;min east:\t" + w + "\n";
  for (unsigned sec = 0; sec < 22; ++sec) {
    t += Fmt(";sec%u point:\t", sec) + Fmt("0x%x\n", slots.at(sec));
    if (sec == 0) t += Fmt(";min freq:\t0x%x\n", minFreq) + Fmt(";max freq:\t0x%x\n", maxFreq);
    if (sec == 15)
      for (unsigned v = 0; v < 8; ++v)
        t += Fmt(";value%u:\t", v) + Fmt("0x%x\n", value0 ? value0 + v : 0);
  }
  return t + Fmt(";value8:\t\t0x%x\n", value0 ? value0 + 8 : 0);
}

void OneLatRange(BglBuilder& b, int section) {
  b.BeginSection(section);
  b.Body().U8(21).U16(0xC000).U16(0x1000).U32(10).U8(0);
}

std::vector<uint8_t> LatRangeImage(int section, uint32_t unitAt, const std::vector<uint8_t>& unit) {
  BglBuilder b;
  uint32_t start = b.BeginSection(section);
  b.Body().U8(21).U16(0).U16(0).U32(unitAt - start).U8(0);
  b.Body().Fill(unitAt - b.Here()).Bytes(unit);
  return b.Build();
}

std::vector<uint8_t> ProceduralImage(const std::vector<uint8_t>& records) {
  constexpr uint32_t kAreaHeader = 14;  // record 6: byte, lat, lon, v, dword length
  ByteWriter unit;
  unit.U8(6).I32(Lat32Raw(45)).U32(Lon32Raw(90)).U8(0);
  unit.U32(static_cast<uint32_t>(kAreaHeader + records.size())).Bytes(records).U8(0);
  return LatRangeImage(9, 0x100 - kAreaHeader, unit.Data());
}

}  // namespace bgltest
