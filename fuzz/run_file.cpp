// Arbitrary bytes as a recording of a run, and the same bytes as the body of
// a recording behind a valid header. The reader never reads past what it
// was given; the check a replay makes before it starts and the whole parse
// agree; and whatever parses writes back to the same run.
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "runtime/platform/recording/run_coding.h"
#include "runtime/platform/recording/run_file.h"

namespace runfile = mvn::platform::runfile;

namespace {

bool same(const runfile::Contents& a, const runfile::Contents& b) {
  if (a.header.version != b.header.version || a.header.program != b.header.program ||
      a.header.build != b.header.build || a.header.frameHashInterval != b.header.frameHashInterval ||
      a.items.size() != b.items.size()) {
    return false;
  }
  for (size_t i = 0; i < a.items.size(); ++i) {
    const runfile::Item& x = a.items[i];
    const runfile::Item& y = b.items[i];
    if (x.kind != y.kind || x.read != y.read || x.values != y.values || x.text != y.text ||
        !(x.events == y.events) || x.hashed != y.hashed || x.hash != y.hash || x.count != y.count ||
        x.cutShort != y.cutShort) {
      return false;
    }
  }
  return true;
}

void readAndRewrite(const std::string& bytes) {
  runfile::Reader reader;
  std::string checkProblem;
  const bool checked = reader.open(bytes, checkProblem) && reader.check(checkProblem);
  runfile::Contents contents;
  std::string problem;
  const bool parsed = runfile::parseRun(bytes, contents, problem);
  if (parsed != checked && problem != "is too large to be held whole") std::abort();
  if (!parsed) {
    if (problem.empty() || contents.items.size() != 0) std::abort();
    return;
  }
  if (contents.items.empty() || contents.items.back().kind != runfile::ItemKind::End) std::abort();
  // Read on after the check, the reader gives the same items as the parse.
  runfile::Item item;
  for (const runfile::Item& expected : contents.items) {
    if (!reader.next(item, problem) || item.kind != expected.kind || item.count != expected.count) std::abort();
  }
  runfile::Contents again;
  if (!runfile::parseRun(runfile::encodeRun(contents), again, problem) || !same(contents, again)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  readAndRewrite(bytes);

  runfile::Header header;
  header.program = "Quadrivolant";
  header.build = "Morvane 0.1.0 linux-x86_64";
  header.frameHashInterval = 1;
  uLongf packedSize = compressBound(static_cast<uLong>(size));
  std::string packed(packedSize, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, data, static_cast<uLong>(size), 1) != Z_OK)
    std::abort();
  packed.resize(packedSize);
  readAndRewrite(runfile::encodeHeader(header) + packed);
  return 0;
}
