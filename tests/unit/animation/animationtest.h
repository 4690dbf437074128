// Animation tests: the scene tests' host and document, with helpers for tracks and records.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "../scene/scenetest.h"
#include "files/recordfile.h"
#include "scn/animation.h"

namespace animationtest {

using scenetest::SceneTest;

class AnimationTest : public SceneTest {
 protected:
  // A track of the node with keys at these frames of doc_'s rate; null when the track is refused.
  scn::AnimTrack* Keyed(scn::SceneNode* node, scn::Int32 id, scn::Int32 subId,
                        const std::vector<std::pair<scn::Int32, scn::Float64>>& frameValues) {
    scn::AnimTrack* track = scn::CreateTrack(node, id, subId);
    if (!track) return nullptr;
    for (const auto& [frame, value] : frameValues)
      if (!scn::SetKey(track, scn::FrameTime(frame, scn::GetDocumentFps(doc_)), value)) return nullptr;
    return track;
  }

  // Evaluates doc_ at a frame.
  void EvaluateAt(int frame) {
    Scene().SetDocumentFrame(doc_, frame);
    ASSERT_TRUE(Scene().EvaluateDocument(doc_));
  }

  // The node through an object record and back; null when the record fails.
  scn::SceneNode* RoundTrip(scn::SceneNode* object) {
    auto out = host::RecordFile::ForWriting();
    if (!scn::WriteObjectRecord(out.get(), object)) return nullptr;
    auto in = host::RecordFile::ForReading(host::RecordFile::Bytes(*out));
    scn::SceneNode* read = scn::ReadObjectRecord(in.get());
    if (read && !host::RecordFile::AtEnd(*in)) ADD_FAILURE() << "the record has values left over";
    return read;
  }

  // Every key of a track as (seconds, value).
  static std::vector<std::pair<double, double>> Keys(const scn::AnimTrack* track) {
    std::vector<std::pair<double, double>> keys;
    for (scn::Int32 i = 0; i < scn::GetKeyCount(track); ++i) {
      scn::AnimKey key;
      if (!scn::GetKey(track, i, &key)) break;
      keys.push_back({double(key.time.numerator) / double(key.time.denominator), key.value});
    }
    return keys;
  }
};

}  // namespace animationtest
