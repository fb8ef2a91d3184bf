// nuv-workbench --serve as a child process of a test, and raw HTTP over loopback for requests
// that a well-behaved client never sends. Every child is stopped and reaped on every path: the
// guard that owns it kills it when a test or a fixture's set-up fails.
#pragma once

#include <httplib.h>
#include <sys/types.h>

#include <chrono>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

using TMs = std::chrono::milliseconds;

// A child whose stdout is a pipe; the destructor ends it (SIGTERM, then SIGKILL) and reaps it.
class TChildProcess {
 public:
  explicit TChildProcess(std::vector<std::string> args);
  ~TChildProcess();
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;

  // A line of stdout, without its end; throws when none comes within the time.
  std::string ReadLine(TMs timeout);

  struct TEnd {
    int Status;  // the exit status; 128 + the signal when it was killed
    TMs Took;    // from SIGTERM to its end
  };
  // SIGTERM; SIGKILL once grace has passed. Only once.
  TEnd Terminate(TMs grace);
  bool Running() const { return FPid > 0; }

 private:
  pid_t FPid = -1;
  int FOut = -1;
};

// A server's whole command line, program first; ErrorsExpected: error events before the serving
// line are what the test is about, not a failed set-up.
struct TServeCommand {
  std::vector<std::string> Args;
  bool ErrorsExpected = false;
};

// nuv-workbench --serve 127.0.0.1:0 on an application file, from its serving line on. An error
// event or a line that is no event before that line fails the set-up with that line, and the
// server is stopped.
class TServedWorkbench {
 public:
  // options: more of the runner's options, such as --script FILE.
  explicit TServedWorkbench(const std::string& appFile, const std::vector<std::string>& options = {},
                            bool errorsExpected = false);
  explicit TServedWorkbench(TServeCommand command);

  // SIGTERM; the exit status.
  int Stop();
  TChildProcess::TEnd Terminate(TMs grace);

  const std::string& Url() const { return FUrl; }
  int Port() const { return FPort; }
  std::string HostPort() const { return "127.0.0.1:" + std::to_string(FPort); }
  httplib::Client& Client() { return *FClient; }

  httplib::Result Post(const std::string& path, const std::string& body);
  nlohmann::json State();

 private:
  TChildProcess FChild;
  std::string FUrl;
  int FPort = 0;
  std::unique_ptr<httplib::Client> FClient;
};

// A loopback connection for raw requests; closed when it goes.
class TRawConnection {
 public:
  explicit TRawConnection(int port);
  ~TRawConnection();
  TRawConnection(const TRawConnection&) = delete;
  TRawConnection& operator=(const TRawConnection&) = delete;

  // False once the server has closed the connection or stopped reading.
  bool Send(const std::string& bytes);
  // Sends bytes until they are all sent or the server answers (or closes); true when all went.
  bool SendUnlessAnswered(const std::string& bytes);
  // Everything the server sends until it closes the connection or the time is over.
  std::string ReadAll(TMs timeout);
  bool Readable(TMs timeout) const;

 private:
  int FSocket = -1;
};

// The status of a raw answer ("HTTP/1.1 413 ..."), or 0 when there is none.
int StatusOf(const std::string& answer);
// A header's value in a raw answer, or "".
std::string HeaderOf(const std::string& answer, const std::string& name);
// The body of a raw answer.
std::string BodyOf(const std::string& answer);
// An HTTP/1.1 request as text, with Host given unless host is empty, that asks the server to
// close the connection after its answer.
std::string RawRequest(const std::string& method, const std::string& path, const std::string& host,
                       const std::vector<std::string>& headers = {}, const std::string& body = "");
// A body in chunks of chunkSize bytes, with the last chunk.
std::string Chunked(const std::string& body, size_t chunkSize);

const std::string& ExamplesDir();
