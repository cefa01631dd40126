#pragma once

// Web addresses as the page engine reads them: an absolute address split
// into its parts, and a reference (an href) resolved against the address of
// the page it appears in. Only what the engine needs: hierarchical schemes
// with a host (http, https, file) and "about:" pages. The fragment is the
// text after the FIRST "#", taken whole: "|" and further "#" belong to it.

#include <optional>
#include <string>
#include <string_view>

namespace prevod {

struct Url {
  std::string scheme;  // lower case, e.g. "http"
  std::string host;    // lower case, without the port; "" for "about:" pages
  std::string port;    // digits, "" when none was given
  std::string path;    // "/" at least for addresses with a host
  std::string query;   // without the "?"
  std::string fragment;
  bool has_query = false;
  bool has_fragment = false;

  // Parses an absolute address; nullopt when it is not one (no scheme, an
  // empty host, a port that is not a number).
  static std::optional<Url> parse(std::string_view address);
  // Resolves a reference against a base address; nullopt when the base is
  // not absolute and the reference is not absolute either.
  static std::optional<Url> resolve(std::string_view base, std::string_view reference);

  // "/path?query" (what a site serves), without the fragment.
  std::string path_and_query() const;
  // The whole address without the fragment.
  std::string without_fragment() const;
  // The whole address, normalised (lower-case scheme and host, "/" path).
  std::string str() const;
  // Whether the address names a host whose pages the engine serves itself.
  bool is_local() const;
};

}  // namespace prevod
