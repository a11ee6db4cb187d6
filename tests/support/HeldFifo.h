#pragma once

// A FIFO made at a path and held open at both ends by the test, with a byte that is no JSON
// waiting in it: code that opens it as a file by mistake neither blocks at the open nor at the
// read, so the test fails instead of hanging.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

namespace testing_support {

class HeldFifo {
 public:
  explicit HeldFifo(const std::string& path) {
    if (mkfifo(path.c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed: " + path);
    // Linux opens a FIFO for reading and writing at once without waiting for another end.
    fd_ = open(path.c_str(), O_RDWR | O_NONBLOCK);
    if (fd_ < 0 || write(fd_, "x", 1) != 1) throw std::runtime_error("can't hold " + path);
  }
  ~HeldFifo() { close(fd_); }
  HeldFifo(const HeldFifo&) = delete;
  HeldFifo& operator=(const HeldFifo&) = delete;

 private:
  int fd_ = -1;
};

}  // namespace testing_support
