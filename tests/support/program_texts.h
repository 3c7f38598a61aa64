#pragma once
// The shipped program-text file, loaded once for a test program (QUORVAN_DATA_DIR, else the
// source tree's data folder the build names).
#include <cstdlib>

#include "lang/program_text.h"

namespace qv::test {

inline const ProgramTextStore& ShippedTexts() {
  static const ProgramTextStore store = [] {
    ProgramTextStore texts;
    const char* folder = std::getenv("QUORVAN_DATA_DIR");
    LoadProgramText(texts, folder != nullptr ? folder : QUORVAN_TEST_DATA_DIR, kProgramTextFileName);
    return texts;
  }();
  return store;
}

}  // namespace qv::test
