// Polygon objects' points and polygons, and UVW tags.
#include "scenetest.h"

namespace scenetest {
namespace {

class PolygonObjectTest : public SceneTest {};

TEST_F(PolygonObjectTest, ResizingKeepsTheContentAndZeroesNewEntries) {
  scn::SceneNode* mesh = Mesh({{1, 2, 3}, {4, 5, 6}}, {{0, 1, 1, 1}});
  ASSERT_NE(mesh, nullptr);

  ASSERT_TRUE(scn::ResizePolygonObject(mesh, 4, 3));
  ASSERT_EQ(scn::GetPointCount(mesh), 4);
  ASSERT_EQ(scn::GetPolygonCount(mesh), 3);
  const scn::Vector* points = scn::GetPointsW(mesh);
  const scn::Polygon* polygons = scn::GetPolygonsW(mesh);
  EXPECT_EQ(points[0], (scn::Vector{1, 2, 3}));
  EXPECT_EQ(points[1], (scn::Vector{4, 5, 6}));
  EXPECT_EQ(points[3], scn::Vector{});
  EXPECT_EQ(polygons[0], (scn::Polygon{0, 1, 1, 1}));
  EXPECT_EQ(polygons[2], scn::Polygon{});

  ASSERT_TRUE(scn::ResizePolygonObject(mesh, 1, 0));
  EXPECT_EQ(scn::GetPointsW(mesh)[0], (scn::Vector{1, 2, 3}));
  EXPECT_EQ(scn::GetPolygonsW(mesh), nullptr) << "no polygons left";
  scn::FreeSceneNode(mesh);
}

TEST_F(PolygonObjectTest, NegativeCountsAreRefusedAndLeaveTheObjectAsItWas) {
  scn::SceneNode* mesh = Mesh({{1, 1, 1}}, {});
  EXPECT_EQ(scn::AllocatePolygonObject(-1, 0), nullptr);
  EXPECT_FALSE(scn::ResizePolygonObject(mesh, 2, -1));
  EXPECT_EQ(TakeReports().size(), 2u);
  EXPECT_EQ(scn::GetPointCount(mesh), 1);
  EXPECT_EQ(scn::GetPolygonCount(mesh), 0);
  scn::FreeSceneNode(mesh);
}

TEST_F(PolygonObjectTest, OtherObjectsHaveNoPointsToResize) {
  scn::SceneNode* null = Insert(scn::kTypeNull, "null");
  EXPECT_FALSE(scn::ResizePolygonObject(null, 3, 1));
  EXPECT_EQ(scn::GetPointCount(null), 0);
  EXPECT_EQ(scn::GetPointsW(null), nullptr);
  EXPECT_TRUE(TakeReports().empty());
}

TEST_F(PolygonObjectTest, AUVWTagHoldsItsEntriesAndGuardsItsIndex) {
  scn::SceneNode* mesh = Insert(scn::kTypePolygonObject, "mesh");
  scn::SceneNode* uvw = scn::MakeTag(mesh, scn::kTagUVW, 2);
  ASSERT_NE(uvw, nullptr);
  EXPECT_EQ(scn::GetFirstTag(mesh, scn::kTagUVW), uvw);
  EXPECT_EQ(scn::GetUVWCount(uvw), 2);

  const scn::UVWPolygon entry{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  ASSERT_TRUE(scn::SetUVW(uvw, 1, entry));
  scn::UVWPolygon read;
  ASSERT_TRUE(scn::GetUVW(uvw, 1, &read));
  EXPECT_EQ(read, entry);
  ASSERT_TRUE(scn::GetUVW(uvw, 0, &read));
  EXPECT_EQ(read, scn::UVWPolygon{});

  EXPECT_FALSE(scn::SetUVW(uvw, 2, entry));
  EXPECT_FALSE(scn::GetUVW(uvw, -1, &read));
  EXPECT_EQ(TakeReports().size(), 2u);
  EXPECT_EQ(scn::MakeTag(mesh, scn::kTagUVW, -1), nullptr);
  EXPECT_EQ(TakeReports().size(), 1u);
}

TEST_F(PolygonObjectTest, TagsAreFoundByTypeInTheOrderMade) {
  scn::SceneNode* mesh = Insert(scn::kTypePolygonObject, "mesh");
  scn::SceneNode* phong = scn::MakeTag(mesh, scn::kTagPhong);
  scn::SceneNode* first = scn::MakeTag(mesh, scn::kTagTexture);
  scn::SceneNode* second = scn::MakeTag(mesh, scn::kTagTexture);
  EXPECT_EQ(scn::GetFirstTag(mesh, scn::kTagTexture), first);
  EXPECT_EQ(scn::GetFirstTag(mesh, 0), phong);
  EXPECT_EQ(scn::GetNextNode(first), second);
  EXPECT_EQ(scn::GetFirstTag(mesh, scn::kTagUVW), nullptr);
  EXPECT_EQ(scn::MakeTag(mesh, 4242), nullptr) << "unknown tag type";
}

}  // namespace
}  // namespace scenetest
