// Helpers for bgltext tests: whole runs in memory and text comparisons.
#include "tests/bgltext/run_helpers.h"

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

}  // namespace bgltest
