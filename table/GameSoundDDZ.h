// The table's sound service, one instance for the process: the seat voices
// (bids, card-type calls, quick-chat phrases), the single and pair calls with
// the card's value, the game's effects and the background music, all as files
// under "ddzSound/" handed to SoundManage.
//
// Sounds by number: a number n names "ddzSound/<n>.mp3". Three tables turn the
// callers' indexes into numbers: the music table, the voice table (two voice
// sets one after the other) and the effect table. Scripts reach every
// operation, so an index outside its table plays nothing and logs one line,
// and every composed file name that does not fit its buffer plays nothing and
// logs, instead of playing a cut name.
//
// Voice sets: an odd head id (head % 2 == 1) speaks with set A and "0" as the
// first number of a card call, every other head id with set B and "1".
//
// The table music alternates between two tracks through the counter
// m_iMusicIndex, which starts at 0 or 1 at random when the instance is made.
// The instance lives here, below the widgets, because the table view base
// plays the table music itself.
#pragma once

#include <string>

class GameSoundDDZ {
 public:
  // Numbers of the music files: entries 0 and 1 are the two table tracks,
  // entry 2 the room list's track.
  static constexpr int kMusicTable[] = {0, 1, 2, 12, 13, 1000};
  static constexpr int kMusicCount = sizeof(kMusicTable) / sizeof(kMusicTable[0]);
  static constexpr int kRoomListMusic = 2;

  // The voice table: set A (odd head ids) in entries 0-38, set B (even head
  // ids) in entries 39-77, the same meaning at the same index of each set:
  // 0-2 call 1-3 points, 3 no call, 5/6 beat it, 9 triple with single,
  // 10 triple with pair, 11 straight, 12 pair straight, 13 plane, 14 plane with
  // wings, 15 four with two, 16 bomb, 17 rocket, 18 triple, 20-24 quick-chat
  // phrases 0-4, 25/26 call the landlord, 27 no rob, 28/29 rob, 30/31 no
  // double, 32-34 double. The views read single entries when they compose
  // a voice file themselves (VoiceNumber).
  static constexpr int kVoiceSetSize = 39;
  static constexpr int kVoiceTable[2 * kVoiceSetSize] = {
      19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 55, 69,
      59, 60, 61, 62, 63, 96, 97, 98, 99, 100, 101, 134, 102, 132, 133, 103, 130, 131, 135,
      71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, 86, 87, 88, 89, 90,
      91, 92, 93, 94, 95, 112, 113, 114, 115, 116, 117, 154, 118, 152, 153, 119, 150, 151, 155};
  // The voice indexes the tables speak by name.
  enum SeatVoice : int {
    kVoiceNoCall = 3,
    kVoicePass = 4,
    kVoiceBeatIt = 5,  // 5 or 6 at random
    kVoiceTripleSingle = 9,
    kVoiceTriplePair = 10,
    kVoiceStraight = 11,
    kVoicePairStraight = 12,
    kVoicePlane = 13,
    kVoicePlaneWings = 14,
    kVoiceFourTwo = 15,
    kVoiceBomb = 16,
    kVoiceRocket = 17,
    kVoiceTriple = 18,
    kVoiceCall = 25,  // 25 or 26
    kVoiceNoRob = 27,
    kVoiceRob = 28,        // 28 or 29
    kVoiceNoDouble = 30,   // 30 or 31
    kVoiceDouble = 32,     // 32 to 34
    kVoiceShowHand = 38,
  };
  // The quick-chat layer speaks phrase n as voice index n + kVoiceChatFirst.
  static constexpr int kVoiceChatFirst = 20;

  // The effect table. Indexes the program uses: 3 a quick-chat phrase
  // touched, 4 straight, 6 plane, 7 super bomb, 8 rocket, 11 spring, 21 an
  // opponent down to few cards, 23 the own clock's last seconds, 32 a bomb or
  // rocket thrown at a seat.
  static constexpr int kEffectTable[] = {3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  57,  58,  120,
                                         121, 122, 123, 124, 125, 14,  15,  16,  18,  2008, 200, 201, 202, 203,
                                         204, 205, 206, 207, 208, 209, 210, 211, 212, 213, 214, 222};
  static constexpr int kEffectCount = sizeof(kEffectTable) / sizeof(kEffectTable[0]);
  static constexpr int kEffectClockWarning = 23;

  // Card types that have a card call with the value.
  static constexpr int kCardTypeSingle = 1;
  static constexpr int kCardTypePair = 32;

  // The instance, made on first use: the random source is seeded with the
  // wall time and the counter starts at Rand() % 2.
  static GameSoundDDZ* shareGameSoundDDZ();
  // Drops the instance (tests; the next shareGameSoundDDZ makes a new one).
  static void destroyInstance();

  // Whether the head id speaks with voice set A.
  static bool IsVoiceSetA(int iHeadIndex) { return iHeadIndex % 2 == 1; }
  // The file number of voice iTalkIndex for head iHeadIndex; -1 (logged) for
  // an index outside one voice set.
  static int VoiceNumber(int iHeadIndex, int iTalkIndex);

  // ---- voices (effects) ----
  // Voice iTalkIndex (0..kVoiceSetSize-1) of the head's voice set.
  void PlayerTalk(int iHeadIndex, int iTalkIndex);
  // "ddzSound/<name>"; the name carries its own extension.
  void PlayerTalk(const std::string& strSoundName);
  // "ddzSound/<set>_<kind>_<value>.mp3": set 0 for an odd head, else 1; kind
  // 1 for a single, 2 for a pair. Other card types play nothing.
  void PlayerTalkCard(int iHeadIndex, int iCardType, int iCardValue);

  // ---- effects ----
  // Effect iSoundIndex of the effect table.
  void PlayGameSound(int iSoundIndex);
  // "ddzSound/<name>".
  void PlayGameSound(const std::string& strSoundName);
  // "ddzSound/0_<head>_<name>".
  void PlayGameSound(int iHeadIndex, const std::string& strSoundName);

  // ---- music (each stops the music that plays first) ----
  // Music iMusicIndex of the music table, not looped.
  void PlayBackGroundMusic(int iMusicIndex);
  // "ddzSound/<name>", looped as bLoop says.
  void PlayBackGroundMusic(const std::string& strBkMusicName, bool bLoop);
  // Looped: the room list's track (true) or the next table track (false; the
  // counter moves on by one).
  void PlayBackGroundMusic(bool bRoomList);
  // "ddzSound/ddzcompete_background_<n>.mp3", looped.
  void PlayCompeteBackgroundMusic(int iIndex);

  void StopBackgroundMusic();
  void StopAllSound();

  int m_iMusicIndex = 0;

 private:
  GameSoundDDZ() = default;
};
