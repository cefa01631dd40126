#pragma once

// The voice reader web site served in process: its text-to-speech demo page
// at "/onlineservices/voice_reader", shaped as the host program expects to
// find it before it reduces the page to the player. Several div blocks
// (the player's embedding in the second), links, drop-down lists and
// layout tables. The page reports two finished downloads, the page itself
// and then the player's movie. Every other path answers 404.

#include <string>
#include <string_view>

#include "platform/page/site.h"

namespace prevod {

class VoiceReaderSite : public Site {
 public:
  static constexpr std::string_view kHost = "voicereader.localhost";
  static constexpr std::string_view kPath = "/onlineservices/voice_reader";
  // The class id of the player's OBJECT element (the Shockwave Flash one).
  static constexpr std::string_view kPlayerClassId = "clsid:d27cdb6e-ae6d-11cf-96b8-444553540000";

  PageLoad load(const std::string& path_and_query) override;

  // The demo page as served.
  static std::string page_html();
};

}  // namespace prevod
