// The sound object: a sound file and the document frame it starts at, kept through records and clones.
#include "files/recordfile.h"
#include "scenetest.h"

namespace scenetest {
namespace {

class SoundObjectTest : public SceneTest {};

TEST_F(SoundObjectTest, ANewSoundHasNoFileAndStartsAtFrameZero) {
  scn::SceneNode* sound = Insert(scn::kTypeSound, "capture sound");
  ASSERT_NE(sound, nullptr);
  const scn::Container& c = *scn::GetNodeContainer(sound);
  EXPECT_EQ(c.GetType(scn::kSoundFile), scn::ValueType::Filename);
  EXPECT_TRUE(c.GetFilename(scn::kSoundFile).IsEmpty());
  EXPECT_EQ(c.GetType(scn::kSoundStartFrame), scn::ValueType::Int32);
  EXPECT_EQ(c.GetInt32(scn::kSoundStartFrame, -1), 0);
  scn::SceneNode* loose = scn::AllocateObject(scn::kTypeSound);
  EXPECT_EQ(scn::GetNodeName(loose), "Sound");
  scn::FreeSceneNode(loose);
}

TEST_F(SoundObjectTest, ItsFileAndStartGoThroughItsRecordAndIntoClones) {
  scn::SceneNode* sound = Insert(scn::kTypeSound, "take 1");
  ASSERT_TRUE(scn::SetParameter(sound, scn::kSoundFile, scn::Filename("/captures/take 1/take 1_sound.m4a")));
  ASSERT_TRUE(scn::SetParameter(sound, scn::kSoundStartFrame, scn::Int32(12)));

  auto out = host::RecordFile::ForWriting();
  ASSERT_TRUE(scn::WriteObjectRecord(out.get(), sound));
  auto in = host::RecordFile::ForReading(host::RecordFile::Bytes(*out));
  scn::SceneNode* read = scn::ReadObjectRecord(in.get());
  scn::SceneNode* clone = scn::CloneNode(sound);
  for (scn::SceneNode* copy : {read, clone}) {
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(scn::GetNodeType(copy), scn::kTypeSound);
    EXPECT_EQ(scn::GetNodeName(copy), "take 1");
    scn::Value file, start;
    ASSERT_TRUE(scn::GetParameter(copy, scn::kSoundFile, &file));
    ASSERT_TRUE(scn::GetParameter(copy, scn::kSoundStartFrame, &start));
    EXPECT_EQ(std::get<scn::Filename>(file).GetString(), "/captures/take 1/take 1_sound.m4a");
    EXPECT_EQ(std::get<scn::Int32>(start), 12);
    scn::FreeSceneNode(copy);
  }
}

}  // namespace
}  // namespace scenetest
