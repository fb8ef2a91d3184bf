// One client connection of the server, read and written under deadlines: a client that sends a
// byte now and then, or reads its answer that way, holds a thread for a bounded time only, and
// every wait ends soon after the server is told to stop.
#pragma once

#include <httplib.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>

struct TWbConnectionLimits {
  std::chrono::milliseconds Idle;     // from the accept or the last answer to a request's first byte
  std::chrono::milliseconds Request;  // from a request's first byte to its last
  std::chrono::milliseconds Answer;   // to write an answer
  size_t RequestBytes;                // a request as sent: its line, headers and body framing
  size_t RequestsPerConnection;
};

class TWbConnection final : public httplib::Stream {
 public:
  TWbConnection(socket_t socket, const TWbConnectionLimits& limits, const std::atomic<bool>& stopping);

  // Waits up to the idle time for the next request; false when none comes or the server stops.
  bool WaitForRequest();
  // Starts a request's deadlines and byte count.
  void BeginRequest();
  // After an answer that leaves part of the request unread (an error answer), the connection
  // cannot find the next request's start and ends.
  void EndAfterAnswer() { FEndAfterAnswer = true; }
  bool EndsAfterAnswer() const { return FEndAfterAnswer; }
  // Reads and drops what the client still sends, for a short while, so that closing does not
  // reset the connection before the client has read the answer.
  void DrainBeforeClose(std::chrono::milliseconds linger);

  bool is_readable() const override;
  bool is_writable() const override;
  ssize_t read(char* ptr, size_t size) override;
  ssize_t write(const char* ptr, size_t size) override;
  void get_remote_ip_and_port(std::string& ip, int& port) const override;
  void get_local_ip_and_port(std::string& ip, int& port) const override;
  socket_t socket() const override { return FSocket; }

 private:
  using TClock = std::chrono::steady_clock;
  // Polls for events until the deadline passes or the server stops.
  bool WaitFor(short events, TClock::time_point deadline) const;
  TClock::time_point AnswerDeadline() const;

  socket_t FSocket;
  const TWbConnectionLimits& FLimits;
  const std::atomic<bool>& FStopping;
  TClock::time_point FRequestDeadline;
  mutable TClock::time_point FAnswerDeadline{};  // set by the answer's first write
  size_t FRequestBytes = 0;
  bool FEndAfterAnswer = false;
  std::array<char, 4096> FBuffer{};
  size_t FBufferStart = 0, FBufferEnd = 0;
};

// The connection the calling thread serves, or nullptr; set while TWbServedConnection lives.
TWbConnection* ThisThreadsConnection();

class TWbServedConnection {
 public:
  explicit TWbServedConnection(TWbConnection& connection);
  ~TWbServedConnection();
  TWbServedConnection(const TWbServedConnection&) = delete;
  TWbServedConnection& operator=(const TWbServedConnection&) = delete;
};
