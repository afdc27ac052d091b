// A-law WAVE files written by independent implementations (libsndfile, sox, ffmpeg) are
// converted in one batch by the built binary, and libsndfile checks every result: 16-bit PCM
// of the same channels, rate and length, whose samples are alaw_expand of the raw codes that
// libsndfile itself finds in the source, and a backup that opens exactly as the source did.
#include <sndfile.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "codec/alaw.h"
#include "convert/sample_layout.h"
#include "support/fake_host.h"
#include "support/scratch_dir.h"
#include "support/tool_process.h"

namespace vorma {
namespace {

using test::ScratchDir;

bool on_path(const std::string& program) {
  // The peers are programs: finding and running them is what a shell is for here.
  return std::system(  // NOLINT(cert-env33-c)
             ("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

// CI sets this, so that a missing peer fails instead of skipping.
bool peers_required() { return std::getenv("VORMA_REQUIRE_PEERS") != nullptr; }

bool write_with_libsndfile(const std::string& path, int format, int channels, int rate,
                           sf_count_t frames) {
  SF_INFO info = {};
  info.samplerate = rate;
  info.channels = channels;
  info.format = format;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (file == nullptr) return false;
  std::vector<short> samples(static_cast<size_t>(frames * channels));
  for (size_t i = 0; i < samples.size(); ++i) {
    const size_t frame = i / static_cast<size_t>(channels);
    const double t = static_cast<double>(frame) / rate;
    const double frequency = i % 2 == 0 ? 300 : 500;
    samples[i] = static_cast<short>(20000 * std::sin(2 * M_PI * frequency * t));
  }
  const bool written = sf_writef_short(file, samples.data(), frames) == frames;
  return sf_close(file) == 0 && written;
}

bool run_shell(const std::string& directory, const std::string& command) {
  return std::system(  // NOLINT(cert-env33-c)
             ("cd '" + directory + "' && (" + command + ") 2>/dev/null").c_str()) == 0;
}

struct Opened {
  SF_INFO info = {};
  std::vector<uint8_t> raw;    // the data chunk's bytes, as libsndfile finds them
  std::vector<short> samples;  // libsndfile's 16-bit samples (for PCM files)
  bool ok = false;
};

Opened open_with_libsndfile(const std::string& path, bool read_samples) {
  Opened opened;
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &opened.info);
  if (file == nullptr) return opened;
  const auto count = static_cast<size_t>(opened.info.frames * opened.info.channels);
  if (read_samples) {
    opened.samples.resize(count);
    opened.ok = sf_read_short(file, opened.samples.data(), static_cast<sf_count_t>(count)) ==
                static_cast<sf_count_t>(count);
  } else {
    opened.raw.resize(count);
    opened.ok = sf_read_raw(file, opened.raw.data(), static_cast<sf_count_t>(count)) ==
                static_cast<sf_count_t>(count);
  }
  sf_close(file);
  return opened;
}

TEST(Interop, FilesFromLibsndfileSoxAndFfmpegConvertAndReadBack) {
  ScratchDir dir;
  std::vector<std::string> names;
  const int alaw_wav = SF_FORMAT_WAV | SF_FORMAT_ALAW;
  const struct {
    const char* name;
    int format, channels, rate;
    sf_count_t frames;
  } kLibsndfile[] = {
      {"sndfile-mono-8k.wav", alaw_wav, 1, 8000, 4000},
      {"sndfile-stereo-16k-odd.wav", alaw_wav, 2, 16000, 3333},
      {"sndfile-mono-44k1-odd.wav", alaw_wav, 1, 44100, 44101},
      {"sndfile-stereo-48k.wav", alaw_wav, 2, 48000, 4800},
      {"sndfile-wavex-4ch-96k.wav", SF_FORMAT_WAVEX | SF_FORMAT_ALAW, 4, 96000, 999},
  };
  for (const auto& file : kLibsndfile) {
    ASSERT_TRUE(
        write_with_libsndfile(dir / file.name, file.format, file.channels, file.rate, file.frames))
        << file.name;
    names.emplace_back(file.name);
  }

  const std::string sine = "sine=frequency=440:sample_rate=";
  const std::map<std::string, std::vector<std::pair<std::string, std::string>>> kPrograms = {
      {"sox",
       {{"sox-mono-8k.wav", "sox -n -r 8000 -c 1 -e a-law -b 8 sox-mono-8k.wav synth 0.5 sine 440"},
        {"sox-stereo-44k1-odd.wav",
         "sox -r 44100 -c 2 -n -e a-law -b 8 sox-stereo-44k1-odd.wav synth 1001s sine 440"},
        {"sox-stereo-48k.wav",
         "sox -n -r 48000 -c 2 -e a-law -b 8 sox-stereo-48k.wav synth 0.25 sine 440"}}},
      {"ffmpeg",
       {{"ffmpeg-mono-8k.wav", "ffmpeg -nostdin -loglevel error -f lavfi -i " + sine +
                                   "8000:duration=0.5 -ac 1 -c:a pcm_alaw ffmpeg-mono-8k.wav"},
        {"ffmpeg-stereo-16k-odd.wav",
         "ffmpeg -nostdin -loglevel error -f lavfi -i " + sine +
             "16000:duration=0.3333 -ac 2 -c:a pcm_alaw ffmpeg-stereo-16k-odd.wav"},
        {"ffmpeg-mono-48k.wav", "ffmpeg -nostdin -loglevel error -f lavfi -i " + sine +
                                    "48000:duration=0.2 -ac 1 -c:a pcm_alaw ffmpeg-mono-48k.wav"},
        {"ffmpeg-pipe-8k.wav", "ffmpeg -nostdin -loglevel error -f lavfi -i " + sine +
                                   "8000:duration=0.5 -ac 1 -c:a pcm_alaw -f wav - "
                                   "> ffmpeg-pipe-8k.wav"}}},
  };
  for (const auto& [program, files] : kPrograms) {
    if (!on_path(program)) {
      if (peers_required()) ADD_FAILURE() << program << " is not installed";
      std::printf("%s is not installed: its files are skipped\n", program.c_str());
      continue;
    }
    for (const auto& [name, command] : files) {
      ASSERT_TRUE(run_shell(dir.path(), command)) << command;
      names.push_back(name);
    }
  }

  // What the sources are, before the batch.
  std::map<std::string, Opened> sources;
  std::map<std::string, std::string> source_bytes;
  for (const std::string& name : names) {
    sources[name] = open_with_libsndfile(dir / name, false);
    ASSERT_TRUE(sources[name].ok) << name;
    source_bytes[name] = dir.read(name);
  }

  const test::ToolExit run = test::run_vorma(dir.path(), {"*.wav"});
  ASSERT_EQ(run.exit_status, 0);

  size_t chunked_layouts = 0;
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const std::string stem = name.substr(0, name.size() - 4);
    // Its line, its dots, and " OK.".
    std::string line = name;
    line.append(" -> ").append(stem).append(".snd : \n");
    const size_t start = run.output.find(line);
    ASSERT_NE(start, std::string::npos);
    const size_t after_dots = run.output.find_first_not_of('.', start + line.size());
    EXPECT_EQ(run.output.compare(after_dots, 5, " OK.\n"), 0);

    test::MemorySourceFile source(source_bytes[name]);
    SampleLayout layout;
    ASSERT_EQ(find_alaw_samples(source, &layout), LayoutStatus::kAlaw);
    if (layout.data_offset != 46) ++chunked_layouts;
    std::printf("%-28s %d ch %6d Hz %6lld frames, samples at offset %llu\n", name.c_str(),
                sources[name].info.channels, sources[name].info.samplerate,
                static_cast<long long>(sources[name].info.frames),
                static_cast<unsigned long long>(layout.data_offset));

    const Opened pcm = open_with_libsndfile(dir / name, true);
    ASSERT_TRUE(pcm.ok);
    EXPECT_EQ(pcm.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(pcm.info.channels, sources[name].info.channels);
    EXPECT_EQ(pcm.info.samplerate, sources[name].info.samplerate);
    EXPECT_EQ(pcm.info.frames, sources[name].info.frames);
    const std::vector<uint8_t>& codes = sources[name].raw;
    ASSERT_EQ(pcm.samples.size(), codes.size());
    for (size_t i = 0; i < codes.size(); ++i) {
      ASSERT_EQ(pcm.samples[i], alaw_expand(codes[i])) << "sample " << i;
    }

    const std::string backup = stem + ".voc";
    EXPECT_TRUE(dir.read(backup) == source_bytes[name]);
    const Opened kept = open_with_libsndfile(dir / backup, false);
    ASSERT_TRUE(kept.ok);
    EXPECT_EQ(kept.info.format, sources[name].info.format);
    EXPECT_EQ(kept.info.frames, sources[name].info.frames);
    EXPECT_EQ(kept.info.channels, sources[name].info.channels);
    EXPECT_EQ(kept.info.samplerate, sources[name].info.samplerate);
    EXPECT_TRUE(kept.raw == codes);
  }
  if (on_path("ffmpeg")) {
    EXPECT_GT(chunked_layouts, 0u);  // ffmpeg adds a LIST chunk
  }
  EXPECT_EQ(dir.files().size(), 2 * names.size());
}

}  // namespace
}  // namespace vorma
