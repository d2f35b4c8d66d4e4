#include "StartupTestUtil.h"

#include <fstream>

void ScratchDir::Write(const str& relative, const str& text) const {
  str full = mPath + "/" + relative;
  str dir = full.substr(0, full.rfind('/'));
  (void)std::system(("mkdir -p '" + dir + "'").c_str());
  std::ofstream(full.c_str()) << text;
}
