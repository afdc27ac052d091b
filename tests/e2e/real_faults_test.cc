// Faults the real system makes, met by the built binary: permissions, a write limit, and
// signals that end it mid-file.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <map>
#include <string>
#include <thread>

#include "support/scratch_dir.h"
#include "support/tool_process.h"
#include "support/wave_files.h"

namespace vorma {
namespace {

using test::alaw_file;
using test::banner;
using test::codes_sequence;
using test::run_vorma;
using test::ScratchDir;
using test::ToolOptions;

using test::Files;

// A copy of the binary that any user may run, wherever the build tree lives.
class PublicBinary {
 public:
  PublicBinary() {
    bin_.write("vorma", test::ScratchDir::read_path(test::vorma_binary()));
    ::chmod(bin_.path().c_str(), 0755);
    ::chmod((bin_ / "vorma").c_str(), 0755);
  }
  std::string path() const { return bin_ / "vorma"; }

 private:
  ScratchDir bin_;
};

test::ToolExit run_unprivileged(const ScratchDir& dir, const std::vector<std::string>& arguments) {
  static const PublicBinary binary;
  ToolOptions options;
  options.unprivileged = true;
  return test::ToolProcess(binary.path(), dir.path(), arguments, options).finish();
}

TEST(RealFaults, ADirectoryThatCannotBeWrittenIsLeftAlone) {
  if (!test::permissions_bind()) GTEST_SKIP() << "root that cannot drop to nobody: skipped";
  ScratchDir dir;
  ::chmod(dir.path().c_str(), 0755);
  ASSERT_EQ(::mkdir((dir / "ro").c_str(), 0755), 0);
  dir.write("ro/m1.wav", alaw_file("abc"));
  ::chmod((dir / "ro").c_str(), 0555);
  const auto run = run_unprivileged(dir, {"ro/*.wav"});
  EXPECT_EQ(run.output, banner() + "ro/m1.wav -> ro/m1.snd : \nOpen 'ro/m1.snd' is failed!\a\n");
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(dir.files(), (Files{{"ro/m1.wav", alaw_file("abc")}}));
}

TEST(RealFaults, AFileThatCannotBeReadIsLeftAlone) {
  if (!test::permissions_bind()) GTEST_SKIP() << "root that cannot drop to nobody: skipped";
  ScratchDir dir;
  ::chmod(dir.path().c_str(), 0777);
  dir.write("m1.wav", alaw_file("abc"));
  dir.write("m2.wav", alaw_file("def"));
  ::chmod((dir / "m1.wav").c_str(), 0);
  ::chmod((dir / "m2.wav").c_str(), 0644);
  const auto run = run_unprivileged(dir, {"*.wav"});
  EXPECT_EQ(run.output, banner() + "m1.wav -> m1.snd : \nOpen 'm1.wav' is failed!\a\n" +
                            "m2.wav -> m2.snd : \n. OK.\n");
  EXPECT_EQ(run.exit_status, 0);
  const Files files = dir.files();
  EXPECT_EQ(files.at("m1.wav"), alaw_file("abc"));
  EXPECT_EQ(files.count("m1.snd") + files.count("m1.voc"), 0u);
}

TEST(RealFaults, AWriteLimitHitMidFileLeavesItWhole) {
  ScratchDir dir;
  const std::string big = alaw_file(codes_sequence(200'000));
  dir.write("m1.wav", big);
  dir.write("m2.wav", alaw_file("x"));
  ToolOptions options;
  options.file_size_limit = 100'000;
  const auto run = run_vorma(dir.path(), {"*.wav"}, options);
  const std::string line = banner() + "m1.wav -> m1.snd : \n";
  ASSERT_EQ(run.output.compare(0, line.size(), line), 0) << run.output;
  EXPECT_EQ(run.output.substr(run.output.find_first_not_of('.', line.size())),
            "Write to 'm1.snd' failed!\a\nm2.wav -> m2.snd : \n. OK.\n");
  EXPECT_EQ(run.exit_status, 0);
  const Files files = dir.files();
  EXPECT_EQ(files.at("m1.wav"), big);
  EXPECT_EQ(files.count("m1.snd") + files.count("m1.voc"), 0u);
}

// Starts a conversion that cannot finish while the test does not read its console: 70 MB of
// samples print more dots than a pipe holds.
class StuckConversion {
 public:
  explicit StuckConversion(const ScratchDir& dir)
      : original_(alaw_file(std::string(kSampleBytes, '\x55'))) {
    dir.write("big.wav", original_);
    tool_ = std::make_unique<test::ToolProcess>(test::vorma_binary(), dir.path(),
                                                std::vector<std::string>{"*.wav"});
    while (::access((dir / "big.snd").c_str(), F_OK) != 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  test::ToolProcess& tool() { return *tool_; }
  const std::string& original() const { return original_; }

 private:
  static constexpr size_t kSampleBytes = 70'000'000;
  std::string original_;
  std::unique_ptr<test::ToolProcess> tool_;
};

TEST(RealFaults, AnInterruptionRemovesTheTemporaryFileAndEndsByTheSignal) {
  for (const int signal_number : {SIGINT, SIGTERM}) {
    ScratchDir dir;
    dir.write("next.wav", alaw_file("x"));
    StuckConversion conversion(dir);
    ::kill(conversion.tool().pid(), signal_number);
    const auto run = conversion.tool().finish();
    EXPECT_EQ(run.signal, signal_number);
    EXPECT_EQ(run.output.find("next.wav"), std::string::npos);
    const Files files = dir.files();
    EXPECT_EQ(files.size(), 2u);
    EXPECT_TRUE(files.at("big.wav") == conversion.original());
  }
}

TEST(RealFaults, AfterAKillTheStaleTemporaryFileIsReportedAndKept) {
  ScratchDir dir;
  StuckConversion conversion(dir);
  ::kill(conversion.tool().pid(), SIGKILL);
  EXPECT_EQ(conversion.tool().finish().signal, SIGKILL);
  const std::string stale = dir.read("big.snd");
  EXPECT_TRUE(dir.read("big.wav") == conversion.original());

  const auto run = run_vorma(dir.path(), {"*.wav"});
  EXPECT_EQ(run.output, banner() + "big.wav -> big.snd : \nOpen 'big.snd' is failed!\a\n");
  EXPECT_EQ(run.exit_status, 0);
  const Files files = dir.files();
  EXPECT_EQ(files.size(), 2u);
  EXPECT_TRUE(files.at("big.wav") == conversion.original());
  EXPECT_TRUE(files.at("big.snd") == stale);
}

}  // namespace
}  // namespace vorma
