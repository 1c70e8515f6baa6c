#include "objects/DesignObject.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "foundation/BinaryReader.h"
#include "foundation/BinaryWriter.h"
#include "foundation/DrawingToolkit.h"
#include "objects/2DShape.h"
#include "objects/DocumentServices.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/ShapeDrawSetup.h"
#include "platform/draw/RecordingDrawContext.h"

namespace {

// A plan shape reduced to an outline kept in plan coordinates, drawn as its
// first edge through the common set-up.
class CTestOutlineShape : public C2DShape {
public:
    explicit CTestOutlineShape(std::vector<CVector2D> outline, bool closed = false)
        : m_outline(std::move(outline)), m_closed(closed) {
        m_type = kLineShapeType;
    }

    int IsClosed() const override { return m_closed ? 1 : 0; }
    void AppendOutlinePoints(std::vector<CVector2D>& points, int /*precision*/) const override {
        points.insert(points.end(), m_outline.begin(), m_outline.end());
    }
    std::unique_ptr<CDesignObject> Clone() const override {
        return std::make_unique<CTestOutlineShape>(*this);
    }
    CIntBoundingBox2D GetBoundingBox() const override { return {0, 10, 20, 30, 40}; }
    void Draw(draw::DrawContext& dc, int rop2) const override {
        CShapeDrawSetup setup(dc, *this, rop2);
        DrawLine(dc, setup.ToDevice(m_outline[0].Scale(1.0, -1.0)),
                 setup.ToDevice(m_outline[1].Scale(1.0, -1.0)));
    }

private:
    std::vector<CVector2D> m_outline;
    bool m_closed;
};

class CFixedOriginServices : public IDocumentServices {
public:
    PlanDrawOrigin GetPlanDrawOrigin(const draw::DrawContext& /*dc*/) const override {
        return {5, -7, 100};
    }
    bool Get2DViewFullDrawFlag() const override { return true; }
    draw::COLORREF GetPlanColor(PlanColorSetting /*setting*/) const override { return 0; }
    std::string Get2DIconFolder() const override { return {}; }
    void AddMissingFile(std::string_view /*path*/) override {}
};

TEST(DesignObjectTest, BareObjectAnswersWithEmptyValues) {
    CDesignObject object;
    EXPECT_EQ(object.GetType(), kNoObjectType);
    EXPECT_EQ(object.GetLevelHeight(), 0.0);
    EXPECT_EQ(object.GetStartPoint().x, -999999);
    EXPECT_EQ(object.GetStartPoint().y, -999999);
    EXPECT_EQ(object.GetEndPoint().x, -999999);
    EXPECT_EQ(object.GetEndPoint().y, -999999);
    EXPECT_EQ(object.GetBoundingBox(), CIntBoundingBox2D{});
    EXPECT_EQ(object.GetBoundingBox().empty, 1);
    EXPECT_EQ(object.CopyGeometry(), nullptr);
    EXPECT_EQ(object.Clone(), nullptr);
    EXPECT_EQ(object.GetTopParent(), nullptr);

    CBinaryWriter writer(static_cast<FILE*>(nullptr));
    CBinaryReader reader(static_cast<FILE*>(nullptr));
    EXPECT_EQ(object.Write(writer), E_NOTIMPL);
    EXPECT_EQ(object.Read(reader), E_NOTIMPL);

    draw::RecordingDrawContext dc;
    const int32_t rop = dc.GetROP2();
    EXPECT_EQ(object.InvertBoundingBox(dc), 1);
    object.Draw(dc, draw::R2_COPYPEN);
    EXPECT_TRUE(dc.Records().empty());
    EXPECT_EQ(dc.GetROP2(), rop);
}

TEST(DesignObjectTest, TopParentIsTheOutermostAncestor) {
    CDesignObject outer;
    CDesignObject inner;
    CTestOutlineShape line({{0, 0}, {1, 1}});
    inner.SetParent(&outer);
    line.SetParent(&inner);
    EXPECT_EQ(line.GetTopParent(), &outer);
    EXPECT_EQ(inner.GetTopParent(), &outer);
    EXPECT_EQ(outer.GetTopParent(), nullptr);
    EXPECT_EQ(line.HasParent(), 1);
    EXPECT_EQ(outer.HasParent(), 0);
}

TEST(DesignObjectTest, CloneKeepsStyleButDropsMemberships) {
    CTestOutlineShape chain({{0, 0}, {1, 0}});
    CDesignObject group;
    CTestOutlineShape shape({{0, 0}, {5, 5}, {9, 0}}, true);
    shape.SetSelected(1);
    shape.SetParent(&group);
    shape.SetOwnerChain(&chain);
    shape.SetInShapeSet(1);
    shape.SetListPosition(7);
    shape.SetColor(draw::Rgb(1, 2, 3));
    shape.SetPenStyle(draw::PS_DASH);
    shape.SetPenWidth(4);
    shape.SetThicknessMode(C2DShape::kCentredOutlines);
    shape.SetThickness(12.5);
    shape.SetLevelHeight(280.0);
    shape.SetOnAllFloors(1);
    shape.SetJoinedEnds(C2DShape::kStartJoined | C2DShape::kEndJoined);
    ASSERT_EQ(shape.IsInChain(), 1);
    ASSERT_EQ(shape.IsInShapeSet(), 1);

    std::unique_ptr<CDesignObject> copy = shape.Clone();
    ASSERT_NE(copy, nullptr);
    auto* clone = dynamic_cast<CTestOutlineShape*>(copy.get());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->IsSelected(), 0);
    EXPECT_EQ(clone->GetParent(), nullptr);
    EXPECT_EQ(clone->GetOwnerChain(), nullptr);
    EXPECT_EQ(clone->IsInChain(), 0);
    EXPECT_EQ(clone->IsInShapeSet(), 0);
    EXPECT_EQ(clone->GetListPosition(), 0);
    EXPECT_EQ(clone->GetType(), kLineShapeType);
    EXPECT_EQ(clone->GetColor(), draw::Rgb(1, 2, 3));
    EXPECT_EQ(clone->GetPenStyle(), draw::PS_DASH);
    EXPECT_EQ(clone->GetPenWidth(), 4);
    EXPECT_EQ(clone->GetThicknessMode(), C2DShape::kCentredOutlines);
    EXPECT_EQ(clone->GetThickness(), 12.5);
    EXPECT_EQ(clone->GetLevelHeight(), 280.0);
    EXPECT_EQ(clone->IsOnAllFloors(), 1);
    EXPECT_EQ(clone->GetJoinedEnds(), 3);
}

