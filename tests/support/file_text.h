#pragma once

#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

namespace qz::test {

// A file's whole content, as bytes; empty when it cannot be read.
inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Replaces a file's content; fails the test when it cannot be written.
inline void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  ASSERT_TRUE(out.good()) << path;
}

}  // namespace qz::test
