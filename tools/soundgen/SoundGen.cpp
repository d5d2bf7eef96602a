// The sound tool. Reads the sound list and writes every file it names into
// "<output folder>/ddzSound/": short synthesized effects, looped tunes of a
// few seconds for the music, and the voices, spoken in Mandarin by espeak-ng
// where it is installed (else a short tone in the voice set's pitch). Every
// file is RIFF wave data (22050 Hz, mono, 16 bit) whatever its name says; the
// mixer tells a file's format by its bytes.
//
//   soundgen <sound_list.txt> <output folder>
//
// A file's sound depends only on its name and kind, so every build writes
// the same bytes.
#include <spawn.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int kRate = 22050;
constexpr float kPi = 3.14159265f;

struct Entry {
  std::string file, kind, words;
};

std::string Trim(const std::string& s) {
  const auto a = s.find_first_not_of(" \t\r");
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

bool ReadList(const std::string& path, std::vector<Entry>* out) {
  std::ifstream in(path);
  if (!in) return false;
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    line = Trim(line);
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    Entry e;
    fields >> e.file >> e.kind;
    std::getline(fields, e.words);
    e.words = Trim(e.words);
    // A name is a plain file name: no folder, nothing that climbs out of it.
    if (e.kind.empty() || e.file.find('/') != std::string::npos || e.file.find("..") != std::string::npos) {
      std::fprintf(stderr, "soundgen: %s:%d: malformed line skipped\n", path.c_str(), lineNo);
      continue;
    }
    out->push_back(e);
  }
  return true;
}

// FNV-1a of the name: the seed of each file's own pitch and rhythm.
std::uint32_t Hash(const std::string& s) {
  std::uint32_t h = 2166136261u;
  for (unsigned char c : s) h = (h ^ c) * 16777619u;
  return h;
}

bool WriteWave(const std::string& path, const std::vector<std::int16_t>& samples) {
  std::ofstream out(path, std::ios::binary);
  const auto u32 = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.put(static_cast<char>((v >> (8 * i)) & 0xff));
  };
  const auto u16 = [&](std::uint16_t v) {
    out.put(static_cast<char>(v & 0xff));
    out.put(static_cast<char>(v >> 8));
  };
  const std::uint32_t bytes = static_cast<std::uint32_t>(samples.size() * 2);
  out.write("RIFF", 4);
  u32(36 + bytes);
  out.write("WAVEfmt ", 8);
  u32(16);
  u16(1);  // PCM
  u16(1);  // mono
  u32(kRate);
  u32(kRate * 2);
  u16(2);
  u16(16);
  out.write("data", 4);
  u32(bytes);
  for (std::int16_t s : samples) u16(static_cast<std::uint16_t>(s));
  return static_cast<bool>(out);
}

std::int16_t Sample(float v) { return static_cast<std::int16_t>(std::lround(std::fmax(-1.0f, std::fmin(1.0f, v)) * 32000)); }

// A short effect: a chirp between two pitches of the name, with a quick
// attack and an exponential fall, and a touch of noise for the clicks.
std::vector<std::int16_t> Effect(const std::string& name) {
  const std::uint32_t h = Hash(name);
  const float seconds = 0.12f + static_cast<float>(h % 5) * 0.06f;
  const float from = 300.0f + static_cast<float>((h >> 3) % 900);
  const float to = 300.0f + static_cast<float>((h >> 13) % 900);
  const float noise = static_cast<float>((h >> 23) % 4) * 0.08f;
  const int n = static_cast<int>(seconds * kRate);
  std::vector<std::int16_t> out(static_cast<std::size_t>(n));
  float phase = 0;
  std::uint32_t lcg = h;
  for (int i = 0; i < n; ++i) {
    const float t = static_cast<float>(i) / static_cast<float>(n);
    phase += 2 * kPi * (from + (to - from) * t) / kRate;
    lcg = lcg * 1664525u + 1013904223u;
    const float white = static_cast<float>(lcg >> 8) / 8388608.0f - 1.0f;
    const float envelope = std::fmin(1.0f, t * 40) * std::exp(-4.0f * t);
    out[static_cast<std::size_t>(i)] = Sample(0.5f * envelope * ((1 - noise) * std::sin(phase) + noise * white));
  }
  return out;
}

