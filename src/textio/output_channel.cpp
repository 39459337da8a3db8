#include "textio/output_channel.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <mutex>
#include <string>

#include "textio/channel_table.h"
#include "textio/end_claim.h"
#include "textio/message_catalogue.h"
#include "textio/program_end.h"

namespace floodwave::textio {

namespace {

enum class State { kUnconnected, kConnected, kRefused, kClosed };

struct Channel {
  Channel(int unit_number, char* storage, std::size_t size)
      : unit(unit_number), buffer(storage), capacity(size) {}

  const int unit;
  // Null for the console, which is written through.
  char* const buffer;
  const std::size_t capacity;
  std::timed_mutex lock;
  State state = State::kUnconnected;
  int fd = -1;
  std::size_t used = 0;
  char name[kMaxChannelName] = {};
  std::size_t name_length = 0;
};

// Room on the stack for a composed write that goes to the console.
constexpr std::size_t kAsideBytes = 1024;

char g_results_buffer[kFileBufferSize];
char g_log_buffer[kFileBufferSize];

Channel g_channels[kOutputChannelCount] = {
    {kConsoleOutput, nullptr, 0},
    {5, g_results_buffer, kFileBufferSize},
    {7, g_log_buffer, kFileBufferSize},
};

constexpr std::string_view kConsoleInputName = "CONIN$";
constexpr std::string_view kConsoleOutputName = "CONOUT$";

Channel* FindChannel(int unit) {
  for (Channel& channel : g_channels) {
    if (channel.unit == unit) return &channel;
  }
  return nullptr;
}

// Hands `size` bytes to the system, however many calls it takes. Returns 0
// or the system's error code; a call that accepts nothing is a refusal.
int WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const std::size_t chunk = size < SSIZE_MAX ? size : SSIZE_MAX;
    const ssize_t written = write(fd, data, chunk);
    if (written > 0) {
      data += written;
      size -= static_cast<std::size_t>(written);
    } else if (written < 0 && errno == EINTR) {
      continue;
    } else if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      // A descriptor left non-blocking by whoever started the program:
      // wait until it takes more instead of calling that a refusal.
      pollfd ready{fd, POLLOUT, 0};
      if (poll(&ready, 1, -1) < 0 && errno != EINTR) return errno;
    } else {
      return written < 0 ? errno : EIO;
    }
  }
  return 0;
}

int Flush(Channel& channel) {
  const std::size_t used = channel.used;
  channel.used = 0;
  return WriteAll(channel.fd, channel.buffer, used);
}

// Appends one whole write; the caller holds the channel's lock.
int Append(Channel& channel, std::string_view bytes) {
  if (channel.buffer == nullptr) return WriteAll(channel.fd, bytes.data(), bytes.size());
  if (bytes.size() > channel.capacity - channel.used) {
    if (const int error = Flush(channel); error != 0) return error;
    if (bytes.size() > channel.capacity) return WriteAll(channel.fd, bytes.data(), bytes.size());
  }
  std::memcpy(channel.buffer + channel.used, bytes.data(), bytes.size());
  channel.used += bytes.size();
  return 0;
}

// Runs `write` on the channel of `unit` under its lock, once the channel is
// known to be connected; `write` returns 0 or the system's error code. A
// refused write ends the program.
template <class Write>
void WriteLocked(int unit, const Write& write) {
  Channel* channel = FindChannel(unit);
  if (channel == nullptr) FatalReport(kWriteError, unit, EBADF);
  int error = 0;
  {
    std::unique_lock guard(channel->lock);
    if (InterruptEndUnderWay()) {
      // The interrupt thread is completing the channels: this write does
      // not happen at all.
      guard.unlock();
      WaitForEnd();
    }
    if (channel->state == State::kUnconnected && unit == kConsoleOutput) {
      channel->fd = STDOUT_FILENO;
      channel->state = State::kConnected;
    }
    if (channel->state != State::kConnected) {
      error = EBADF;
    } else if (error = write(*channel); error != 0) {
      // What the system did not take is lost; the report says so, and the
      // closing must not try the same write again.
      channel->state = State::kRefused;
      channel->used = 0;
    }
  }
  if (error != 0) FatalReport(kWriteError, unit, error);
}

}  // namespace

void WriteToChannel(int unit, std::string_view bytes) {
  WriteLocked(unit, [bytes](Channel& channel) { return Append(channel, bytes); });
}

void ComposeToChannel(int unit, std::size_t most, ComposeWrite compose, const void* context) {
  WriteLocked(unit, [=](Channel& channel) {
    if (channel.buffer != nullptr && most <= channel.capacity) {
      if (most > channel.capacity - channel.used) {
        if (const int error = Flush(channel); error != 0) return error;
      }
      channel.used += compose(channel.buffer + channel.used, context);
      return 0;
    }
    // The console (the dialogue's prompts), or a write that no buffer
    // holds: composed aside, on the stack when it is small.
    if (most <= kAsideBytes) {
      char aside[kAsideBytes];
      return Append(channel, std::string_view(aside, compose(aside, context)));
    }
    std::string aside(most, '\0');
    aside.resize(compose(aside.data(), context));
    return Append(channel, aside);
  });
}

bool IsFileUnit(int unit) { return unit != kConsoleOutput && FindChannel(unit) != nullptr; }

bool IsChannelConnected(int unit) {
  Channel* channel = FindChannel(unit);
  if (channel == nullptr) return false;
  std::lock_guard guard(channel->lock);
  return channel->state == State::kConnected;
}

std::string_view ChannelName(int unit) {
  if (unit == kConsoleInput) return kConsoleInputName;
  if (unit == kConsoleOutput) return kConsoleOutputName;
  Channel* channel = FindChannel(unit);
  if (channel == nullptr) return {};
  return {channel->name, channel->name_length};
}

void SetChannelName(int unit, std::string_view path) {
  Channel* channel = FindChannel(unit);
  if (channel == nullptr || channel->buffer == nullptr) return;
  std::lock_guard guard(channel->lock);
  const std::size_t length = path.size() < kMaxChannelName ? path.size() : kMaxChannelName;
  std::memcpy(channel->name, path.data(), length);
  channel->name_length = length;
}

void ConnectFileChannel(int unit, int fd) {
  Channel* channel = FindChannel(unit);
  if (channel == nullptr || channel->buffer == nullptr) return;
  std::lock_guard guard(channel->lock);
  channel->fd = fd;
  channel->used = 0;
  channel->state = State::kConnected;
}

int CompleteChannels(std::chrono::milliseconds lock_wait,
                     RefusedWrite (&refused)[kOutputChannelCount]) {
  int count = 0;
  for (Channel& channel : g_channels) {
    std::unique_lock guard(channel.lock, std::defer_lock);
    if (!guard.try_lock_for(lock_wait)) continue;
    const bool is_file = channel.buffer != nullptr;
    int error = 0;
    if (channel.state == State::kConnected && is_file) error = Flush(channel);
    // The console is left open: releasing it must not affect it.
    if (is_file && (channel.state == State::kConnected || channel.state == State::kRefused)) {
      // A failed close can mean data the system never stored (a network
      // file system reports it only here); EINTR leaves the file closed.
      if (close(channel.fd) != 0 && error == 0 && channel.state == State::kConnected &&
          errno != EINTR) {
        error = errno;
      }
      channel.fd = -1;
    }
    channel.state = State::kClosed;
    if (error != 0) refused[count++] = {channel.unit, error};
  }
  return count;
}

}  // namespace floodwave::textio
