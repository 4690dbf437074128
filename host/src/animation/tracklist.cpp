#include "animation/tracklist.h"

#include <algorithm>

namespace host {

scn::AnimTrack* TrackList::Find(scn::Int32 id, scn::Int32 subId) const {
  for (const auto& t : tracks_)
    if (t->data.id == id && t->data.subId == subId) return t.get();
  return nullptr;
}

scn::AnimTrack* TrackList::Create(scn::Int32 id, scn::Int32 subId) {
  if (Find(id, subId)) return nullptr;
  tracks_.push_back(std::make_unique<scn::AnimTrack>(node_, id, subId));
  return tracks_.back().get();
}

void TrackList::Free(const scn::AnimTrack& track) {
  std::erase_if(tracks_, [&track](const auto& t) { return t.get() == &track; });
}

scn::AnimTrack* TrackList::After(const scn::AnimTrack& track) const {
  auto it =
      std::find_if(tracks_.begin(), tracks_.end(), [&track](const auto& t) { return t.get() == &track; });
  if (it == tracks_.end() || ++it == tracks_.end()) return nullptr;
  return it->get();
}

std::vector<TrackData> TrackList::Snapshot() const {
  std::vector<TrackData> out;
  out.reserve(tracks_.size());
  for (const auto& t : tracks_) out.push_back(t->data);
  return out;
}

bool TrackList::Restore(const std::vector<TrackData>& tracks) {
  for (std::size_t i = 0; i < tracks.size(); ++i)
    for (std::size_t j = 0; j < i; ++j)
      if (tracks[i].id == tracks[j].id && tracks[i].subId == tracks[j].subId) return false;
  std::vector<std::unique_ptr<scn::AnimTrack>> made;
  made.reserve(tracks.size());
  for (const TrackData& data : tracks) {
    made.push_back(std::make_unique<scn::AnimTrack>(node_, data.id, data.subId));
    made.back()->data.keys = data.keys;
  }
  tracks_ = std::move(made);
  return true;
}

}  // namespace host