TEST(DesignObjectTest, OutlineSegmentsCloseEachShapeOnItsOwnPoints) {
    // Several shapes append into one list, as the DXF export does.
    CTestOutlineShape dot({{4, 4}}, true);
    CTestOutlineShape open({{0, 0}, {10, 0}, {10, 10}});
    CTestOutlineShape triangle({{100, 0}, {110, 0}, {100, 20}}, true);
    CTestOutlineShape square({{0, 50}, {5, 50}, {5, 55}, {0, 55}}, true);

    std::vector<CSegment2F> segments;
    dot.GetOutlineSegments(segments, 16);
    EXPECT_TRUE(segments.empty());
    open.GetOutlineSegments(segments, 16);
    triangle.GetOutlineSegments(segments, 16);
    square.GetOutlineSegments(segments, 16);

    using S = CSegment2F;
    using V = CVector2F;
    const std::vector<S> expected = {
        S(V(0, 0), V(10, 0)),      S(V(10, 0), V(10, -10)),   S(V(100, 0), V(110, 0)),
        S(V(110, 0), V(100, -20)), S(V(100, -20), V(100, 0)), S(V(0, -50), V(5, -50)),
        S(V(5, -50), V(5, -55)),   S(V(5, -55), V(0, -55)),   S(V(0, -55), V(0, -50)),
    };
    ASSERT_EQ(segments.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(segments[i].start, expected[i].start) << i;
        EXPECT_EQ(segments[i].end, expected[i].end) << i;
    }
}

TEST(DesignObjectTest, SelectedShapeIsRedOnScreenOnlyAndDrawingRestoresTheDc) {
    struct Case {
        int selected;
        bool printing;
        draw::COLORREF expected;
    };
    const draw::COLORREF own = draw::Rgb(10, 20, 30);
    const Case cases[] = {
        {1, false, draw::Rgb(255, 0, 0)},
        {1, true, own},
        {0, false, own},
        {0, true, own},
    };
    for (const Case& c : cases) {
        CTestOutlineShape shape({{0, 0}, {10, 5}});
        shape.SetColor(own);
        shape.SetSelected(c.selected);
        draw::RecordingDrawContext dc({200, 200}, 96, c.printing);
        const int32_t rop = dc.GetROP2();
        const draw::Pen pen = dc.GetCurrentPen();
        shape.Draw(dc, draw::R2_XORPEN);
        ASSERT_EQ(dc.Records().size(), 1u);
        const draw::DrawRecord& line = dc.Records()[0];
        EXPECT_EQ(line.state.pen.color, c.expected) << c.selected << c.printing;
        EXPECT_EQ(line.state.rop2, draw::R2_XORPEN);
        EXPECT_EQ(dc.GetROP2(), rop);
        EXPECT_EQ(dc.GetCurrentPen(), pen);
    }
}

TEST(DesignObjectTest, ShapesDrawRelativeToThePlanOrigin) {
    CFixedOriginServices services;
    IDocumentServices* previous = SetDocumentServices(&services);
    CTestOutlineShape shape({{10, 10}, {20, -5}});
    draw::RecordingDrawContext dc;
    shape.Draw(dc, draw::R2_COPYPEN);
    SetDocumentServices(previous);

    ASSERT_EQ(dc.Records().size(), 1u);
    const std::vector<draw::Point> expected = {{5, -3}, {15, 12}};
    EXPECT_EQ(dc.Records()[0].points, expected);
}

TEST(DesignObjectTest, InvertBoundingBoxInvertsTheBox) {
    CTestOutlineShape shape({{0, 0}, {1, 1}});
    draw::RecordingDrawContext dc;
    EXPECT_EQ(shape.InvertBoundingBox(dc), 1);
    ASSERT_EQ(dc.Records().size(), 1u);
    EXPECT_EQ(dc.Records()[0].op, draw::DrawOp::InvertRect);
    const std::vector<draw::Point> corners = {{10, 20}, {30, 40}};
    EXPECT_EQ(dc.Records()[0].points, corners);
}

}  // namespace
