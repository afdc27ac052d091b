// A host wrapper that makes one kind of operation fail, the way storage engines test their
// recovery: wrap the real host, fail one step of one file's conversion, check what is left.
#ifndef VORMA_TESTS_SUPPORT_FAULTY_HOST_H_
#define VORMA_TESTS_SUPPORT_FAULTY_HOST_H_

#include <cstdint>
#include <set>
#include <string>

#include "host/host_wrapper.h"

namespace vorma::test {

enum class Fault {
  kOpenSource,       // the source cannot be opened
  kRead,             // the source read number `count` (from 0) fails
  kCreateTemporary,  // the temporary file cannot be created
  kWrite,            // writing fails once `count` bytes of the temporary file are written
  kClose,            // closing the temporary file fails
  kFirstRename,      // the source cannot be renamed to the backup
  kSecondRename,     // the temporary file cannot be renamed to the source
  kUndoRename,       // after kSecondRename, the backup cannot be renamed back either
  kDelete,           // the temporary file cannot be deleted
  kFindFiles,        // the directory cannot be searched
};

class FaultyHost : public HostWrapper {
 public:
  // Faults hit only the paths that contain `victim`; everything else works.
  FaultyHost(Host* target, std::set<Fault> faults, std::string victim, uint64_t count = 0)
      : HostWrapper(target),
        faults_(std::move(faults)),
        victim_(std::move(victim)),
        count_(count) {}

  // Everything printed, instead of the real console.
  std::string console;

  std::unique_ptr<SourceFile> open_source(const std::string& path) override;
  std::unique_ptr<TargetFile> create_exclusive(const std::string& path,
                                               uint32_t permissions) override;
  bool rename_no_replace(const std::string& from, const std::string& to) override;
  bool remove_file(const std::string& path) override;
  bool find_files(const std::string& directory_prefix, const std::string& name_pattern,
                  std::vector<std::string>* names) override;
  void print(std::string_view text) override { console += text; }
  void flush_console() override {}

 private:
  bool hits(Fault fault, const std::string& path) const {
    return faults_.count(fault) != 0 && path.find(victim_) != std::string::npos;
  }

  std::set<Fault> faults_;
  std::string victim_;
  uint64_t count_;
  int renames_ = 0;
};

}  // namespace vorma::test

#endif  // VORMA_TESTS_SUPPORT_FAULTY_HOST_H_
