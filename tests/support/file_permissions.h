// Tests of read-only files when they run as root, who may write to any file: while an ObeyFilePermissions
// lives, the calling thread obeys file permissions (CAP_DAC_OVERRIDE is out of its effective
// capabilities) as any user's program does.
#pragma once

#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdint>

namespace zil::test {

class ObeyFilePermissions {
 public:
  ObeyFilePermissions() {
    Get();
    saved_ = data_[0].effective;
    data_[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
    Set();
  }
  ~ObeyFilePermissions() {
    Get();
    data_[0].effective = saved_;
    Set();
  }
  ObeyFilePermissions(const ObeyFilePermissions&) = delete;
  ObeyFilePermissions& operator=(const ObeyFilePermissions&) = delete;

 private:
  void Get() { EXPECT_EQ(syscall(SYS_capget, &header_, data_), 0); }
  void Set() { EXPECT_EQ(syscall(SYS_capset, &header_, data_), 0); }

  __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data_[2]{};
  std::uint32_t saved_ = 0;
};

}  // namespace zil::test
