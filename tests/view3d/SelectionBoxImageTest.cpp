#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "FrameFixture.h"
#include "GoldenFrame.h"
#include "document/DocumentFixture.h"
#include "objects/PhotoObject.h"
#include "objects/TestWall.h"
#include "platform/gfx/VectorMath.h"
#include "platform/image/Image.h"
#include "support/TempFolder.h"

namespace {

constexpr Rgb kSelectionColour = {255, 0, 255};

// The 3D view as the design objects reach it for the overlay buffers that
// their selection boxes are drawn with.
class OverlayView : public Fake3DView {
public:
    explicit OverlayView(const CD3DEngine& engine) : m_engine(engine) {}
    gfx::VertexBuffer* GetOverlayLineBuffer() const override {
        return m_engine.GetOverlayLineBuffer();
    }
    gfx::VertexBuffer* GetOverlayShapeBuffer() const override {
        return m_engine.GetOverlayShapeBuffer();
    }

private:
    const CD3DEngine& m_engine;
};

// A wall raised from the plan as the wall tool leaves it, a piece of
// furniture and a picture, seen from above the ground in front of them.
class SelectionBoxImageTest : public SceneFrameTest {
protected:
    void SetUp() override {
        SceneFrameTest::SetUp();
        renderer->OnSize(kWindowWidth, kWindowHeight);
        m_view = std::make_unique<OverlayView>(renderer->GetEngine());
        doc->Attach3DView(m_view.get());
        doc->Settings().length = 600;
        doc->Settings().width = 600;
        doc->Settings().gridGap = 50;
        doc->Settings().rodBoxColor =
            draw::Rgb(kSelectionColour.r, kSelectionColour.g, kSelectionColour.b);
        renderer->InitRenderer();

        // Placed at its first plan point, its outline taken from there.
        auto* wall = new CTestWall();
        wall->SetDevice(Device());
        wall->SetPosition(40, 0, 150);
        ASSERT_EQ(wall->Build({{0, 0}, {0, 20}, {200, 20}, {200, 0}}, 250), 1);
        wall->UpdateWorldMatrix();
        renderer->GetScene().AddObjectIfAbsent(kWallObjectType, wall);
        m_objects.push_back(wall);
        m_objects.push_back(AddBox({-120, 40, 60}, 40, {40, 200, 120}));
        AddPicture({-120, 170, 140});

        CHousViewCamera& camera = renderer->GetCamera();
        camera.SetCameraAngles(0.0, 0.4);
        camera.SetCameraPosition({0, 380, -560});
        camera.UpdateCamera();
    }

    void TearDown() override {
        doc->Attach3DView(nullptr);
        SceneFrameTest::TearDown();
    }

