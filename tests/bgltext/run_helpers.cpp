// Helpers for bgltext tests: whole runs in memory and text comparisons.
#include "tests/bgltext/run_helpers.h"

#include "tools/bglwriter/bgl_builder.h"

namespace bgltest {

bgltext::MemoryRunResult RunBgl(const std::vector<uint8_t>& file, bgltext::RunOptions options) {
  if (options.inputPath.empty()) options.inputPath = kInputName;
  return bgltext::RunOnBytes(file, options);
}

std::string Lf(const std::string& crlf) {
  std::string out;
  out.reserve(crlf.size());
  for (size_t i = 0; i < crlf.size(); ++i) {
    if (crlf[i] == '\r' && i + 1 < crlf.size() && crlf[i + 1] == '\n') continue;
    out.push_back(crlf[i]);
  }
  return out;
}

std::string CrLf(const std::string& lf) {
  std::string out;
  for (char c : lf) {
    if (c == '\n') out.push_back('\r');
    out.push_back(c);
  }
  return out;
}

std::string SingleText(const bgltext::MemoryRunResult& r) {
  auto it = r.files.find(kSingleOutput);
  return it == r.files.end() ? std::string() : Lf(it->second);
}

bgltext::RunOptions MultiOptions() {
  bgltext::RunOptions o;
  o.multiFile = true;
  o.outputPath = "out";
  return o;
}

std::string MultiPath(const std::string& name) {
  return std::string("out") + bgltext::kPathSeparator + name;
}

std::string MultiText(const bgltext::MemoryRunResult& r, const std::string& name) {
  auto it = r.files.find(MultiPath(name));
  return it == r.files.end() ? std::string() : Lf(it->second);
}

std::string SectionBody(const std::string& text, int section) {
  std::string marker = ";;; section " + std::to_string(section) + " - ";
  size_t at = text.find(marker);
  if (at == std::string::npos) return std::string();
  at = text.find('\n', at);
  if (at == std::string::npos) return std::string();
  ++at;
  size_t end = text.find("\n;;; ----------------------------\n", at);
  return text.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

BglBuilder UsualBuilder() {
  BglBuilder b;
  b.SceneryId(0x1a2b).Bounds(5000875, -2000350, 0x20000000u, 0xA8000000u);
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
  std::string t = std::string(kDisassembled) + ";;; BGL header info\n" +
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

std::string WalkConsole(const std::vector<std::pair<int, std::string>>& present) {
  std::string t;
  for (int n = 0; n < 22; ++n) {
    std::string line = Fmt("Analyzing section %d... does not exist\n", n);
    for (auto& [sec, text] : present)
      if (sec == n) line = Fmt("Analyzing section %d...\n", n) + text;
    t += line;
  }
  return t;
}

std::string Sorry(int section) {
  return Fmt(";;; sorry, bgltext can't decode section %d\n", section);
}

BglBuilder DecoderBuilder() {
  BglBuilder b;
  b.Bounds(kNorth, -kNorth, kEast, kWest);
  return b;
}

uint32_t OneLatRange(BglBuilder& b, int section) {
  uint32_t start = b.BeginSection(section);
  b.Body().U8(21).U16(0xC000).U16(0x1000).U32(10).U8(0);
  return start;
}

bgltext::MemoryRunResult RunMulti(const BglBuilder& b, bool seq, bool fs98) {
  bgltext::RunOptions options = MultiOptions();
  options.sequencedLabels = seq;
  options.fs98Library = fs98;
  bgltext::MemoryRunResult r = RunBgl(b.Build(), options);
  EXPECT_EQ(r.status, 0) << r.console;
  return r;
}

std::string File(const bgltext::MemoryRunResult& r, const std::string& name) {
  return MultiText(r, name + ".sca");
}

std::string Padded(std::string text, size_t width) {
  text.resize(width, ' ');
  return text;
}

std::string Block(int section, const std::string& name, const std::string& headerLine) {
  return ";;; Disassembled by bgltext ver 2.2\n;;; section " + std::to_string(section) + " - " +
         name + "\n" + headerLine;
}

size_t OutputBytes(const bgltext::MemoryRunResult& r) {
  size_t n = 0;
  for (const auto& [path, text] : r.files) n += text.size();
  return n;
}

::testing::AssertionResult EndsWith(const std::string& text, const std::string& tail) {
  if (text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "\"" << text << "\" does not end with \"" << tail << "\"";
}

}  // namespace bgltest
