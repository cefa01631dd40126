#include "resources/player_markup.h"

namespace {

// Identical to player_markup.html, byte for byte.
constexpr const char* kPlayerMarkup = R"markup(<script type="text/javascript">
if (typeof AC_FL_RunContent == "undefined") {
	alert("This page requires AC_RunActiveContent.js.");
} else {
	AC_FL_RunContent(
		'width', '737',
		'height', '370',
		'src', '/onlineservices/voice_reader/vr_demo.swf',
		'movie', '/onlineservices/voice_reader/vr_demo',
		'quality', 'high',
		'align', 'middle',
		'play', 'true',
		'loop', 'true',
		'scale', 'showall',
		'wmode', 'transparent',
		'devicefont', 'false',
		'id', 'vr_demo',
		'name', 'vr_demo',
		'bgcolor', '#ffffff',
		'menu', 'true',
		'allowFullScreen', 'false',
		'allowScriptAccess', 'sameDomain',
		'flashvars', 'lang=en-gb&text=Welcome%20to%20Voice%20Reader%20Web.%20Type%20a%20text%20and%20press%20Speak.&server=http://voicereader.localhost/onlineservices/voice_reader/tts&customer=vrw-demo-0417&user=web-guest-2291'
	);
}
</script>
<OBJECT id="vr_demo" name="vr_demo" classid="clsid:d27cdb6e-ae6d-11cf-96b8-444553540000" codebase="http://voicereader.localhost/onlineservices/voice_reader/swflash.cab#version=9,0,28,0" width="737" height="370" align="middle">
<PARAM NAME="_cx" VALUE="19500">
<PARAM NAME="_cy" VALUE="9790">
<PARAM NAME="FlashVars" VALUE="">
<PARAM NAME="Movie" VALUE="/onlineservices/voice_reader/vr_demo.swf">
<PARAM NAME="Src" VALUE="/onlineservices/voice_reader/vr_demo.swf">
<PARAM NAME="WMode" VALUE="Transparent">
<PARAM NAME="Play" VALUE="0">
<PARAM NAME="Loop" VALUE="-1">
<PARAM NAME="Quality" VALUE="High">
<PARAM NAME="SAlign" VALUE="">
<PARAM NAME="Menu" VALUE="-1">
<PARAM NAME="Base" VALUE="">
<PARAM NAME="AllowScriptAccess" VALUE="sameDomain">
<PARAM NAME="Scale" VALUE="ShowAll">
<PARAM NAME="DeviceFont" VALUE="0">
<PARAM NAME="EmbedMovie" VALUE="0">
<PARAM NAME="BGColor" VALUE="FFFFFF">
<PARAM NAME="SWRemote" VALUE="">
<PARAM NAME="MovieData" VALUE="">
<PARAM NAME="SeamlessTabbing" VALUE="1">
<PARAM NAME="Profile" VALUE="0">
<PARAM NAME="ProfileAddress" VALUE="">
<PARAM NAME="ProfilePort" VALUE="0">
<PARAM NAME="AllowNetworking" VALUE="all">
<PARAM NAME="AllowFullScreen" VALUE="false">
</OBJECT>
<noscript>
<object classid="clsid:d27cdb6e-ae6d-11cf-96b8-444553540000" codebase="http://voicereader.localhost/onlineservices/voice_reader/swflash.cab#version=9,0,28,0" width="737" height="370" id="vr_demo" name="vr_demo" align="middle">
<param name="allowScriptAccess" value="sameDomain">
<param name="allowFullScreen" value="false">
<param name="movie" value="/onlineservices/voice_reader/vr_demo.swf">
<param name="quality" value="high">
<param name="play" value="true">
<param name="loop" value="true">
<param name="scale" value="showall">
<param name="wmode" value="transparent">
<param name="devicefont" value="false">
<param name="bgcolor" value="#ffffff">
<param name="menu" value="true">
<param name="flashvars" value="lang=en-gb&amp;text=Welcome%20to%20Voice%20Reader%20Web.%20Type%20a%20text%20and%20press%20Speak.&amp;server=http://voicereader.localhost/onlineservices/voice_reader/tts&amp;customer=vrw-demo-0417&amp;user=web-guest-2291">
<embed src="/onlineservices/voice_reader/vr_demo.swf" width="737" height="370" quality="high" align="middle" play="true" loop="true" scale="showall" wmode="transparent" devicefont="false" name="vr_demo" bgcolor="#ffffff" menu="true" allowFullScreen="false" allowScriptAccess="sameDomain" flashvars="lang=en-gb&amp;text=Welcome%20to%20Voice%20Reader%20Web.%20Type%20a%20text%20and%20press%20Speak.&amp;server=http://voicereader.localhost/onlineservices/voice_reader/tts&amp;customer=vrw-demo-0417&amp;user=web-guest-2291" type="application/x-shockwave-flash" pluginspage="http://voicereader.localhost/onlineservices/voice_reader/player">
</object>
</noscript>
)markup";

}  // namespace

const std::string& PlayerMarkup() {
  static const std::string markup(kPlayerMarkup);
  return markup;
}
