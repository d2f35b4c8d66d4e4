// Replays inputs through a fuzz target without libFuzzer: each argument is a
// file, or a folder whose files are played in name order. Used to keep the
// inputs that once crashed the game playing under every build.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    std::error_code ec;
    if (fs::is_directory(argv[i], ec)) {
      std::vector<fs::path> files;
      for (const auto& entry : fs::directory_iterator(argv[i], ec))
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.')
          files.push_back(entry.path());
      std::sort(files.begin(), files.end());
      inputs.insert(inputs.end(), files.begin(), files.end());
    } else if (fs::is_regular_file(argv[i], ec)) {
      inputs.push_back(argv[i]);
    } else {
      fprintf(stderr, "replay: %s: no such file or folder\n", argv[i]);
      return 2;
    }
  }
  for (const fs::path& path : inputs) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    fprintf(stderr, "replay: %s\n", path.c_str());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  fprintf(stderr, "replay: %zu inputs, none crashed\n", inputs.size());
  return 0;
}
