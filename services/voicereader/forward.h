#pragma once

namespace prevod {

// Forward declarations for the voice reader service.

class PlayerDirectory;
class PlayerTextField;
class PlayerVoice;
class RecordingPlayerVoice;
class SpeakerPlayerVoice;
class VoiceList;
class VoiceReaderPlayer;
class VoiceReaderSite;
struct VoiceEntry;

}  // namespace prevod
