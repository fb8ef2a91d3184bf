#include "WbRequestChecks.h"

#include <algorithm>

#include "KolStrings.h"

namespace {

// An IPv4 client of a dual-stack socket shows the local address as ::ffff:a.b.c.d; it names the
// server a.b.c.d.
std::string PlainAddress(const std::string& address) {
  const std::string mapped = "::ffff:";
  if (address.size() > mapped.size() && SameText(address.substr(0, mapped.size()), mapped) &&
      address.find('.') != std::string::npos)
    return address.substr(mapped.size());
  return address;
}

std::vector<std::string> OwnAuthorities(const TWbServedAt& at) {
  std::vector<std::string> names{Authority(at.ListenHost, at.Port), Authority("localhost", at.Port), "localhost"};
  if (!at.LocalAddress.empty()) names.push_back(Authority(PlainAddress(at.LocalAddress), at.Port));
  return names;
}

bool IsOwnAuthority(const TWbServedAt& at, const std::string& name) {
  const auto names = OwnAuthorities(at);
  return std::any_of(names.begin(), names.end(), [&](const std::string& own) { return SameText(own, name); });
}

std::string OwnNamesText(const TWbServedAt& at) {
  return Authority(at.ListenHost, at.Port) + " or " + Authority("localhost", at.Port);
}

bool IsDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The number of bytes, or maxBody + 1 for any number above maxBody (however many digits).
size_t BoundedLength(const std::string& digits, size_t maxBody) {
  size_t length = 0;
  for (char c : digits) {
    length = length * 10 + static_cast<size_t>(c - '0');
    if (length > maxBody) return maxBody + 1;
  }
  return length;
}

}  // namespace

std::string Authority(const std::string& host, int port) {
  const bool v6 = host.find(':') != std::string::npos;
  return (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

void CheckHost(const TWbServedAt& at, const std::optional<std::string>& host) {
  if (!host) throw TWbRequestError{421, "the request names no Host; this server is " + OwnNamesText(at)};
  if (!IsOwnAuthority(at, *host))
    throw TWbRequestError{421, "Host '" + *host + "' is not this server; it is " + OwnNamesText(at)};
}

void CheckHost(const TWbServedAt& at, const std::vector<std::string>& hosts) {
  if (hosts.size() > 1) throw TWbRequestError{400, "Host is given more than once"};
  CheckHost(at, hosts.empty() ? std::nullopt : std::optional(hosts.front()));
}

void CheckOrigin(const TWbServedAt& at, const std::optional<std::string>& origin) {
  if (!origin) return;
  const std::string scheme = "http://";
  const bool own = origin->size() > scheme.size() && SameText(origin->substr(0, scheme.size()), scheme) &&
                   IsOwnAuthority(at, origin->substr(scheme.size()));
  if (!own)
    throw TWbRequestError{
        403, "Origin '" + *origin + "' is not this server's page (http://" + Authority(at.ListenHost, at.Port) + ")"};
}

void CheckFraming(const TWbFraming& framing, size_t maxBody) {
  const auto& lengths = framing.ContentLengths;
  const auto& codings = framing.TransferEncodings;
  if (lengths.size() > 1) throw TWbRequestError{400, "Content-Length is given more than once"};
  if (!lengths.empty() && !codings.empty())
    throw TWbRequestError{400, "a request gives Content-Length or Transfer-Encoding, not both"};
  if (codings.size() > 1 || (codings.size() == 1 && !SameText(codings[0], "chunked")))
    throw TWbRequestError{501, "Transfer-Encoding '" + codings.back() + "' is not supported; only chunked"};
  size_t length = 0;
  if (!lengths.empty()) {
    if (!IsDigits(lengths[0])) throw TWbRequestError{400, "Content-Length '" + lengths[0] + "' is no number of bytes"};
    length = BoundedLength(lengths[0], maxBody);
    if (length > maxBody) throw TWbRequestError{413, "the body is larger than " + std::to_string(maxBody) + " bytes"};
  }
  const bool hasBody = length > 0 || !codings.empty();
  if (framing.Method == "POST" && lengths.empty() && codings.empty())
    throw TWbRequestError{411, "a POST needs Content-Length or a chunked body"};
  if (framing.Method != "POST" && hasBody) throw TWbRequestError{400, "a " + framing.Method + " carries no body"};
}

bool IsJsonMediaType(const std::string& contentType) {
  return SameText(TrimText(contentType.substr(0, contentType.find(';'))), "application/json");
}
