// The animation table's entries and the character-animation library's, filled by concern, with the
// checks they make beyond the scene table's (scene/scenetable.h): live tracks, masters and ports. A
// failed check is reported as misbehaviour of the call and the entry answers null, false or 0.
#pragma once

#include "scn/tables_animation.h"

namespace host {

void FillTrackEntries(scn::AnimationTable& t);
void FillGraphEntries(scn::AnimationTable& t);
void FillCharacterAnimationLibrary(scn::CharacterAnimationLibrary& lib);

namespace entry {

// A track, master or port the scene handed out and that is still alive, or null (reported).
scn::AnimTrack* Track(const char* call, const scn::AnimTrack* track);
scn::NodeMaster* Master(const char* call, const scn::NodeMaster* master);
scn::GraphPort* Port(const char* call, const scn::GraphPort* port);

}  // namespace entry
}  // namespace host
