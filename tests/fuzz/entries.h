#ifndef TESTS_FUZZ_ENTRIES_H
#define TESTS_FUZZ_ENTRIES_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The entry points of the fuzz targets: every input that reaches the player
// from outside (server messages, parameter and formation files, the command
// line), each through the code that reads it in the program. The libFuzzer
// programs and the corpus test take their entries from the one table here.
//
// A new target is one more entry function, one more row of targets() and a
// folder of seeds corpus/<name>/; CMake makes a fuzzer per corpus folder.
namespace fuzz {

struct Target {
  // Also the name of its corpus folder and of its libFuzzer program.
  std::string name;
  // Takes one input; whatever it keeps for the next is what the program
  // itself would keep between two such inputs.
  std::function<void(const std::uint8_t* data, std::size_t size)> run;
};

const std::vector<Target>& targets();

// The target of that name, or null.
const Target* find(const std::string& name);

} // namespace fuzz

#endif
