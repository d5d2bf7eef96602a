// The table's sound service, one instance for the process: the background
// music of the table and of the room list, played by number as
// "ddzSound/<n>.mp3" through SoundManage.
//
// The table music alternates between two tracks through the counter
// m_iMusicIndex, which starts at 0 or 1 at random when the instance is made.
// The instance lives here, below the widgets, because the table view base
// plays the table music itself.
#pragma once

class GameSoundDDZ {
 public:
  // Numbers of the music files: entries 0 and 1 are the two table tracks,
  // entry 2 the room list's track.
  static constexpr int kMusicTable[] = {0, 1, 2, 12, 13, 1000};
  static constexpr int kMusicCount = sizeof(kMusicTable) / sizeof(kMusicTable[0]);
  static constexpr int kRoomListMusic = 2;

  // The instance, made on first use: the random source is seeded with the
  // wall time and the counter starts at Rand() % 2.
  static GameSoundDDZ* shareGameSoundDDZ();
  // Drops the instance (tests; the next shareGameSoundDDZ makes a new one).
  static void destroyInstance();

  // Stops the music, then plays, looped, the room list's track (true) or the
  // next table track (false; the counter moves on by one).
  void PlayBackGroundMusic(bool bRoomList);

  int m_iMusicIndex = 0;

 private:
  GameSoundDDZ() = default;
};
