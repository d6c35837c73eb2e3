#ifndef TESTS_TESTUTIL_TEMPDIR_H
#define TESTS_TESTUTIL_TEMPDIR_H

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace testutil {

// A directory of its own for the files a test writes, so that tests run in
// parallel never share a file; removed, with the files made through file(),
// when the object goes.
class TempDir {
public:
  TempDir() {
    char tmpl[] = "/tmp/tolvane-testXXXXXX";
    const char* made = mkdtemp(tmpl);
    if (!made) throw std::runtime_error("cannot make a directory under /tmp");
    dir = made;
  }
  ~TempDir() {
    for (const std::string& f : files) std::remove(f.c_str());
    rmdir(dir.c_str());
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // Writes the content byte for byte to the file name in the directory;
  // returns the file's path.
  std::string file(const std::string& name, const std::string& content) {
    files.push_back(dir + "/" + name);
    std::ofstream(files.back(), std::ios::binary) << content;
    return files.back();
  }

  std::string dir;

private:
  std::vector<std::string> files;
};

} // namespace testutil

#endif
