#include "platform/page/url.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace prevod {

namespace {

std::string lower(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return result;
}

// Blanks and control characters around the address go, and tabs and line
// breaks inside it are dropped, as browsers do with addresses typed or
// written in markup. The fragment is the exception: everything after the
// first "#" is kept exactly as written, trailing blanks included.
std::string clean(std::string_view address) {
  size_t begin = 0;
  while (begin < address.size() && static_cast<unsigned char>(address[begin]) <= ' ') ++begin;
  address.remove_prefix(begin);
  size_t hash = address.find('#');
  std::string_view before = address.substr(0, hash);
  while (!before.empty() && static_cast<unsigned char>(before.back()) <= ' ') {
    before.remove_suffix(1);
  }
  std::string result;
  result.reserve(address.size());
  for (char c : before) {
    if (c == '\t' || c == '\n' || c == '\r') continue;
    result += c;
  }
  if (hash != std::string_view::npos) result.append(address.substr(hash));
  return result;
}

bool is_hierarchical(std::string_view scheme) {
  return scheme == "http" || scheme == "https" || scheme == "file" || scheme == "ftp";
}

// The scheme's length (without the ":"), or 0 when the text has none.
size_t scheme_length(std::string_view text) {
  if (text.empty() || !std::isalpha(static_cast<unsigned char>(text[0]))) return 0;
  for (size_t i = 1; i < text.size(); ++i) {
    char c = text[i];
    if (c == ':') return i;
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') return 0;
  }
  return 0;
}

// Splits "path?query#fragment" into its parts; the fragment starts at the
// first "#" and the query at the first "?" before it.
void split_tail(std::string_view tail, Url& url, std::string& path) {
  size_t hash = tail.find('#');
  if (hash != std::string_view::npos) {
    url.has_fragment = true;
    url.fragment = std::string(tail.substr(hash + 1));
    tail = tail.substr(0, hash);
  }
  size_t question = tail.find('?');
  if (question != std::string_view::npos) {
    url.has_query = true;
    url.query = std::string(tail.substr(question + 1));
    tail = tail.substr(0, question);
  }
  path = std::string(tail);
}

// Removes "." and ".." segments from an absolute path.
std::string remove_dot_segments(const std::string& path) {
  std::vector<std::string> segments;
  size_t start = 1;  // past the leading "/"
  bool trailing_slash = false;
  while (start <= path.size()) {
    size_t slash = path.find('/', start);
    std::string segment =
        path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    bool last = slash == std::string::npos;
    if (segment == ".") {
      trailing_slash = last;
    } else if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
      trailing_slash = last;
    } else {
      segments.push_back(segment);
      trailing_slash = false;
    }
    if (last) break;
    start = slash + 1;
  }
  std::string result;
  for (const auto& segment : segments) result += "/" + segment;
  if (trailing_slash || result.empty()) result += "/";
  return result;
}

bool valid_host(std::string_view host) {
  for (char c : host) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u <= ' ' || u == 0x7f) return false;
    if (std::string_view("<>\\^|%\"`{}/?#@:").find(c) != std::string_view::npos) return false;
  }
  return true;
}

const char* default_port(std::string_view scheme) {
  if (scheme == "http") return "80";
  if (scheme == "https") return "443";
  if (scheme == "ftp") return "21";
  return "";
}

}  // namespace

std::optional<Url> Url::parse(std::string_view address) {
  std::string text = clean(address);
  size_t colon = scheme_length(text);
  if (colon == 0) return std::nullopt;
  Url url;
  url.scheme = lower(std::string_view(text).substr(0, colon));
  std::string_view rest = std::string_view(text).substr(colon + 1);
  if (!is_hierarchical(url.scheme)) {
    // An opaque address such as "about:blank": everything before the
    // query or fragment is its path.
    split_tail(rest, url, url.path);
    return url;
  }
  if (rest.substr(0, 2) != "//") return std::nullopt;
  rest.remove_prefix(2);
  size_t authority_end = rest.find_first_of("/?#");
  std::string_view authority = rest.substr(0, authority_end);
  rest = authority_end == std::string_view::npos ? std::string_view() : rest.substr(authority_end);
  size_t at = authority.rfind('@');
  if (at != std::string_view::npos) authority.remove_prefix(at + 1);
  std::string_view host = authority;
  if (!authority.empty() && authority.front() == '[') {
    size_t close = authority.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    host = authority.substr(0, close + 1);
    std::string_view after = authority.substr(close + 1);
    if (!after.empty()) {
      if (after.front() != ':') return std::nullopt;
      url.port = std::string(after.substr(1));
    }
  } else {
    size_t port_colon = authority.rfind(':');
    if (port_colon != std::string_view::npos) {
      host = authority.substr(0, port_colon);
      url.port = std::string(authority.substr(port_colon + 1));
    }
    if (!valid_host(host)) return std::nullopt;
  }
  if (!std::all_of(url.port.begin(), url.port.end(),
                   [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
    return std::nullopt;
  }
  if (url.port == default_port(url.scheme)) url.port.clear();
  url.host = lower(host);
  if (url.host.empty() && url.scheme != "file") return std::nullopt;
  std::string path;
  split_tail(rest, url, path);
  url.path = remove_dot_segments(path.empty() ? "/" : path);
  return url;
}

std::optional<Url> Url::resolve(std::string_view base_address, std::string_view reference) {
  std::string ref = clean(reference);
  if (scheme_length(ref) != 0) return parse(ref);
  std::optional<Url> base = parse(base_address);
  if (!base) return std::nullopt;
  Url url = *base;
  url.has_fragment = false;
  url.fragment.clear();
  if (ref.empty()) return url;
  if (ref.front() == '#') {
    url.has_fragment = true;
    url.fragment = ref.substr(1);
    return url;
  }
  if (!is_hierarchical(url.scheme)) return std::nullopt;
  if (ref.substr(0, 2) == "//") return parse(url.scheme + ":" + ref);
  Url parts;
  std::string path;
  split_tail(ref, parts, path);
  url.has_fragment = parts.has_fragment;
  url.fragment = parts.fragment;
  if (path.empty()) {
    // "?query": the base path with the new query.
    url.has_query = parts.has_query;
    url.query = parts.query;
    return url;
  }
  url.has_query = parts.has_query;
  url.query = parts.query;
  if (path.front() == '/') {
    url.path = remove_dot_segments(path);
    return url;
  }
  std::string directory = url.path.substr(0, url.path.rfind('/') + 1);
  url.path = remove_dot_segments(directory + path);
  return url;
}

std::string Url::path_and_query() const {
  return has_query ? path + "?" + query : path;
}

std::string Url::without_fragment() const {
  if (!is_hierarchical(scheme)) return scheme + ":" + path_and_query();
  std::string result = scheme + "://" + host;
  if (!port.empty()) result += ":" + port;
  return result + path_and_query();
}

std::string Url::str() const {
  return has_fragment ? without_fragment() + "#" + fragment : without_fragment();
}

bool Url::is_local() const {
  constexpr std::string_view kSuffix = ".localhost";
  if (scheme != "http" && scheme != "https") return false;
  if (host == "localhost") return true;
  return host.size() > kSuffix.size() && host.ends_with(kSuffix);
}

}  // namespace prevod
