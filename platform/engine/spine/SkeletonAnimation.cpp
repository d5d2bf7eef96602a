#include "platform/engine/spine/SkeletonAnimation.h"

#include "platform/engine/FileUtils.h"

namespace spine {

SkeletonAnimation* SkeletonAnimation::createWithJsonFile(const std::string& skeletonJsonFile,
                                                         const std::string& atlasFile, float scale) {
  auto* s = new SkeletonAnimation();
  s->_json = skeletonJsonFile;
  s->_atlas = atlasFile;
  s->_scale = scale;
  auto* files = cocos2d::FileUtils::getInstance();
  s->_filesFound = files->isFileExist(skeletonJsonFile) && files->isFileExist(atlasFile);
  s->autorelease();
  return s;
}

TrackEntry* SkeletonAnimation::setAnimation(int trackIndex, const std::string& name, bool loop) {
  TrackEntry& e = _tracks[trackIndex];
  e = TrackEntry{trackIndex, name, loop};
  return &e;
}

TrackEntry* SkeletonAnimation::addAnimation(int trackIndex, const std::string& name, bool loop, float) {
  if (_tracks.count(trackIndex)) return &_tracks[trackIndex];  // queued after the current one
  return setAnimation(trackIndex, name, loop);
}

TrackEntry* SkeletonAnimation::getCurrent(int trackIndex) {
  auto it = _tracks.find(trackIndex);
  return it == _tracks.end() ? nullptr : &it->second;
}

}  // namespace spine
