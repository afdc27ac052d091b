#include "driver/batch.h"

#include <gtest/gtest.h>

#include <vector>

#include "host/path.h"
#include "support/fake_host.h"
#include "support/wave_files.h"

namespace vorma {
namespace {

using test::alaw_file;
using test::FakeHost;

// Runs the batch with these arguments after the program name, and returns the console text
// that follows the banner.
std::string run(FakeHost& host, std::vector<const char*> arguments) {
  arguments.insert(arguments.begin(), "vorma");
  EXPECT_EQ(run_batch(host, static_cast<int>(arguments.size()), arguments.data()), 0);
  const size_t banner_end = host.console.find('\n');
  EXPECT_EQ(host.console.compare(0, 6, "Vorma "), 0);
  return host.console.substr(banner_end + 1);
}

TEST(RunBatch, WithoutAPatternPrintsTheUsage) {
  FakeHost host;
  host.files["a.wav"] = {alaw_file("x")};
  EXPECT_EQ(run(host, {}), "\aUsage: Vorma filename\nExample: Vorma *.wav\n");
  EXPECT_EQ(host.files.size(), 1u);
}

TEST(RunBatch, ConvertsTheMatchesInNameOrderAndEachOnce) {
  FakeHost host;
  host.files["b.wav"] = {alaw_file("x")};
  host.files["a.wav"] = {alaw_file("y")};
  host.files["notes.txt"] = {"not audio"};
  // *.* matches the backups the first conversions make, but they are not offered in this run.
  EXPECT_EQ(run(host, {"*.*"}),
            "a.wav -> a.snd : \n. OK.\n"
            "b.wav -> b.snd : \n. OK.\n"
            "notes.txt -> notes.snd : \nNo wave file.\n");
  EXPECT_EQ(host.files.count("a.voc") + host.files.count("b.voc"), 2u);
}

TEST(RunBatch, SearchesThePatternsDirectory) {
  FakeHost host;
  // The paths as this host writes them: "in/" on POSIX, "in\\" as typed on Windows.
  const std::string in = native_directory_prefix("in\\");
  host.files[in + "m1.wav"] = {alaw_file("x")};
  host.files["m2.wav"] = {alaw_file("x")};
  EXPECT_EQ(run(host, {"in\\*.wav"}), in + "m1.wav -> " + in + "m1.snd : \n. OK.\n");
#ifndef _WIN32
  EXPECT_EQ(in, "in/");
#endif
}

TEST(RunBatch, TakesEveryArgumentOnlyWhenTheShellExpandedThePattern) {
  FakeHost host;
  host.files["a.wav"] = {"a"};
  host.files["b.wav"] = {"b"};
  const std::string a = "a.wav -> a.snd : \nNo wave file.\n";
  const std::string b = "b.wav -> b.snd : \nNo wave file.\n";
  // Only POSIX shells expand patterns; on Windows the first argument alone counts.
  EXPECT_EQ(run(host, {"a.wav", "b.wav"}), kShellsExpandPatterns ? a + b : a);
  host.console.clear();
  EXPECT_EQ(run(host, {"a*", "b.wav"}), a);
}

TEST(RunBatch, EndsAfterAnInterruption) {
  FakeHost host;
  host.files["a.wav"] = {alaw_file("x")};
  host.signal_number = 15;
  const char* arguments[] = {"vorma", "*.wav"};
  EXPECT_EQ(run_batch(host, 2, arguments), 15);
  EXPECT_EQ(host.files.size(), 1u);
}

}  // namespace
}  // namespace vorma
