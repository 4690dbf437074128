// Polygon objects as Wavefront OBJ text: points, 1-based faces, triangles, the local matrix and texture
// coordinates.
#include "scenetest.h"

namespace scenetest {
namespace {

class ObjWriterTest : public SceneTest {
 protected:
  // A quad and a triangle (its third corner repeated).
  scn::SceneNode* QuadAndTriangle() {
    scn::SceneNode* mesh = Mesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0.5}}, {{0, 1, 2, 3}, {0, 2, 3, 3}});
    if (mesh) scn::SetNodeName(mesh, "shape");
    if (mesh && !scn::InsertObject(doc_, mesh)) return nullptr;
    return mesh;
  }
};

TEST_F(ObjWriterTest, PointsThenFacesNumberedFromOneAndTrianglesWithThreeCorners) {
  scn::SceneNode* mesh = QuadAndTriangle();
  ASSERT_NE(mesh, nullptr);
  EXPECT_EQ(Scene().WriteObj(mesh),
            "o shape\n"
            "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0.5\n"
            "f 1 2 3 4\nf 1 3 4\n");
}

TEST_F(ObjWriterTest, TransformedPointsGoThroughTheLocalMatrixOnly) {
  scn::SceneNode* parent = Insert(scn::kTypeNull, "parent");
  scn::Matrix shifted;
  shifted.off = {100, 0, 0};
  scn::SetLocalMatrix(parent, shifted);
  scn::SceneNode* mesh = Mesh({{1, 2, 4}, {0, 0, 0}, {0.5, -0.25, 2}}, {{0, 1, 2, 2}});
  scn::SetNodeName(mesh, "m");
  ASSERT_TRUE(scn::InsertObject(doc_, mesh, parent));
  scn::Matrix m;
  m.off = {10, 20, 30};
  m.v1 = {2, 0, 0};
  m.v2 = {0, 0, 3};
  m.v3 = {0, -1, 0};
  scn::SetLocalMatrix(mesh, m);

  struct Case {
    bool transformed;
    const char* text;
  };
  for (const Case& c : {Case{false, "o m\nv 1 2 4\nv 0 0 0\nv 0.5 -0.25 2\nf 1 2 3\n"},
                        Case{true, "o m\nv 12 16 36\nv 10 20 30\nv 11 18 29.25\nf 1 2 3\n"}}) {
    EXPECT_EQ(Scene().WriteObj(mesh, c.transformed), c.text) << (c.transformed ? "transformed" : "as stored");
  }
}

TEST_F(ObjWriterTest, TextureCoordinatesComeFromAUVWTagWithAnEntryForEveryPolygon) {
  const scn::UVWPolygon quad{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  const scn::UVWPolygon triangle{{0, 0, 0}, {0.5, 0.5, 0}, {0, 0.25, 0}, {0, 0.25, 0}};
  const std::string points = "o shape\nv 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0.5\n";
  const std::string withTexture = points +
                                  "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
                                  "vt 0 0\nvt 0.5 0.5\nvt 0 0.25\n"
                                  "f 1/1 2/2 3/3 4/4\nf 1/5 3/6 4/7\n";
  const std::string withoutTexture = points + "f 1 2 3 4\nf 1 3 4\n";
  struct Case {
    scn::Int32 entries;
    std::string text;
  };
  for (const Case& c : {Case{2, withTexture}, Case{3, withTexture}, Case{1, withoutTexture}}) {
    scn::SceneNode* mesh = QuadAndTriangle();
    ASSERT_NE(mesh, nullptr);
    scn::SceneNode* uvw = scn::MakeTag(mesh, scn::kTagUVW, c.entries);
    scn::SetUVW(uvw, 0, quad);
    if (c.entries > 1) scn::SetUVW(uvw, 1, triangle);
    EXPECT_EQ(Scene().WriteObj(mesh), c.text) << c.entries << " entries for 2 polygons";
    scn::FreeSceneNode(mesh);
  }
}

TEST_F(ObjWriterTest, OnlyALivePolygonObjectHasText) {
  scn::SceneNode* unnamed = Mesh({{1, 0, 0}}, {});
  scn::SetNodeName(unnamed, "");
  EXPECT_EQ(Scene().WriteObj(unnamed), "v 1 0 0\n") << "no name, no o line";
  EXPECT_EQ(Scene().WriteObj(Insert(scn::kTypeNull, "null")), "");
  scn::SceneNode* freed = unnamed;
  scn::FreeSceneNode(freed);
  EXPECT_EQ(Scene().WriteObj(unnamed), "");
  EXPECT_EQ(Scene().WriteObj(nullptr), "");
}

}  // namespace
}  // namespace scenetest