// A tune of eight seconds: a pentatonic line of the name's notes over a soft
// bass, each note with a plucked fall; it loops without a click.
std::vector<std::int16_t> Music(const std::string& name) {
  static const float kScale[] = {261.6f, 293.7f, 329.6f, 392.0f, 440.0f, 523.3f, 587.3f, 659.3f};
  const std::uint32_t h = Hash(name);
  constexpr int kNotes = 32;
  const int noteLength = kRate / 4;
  std::vector<std::int16_t> out(static_cast<std::size_t>(kNotes * noteLength));
  std::uint32_t lcg = h;
  int degree = static_cast<int>(h % 5);
  for (int k = 0; k < kNotes; ++k) {
    lcg = lcg * 1664525u + 1013904223u;
    degree = std::max(0, std::min(7, degree + static_cast<int>((lcg >> 24) % 5) - 2));
    const float note = kScale[degree];
    const float bass = kScale[(k / 8 * 3 + static_cast<int>(h % 3)) % 5] / 2;
    for (int i = 0; i < noteLength; ++i) {
      const float t = static_cast<float>(i) / kRate;
      const float time = static_cast<float>(k * noteLength + i) / kRate;
      const float v = 0.28f * std::exp(-6.0f * t) * std::sin(2 * kPi * note * time) +
                      0.12f * std::sin(2 * kPi * bass * time);
      out[static_cast<std::size_t>(k * noteLength + i)] = Sample(v);
    }
  }
  return out;
}

// The voice's stand-in without a speech synthesizer: two short tones, lower
// for set A than for set B.
std::vector<std::int16_t> Tone(bool setA) {
  const float pitch = setA ? 220.0f : 330.0f;
  const int n = kRate * 3 / 10;
  std::vector<std::int16_t> out(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    const float t = static_cast<float>(i) / kRate;
    const float f = i < n / 2 ? pitch : pitch * 1.25f;
    const float local = static_cast<float>(i % (n / 2)) / static_cast<float>(n / 2);
    out[static_cast<std::size_t>(i)] = Sample(0.4f * std::sin(2 * kPi * f * t) * std::sin(kPi * local));
  }
  return out;
}

// Runs espeak-ng on the words into `path`; false when it is not installed or fails.
bool Speak(const std::string& words, bool setA, const std::string& path) {
  const std::string voice = setA ? "cmn" : "cmn+f3";
  std::vector<std::string> args = {"espeak-ng", "-v", voice, "-s", "150", "-w", path, "--", words};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int rc = posix_spawnp(&pid, "espeak-ng", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return false;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;
  std::error_code ec;
  return std::filesystem::file_size(path, ec) > 44 && !ec;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: soundgen <sound_list.txt> <output folder>\n");
    return 2;
  }
  std::vector<Entry> list;
  if (!ReadList(argv[1], &list)) {
    std::fprintf(stderr, "soundgen: cannot read %s\n", argv[1]);
    return 1;
  }
  const std::filesystem::path folder = std::filesystem::path(argv[2]) / "ddzSound";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  int spoken = 0, toned = 0;
  bool ok = true;
  for (const Entry& e : list) {
    const std::string path = (folder / e.file).string();
    if (e.kind == "voice-a" || e.kind == "voice-b") {
      const bool setA = e.kind == "voice-a";
      if (!e.words.empty() && Speak(e.words, setA, path)) {
        ++spoken;
        continue;
      }
      ++toned;
      ok = WriteWave(path, Tone(setA)) && ok;
    } else if (e.kind == "music") {
      ok = WriteWave(path, Music(e.file)) && ok;
    } else if (e.kind == "effect") {
      ok = WriteWave(path, Effect(e.file)) && ok;
    } else {
      std::fprintf(stderr, "soundgen: %s: unknown kind %s, skipped\n", e.file.c_str(), e.kind.c_str());
    }
  }
  std::printf("soundgen: %zu sounds in %s (%d voices spoken, %d as tones)\n", list.size(), folder.c_str(), spoken,
              toned);
  if (!ok) std::fprintf(stderr, "soundgen: some files could not be written\n");
  return ok ? 0 : 1;
}