    // A 120 x 90 picture in blue and white stripes, facing the camera.
    void AddPicture(const gfx::Vector3& position) {
        image::CImage picture;
        ASSERT_TRUE(picture.Create(8, 6));
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 8; ++x) {
                picture.SetPixelColor(
                    x, y,
                    x % 4 < 2 ? image::Color{30, 60, 200, 255} : image::Color{250, 250, 250, 255});
            }
        }
        const std::string path = (m_pictures.Path() / "stripes.bmp").string();
        ASSERT_TRUE(picture.Save(path, image::ImageFormat::Bmp));
        auto* photo = new CPhotoObject();
        photo->SetDevice(Device());
        ASSERT_EQ(photo->BuildMesh(), 1);
        ASSERT_TRUE(photo->LoadTexture(Device(), 0, path).textured);
        photo->SetPictureSize(120.0f, 90.0f);
        photo->SetPosition(position.x, position.y, position.z);
        photo->UpdateWorldMatrix();
        renderer->GetScene().AddObjectIfAbsent(kPhotoObjectType, photo);
        m_objects.push_back(photo);
    }

    gfx::Device* Device() { return renderer->GetEngine().GetDevice(); }

    void Select(bool selected) {
        for (C3DObject* object : m_objects) {
            object->SetSelected(selected ? 1 : 0);
        }
    }

    struct Edge {
        gfx::Vector3 from, to;
        [[nodiscard]] gfx::Vector3 Middle() const { return (from + to) * 0.5f; }
    };

    // The twelve edges of the object's mesh box, in the world.
    static std::vector<Edge> BoxEdges(const C3DObject& object) {
        std::array<gfx::Vector3, 8> corners =
            gfx::BoxCorners(object.GetBoxMin(), object.GetBoxMax());
        const gfx::Matrix world = object.BuildWorldMatrixDirect();
        for (gfx::Vector3& corner : corners) {
            corner = gfx::Vec3TransformCoord(corner, world);
        }
        std::vector<Edge> edges;
        for (std::size_t corner = 0; corner < corners.size(); ++corner) {
            for (std::size_t axis = 1; axis < corners.size(); axis <<= 1) {
                if ((corner & axis) == 0) {
                    edges.push_back({corners[corner], corners[corner | axis]});
                }
            }
        }
        return edges;
    }

    // Every edge of every object shows where it lies, the hidden ones too.
    void ExpectEveryEdgeDrawn() const {
        for (const C3DObject* object : m_objects) {
            SCOPED_TRACE(object->GetType());
            for (const Edge& edge : BoxEdges(*object)) {
                const gfx::Vector3 middle = edge.Middle();
                EXPECT_TRUE(ColourNear(middle, kSelectionColour, 2))
                    << middle.x << ", " << middle.y << ", " << middle.z;
            }
        }
    }

    // Back-buffer pixels in the box colour farther than a few pixels from
    // every edge as it projects.
    int CountBoxColouredPixelsOffTheEdges() const {
        struct Segment {
            double ax, ay, bx, by;
        };
        std::vector<Segment> segments;
        for (const C3DObject* object : m_objects) {
            for (const Edge& edge : BoxEdges(*object)) {
                const POINT a = WindowPointOf(edge.from);
                const POINT b = WindowPointOf(edge.to);
                segments.push_back({double(a.x * kScale), double(a.y * kScale),
                                    double(b.x * kScale), double(b.y * kScale)});
            }
        }
        int off = 0;
        for (int y = 0; y < 768; ++y) {
            for (int x = 0; x < 1024; ++x) {
                if (Distance(BackBufferAt(x, y), kSelectionColour) > 40) {
                    continue;
                }
                bool near = false;
                for (const Segment& s : segments) {
                    const double dx = s.bx - s.ax;
                    const double dy = s.by - s.ay;
                    const double length = dx * dx + dy * dy;
                    const double t =
                        length > 0
                            ? std::clamp(((x - s.ax) * dx + (y - s.ay) * dy) / length, 0.0, 1.0)
                            : 0.0;
                    near = near || std::hypot(x - (s.ax + t * dx), y - (s.ay + t * dy)) <= 4.0;
                }
                off += near ? 0 : 1;
            }
        }
        return off;
    }

    // Back-buffer pixels within 40 of the box colour.
    int CountBoxColouredPixels() const {
        int count = 0;
        for (int y = 0; y < 768; ++y) {
            for (int x = 0; x < 1024; ++x) {
                count += Distance(BackBufferAt(x, y), kSelectionColour) <= 40 ? 1 : 0;
            }
        }
        return count;
    }

    std::vector<C3DObject*> m_objects;
    std::unique_ptr<OverlayView> m_view;
    TempFolder m_pictures;
};

TEST_F(SelectionBoxImageTest, SelectedWallModelAndPictureAreBoxedAsTheGoldenImageShows) {
    ASSERT_TRUE(renderer->RenderFrame());
    ReadBackBuffer();
    EXPECT_EQ(CountBoxColouredPixels(), 0);

    Select(true);
    ASSERT_TRUE(renderer->RenderFrame());
    ReadBackBuffer();
    ExpectEveryEdgeDrawn();
    // Nothing runs off the boxes.
    EXPECT_EQ(CountBoxColouredPixelsOffTheEdges(), 0);
    std::vector<uint8_t> pixels;
    ASSERT_EQ(gfx::kOk, Device()->GetBackBufferPixels(&pixels));
    ExpectMatchesGolden(ShrinkBackBuffer(pixels), "selection-boxes");
}

TEST_F(SelectionBoxImageTest, EveryBoxStyleDrawsAllEdgesAndAnUnknownOneNone) {
    Select(true);
    const struct {
        int style;
        int thickness;
        bool drawn;
    } cases[] = {{1, 1, true}, {2, 1, true}, {2, 5, true}, {3, 1, false}, {0, 1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << ", thickness " << c.thickness);
        doc->Settings().rodBoxStyle = c.style;
        doc->Settings().rodBoxThickness = c.thickness;
        ASSERT_TRUE(renderer->RenderFrame());
        ReadBackBuffer();
        if (!c.drawn) {
            EXPECT_EQ(CountBoxColouredPixels(), 0);
            continue;
        }
        ExpectEveryEdgeDrawn();
    }
    // The device's depth test is back on for what is drawn next.
    uint32_t depthTest = 0;
    Device()->GetRenderState(gfx::RenderState::ZEnable, &depthTest);
    EXPECT_NE(depthTest, 0u);
}

}  // namespace
