#pragma once
#include <cstdint>
#include <span>
#include <string>

namespace tobu::fuzz {

// Each body feeds one input to a file reader and checks what must hold for any bytes.
// The result names the first broken rule, or is empty when all held. The fuzzers abort
// on a non-empty result; the robustness tests replay the corpus through the same bodies.
//
// The bodies touch no files: every reader has a parser from bytes and a writer to bytes
// beside its file functions (ParseLevel/LevelBytes, ParseRoster/RosterBytes), and the
// file functions only read or replace the whole file around them. A new reader follows
// the same pattern: `ParseX(std::span<const uint8_t>)` that refuses with FileError or
// keeps what it could read, `XBytes(value)`, then here a `CheckXBytes` body that parses,
// checks the value's rules and round-trips it, an `x_fuzz.cpp` entry, the target's name
// in fuzz/CMakeLists.txt, scripts/fuzz.sh and tests/robust/corpus_replay_test.cpp, and
// a few seed inputs in fuzz/corpus/x.

// The bytes as a level file: ParseLevel either refuses it leaving the world untouched, or
// accepts it, and then saving and loading again gives back the same level and table.
std::string CheckLevelBytes(std::span<const uint8_t> data);

// The bytes as Players.dat: at most 14 names of at most 8 characters, a last index within
// the roster, and writing and reading the roster again gives the same roster.
std::string CheckRosterBytes(std::span<const uint8_t> data);

// The bytes as a replay file: ParseReplay refuses them with the replay's message, or
// accepts them and they are exactly what EncodeReplay writes for what was read, with
// events in order within the run; a ghost then runs the accepted keys on a small level.
std::string CheckReplayBytes(std::span<const uint8_t> data);

// The bytes as tobu.ini: a volume within 0..100, the defaults when the file is damaged,
// and writing the settings and reading them again gives the same settings, unremarked.
std::string CheckSettingsBytes(std::span<const uint8_t> data);

}  // namespace tobu::fuzz
