// A Host that forwards every call to another one. Derive from it to change a few operations
// (to inject faults, count calls or capture the console) and keep the rest as they are.
#ifndef VORMA_HOST_HOST_WRAPPER_H_
#define VORMA_HOST_HOST_WRAPPER_H_

#include "host/host.h"

namespace vorma {

class HostWrapper : public Host {
 public:
  explicit HostWrapper(Host* target) : target_(target) {}

  Host* target() const { return target_; }

  std::unique_ptr<SourceFile> open_source(const std::string& path) override {
    return target_->open_source(path);
  }
  std::unique_ptr<TargetFile> create_exclusive(const std::string& path,
                                               uint32_t permissions) override {
    return target_->create_exclusive(path, permissions);
  }
  bool exists(const std::string& path) override { return target_->exists(path); }
  bool rename_no_replace(const std::string& from, const std::string& to) override {
    return target_->rename_no_replace(from, to);
  }
  bool remove_file(const std::string& path) override { return target_->remove_file(path); }
  bool find_files(const std::string& directory_prefix, const std::string& name_pattern,
                  std::vector<std::string>* names) override {
    return target_->find_files(directory_prefix, name_pattern, names);
  }
  void print(std::string_view text) override { target_->print(text); }
  void flush_console() override { target_->flush_console(); }
  int interruption() override { return target_->interruption(); }

 private:
  Host* target_;
};

}  // namespace vorma

#endif  // VORMA_HOST_HOST_WRAPPER_H_
