// Skeletal animations. Headless stand-in: a node that records its skeleton
// and atlas files, the animation set on each track, its loop flag and its
// mirroring; nothing is drawn and no skeleton is loaded.
#pragma once

#include <map>
#include <string>

#include "platform/engine/Node.h"

namespace spine {

struct TrackEntry {
  int trackIndex = 0;
  std::string animation;
  bool loop = false;
};

class SkeletonAnimation : public cocos2d::Node {
 public:
  static SkeletonAnimation* createWithJsonFile(const std::string& skeletonJsonFile, const std::string& atlasFile,
                                               float scale = 1);
  static SkeletonAnimation* createWithFile(const std::string& skeletonDataFile, const std::string& atlasFile,
                                           float scale = 1) {
    return createWithJsonFile(skeletonDataFile, atlasFile, scale);
  }
  TrackEntry* setAnimation(int trackIndex, const std::string& name, bool loop);
  TrackEntry* addAnimation(int trackIndex, const std::string& name, bool loop, float delay = 0);
  TrackEntry* getCurrent(int trackIndex = 0);
  void clearTracks() { _tracks.clear(); }
  void setSkin(const std::string& skin) { _skin = skin; }
  const std::string& getSkin() const { return _skin; }
  void setFlippedX(bool flipped) { _flippedX = flipped; }
  // Mirrored by flip or by a negative x scale.
  bool isMirrored() const { return _flippedX != (getScaleX() < 0); }
  const std::string& getSkeletonFile() const { return _json; }
  const std::string& getAtlasFile() const { return _atlas; }
  float getSkeletonScale() const { return _scale; }
  // Whether both files were found through the search paths.
  bool hasFiles() const { return _filesFound; }

 private:
  SkeletonAnimation() = default;
  std::string _json, _atlas, _skin;
  float _scale = 1;
  bool _flippedX = false;
  bool _filesFound = false;
  std::map<int, TrackEntry> _tracks;
};

}  // namespace spine
